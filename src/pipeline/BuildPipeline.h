#pragma once
// The desktop's database build ("Make Access database (MDB)"): the file
// chooser, the import options window and the progress window around the
// build task, and the settings' database changed once the build succeeded.

#include <functional>
#include <optional>

#include "pipeline/BuildTask.h"
#include "xmlimport/ImportChoices.h"

namespace arc {

struct Settings;

/// What the build needs from its front end beyond the UI service.
struct BuildHooks {
    /// Shows the import-options window and returns the user's choices once
    /// it closed; nothing when the user cancelled it. Empty: the remembered
    /// choices are taken as they are (no window).
    std::function<std::optional<ImportChoices>()> askImportOptions;
    /// The software lists imported with the build (nothing: no software
    /// step). Empty: none.
    std::function<std::optional<SoftwareImportRequest>(const EmulatorNames&)> softwareSource;
    /// A step of the wizard: a build that completed is not told (the wizard
    /// tells what its steps did).
    bool inWizard = false;
};

/// The interactive build. Every outcome but Built, NotStarted and Cancelled
/// has been told to the user, and so has Built ("Database created.") outside
/// the wizard. Only a build that completed becomes the settings' database.
BuildOutcome BuildDatabase(const BuildHooks& hooks = {});

}  // namespace arc
