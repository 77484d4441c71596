#pragma once
// The wizard's steps as the program runs them: the download, sheet and paths
// windows run through the UI service, the database build and the ROM listing.

#include <functional>
#include <optional>

#include "wizard/WizardWindowState.h"
#include "xmlimport/ImportOptionsWindowState.h"

namespace arc {

/// `askImportOptions` shows the build's import-options window and returns the
/// choices once it closed (nothing: cancelled); empty: the remembered choices.
/// The download step runs the window and tells no summary; a front end that
/// sees its run replaces it.
WizardSteps StandardWizardSteps(
    std::function<std::optional<ImportChoices>()> askImportOptions = {});

}  // namespace arc
