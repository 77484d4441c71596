#pragma once
// The software lists as a step of the build and the update: where they come
// from (the emulator's hash path, else its -listsoftware output), and the
// step itself with its own progress.

#include <optional>

#include "core/Task.h"
#include "pipeline/MameLists.h"
#include "software/SoftwareImport.h"

namespace arc {

/// The hash path of the emulator's configuration (its -showconfig, else its
/// ini files), the emulator to ask for -listsoftware when that folder is
/// missing, and the program folder for that output.
SoftwareImportRequest SoftwareSourceOf(const EmulatorNames& emulator);

/// The desktop build's software source: that of SoftwareSourceOf when the
/// hash folder exists or the emulator does (its -listsoftware), else none.
std::optional<SoftwareImportRequest> AvailableSoftwareSource(const EmulatorNames& emulator);

/// Imports the lists under the label "Software lists" with a total of its
/// own. Skipped (ok) without a source. Damaged files are logged; the outcome
/// says how many lists were read and which files were not.
SoftwareImportOutcome RunSoftwareStep(const SoftwareImportRequest& request, TaskContext& context);

}  // namespace arc
