#pragma once
// Which software items the user owns, in the emulator's layout:
// <rompath>/<list>/<software>.zip, .7z or a folder <rompath>/<list>/<software>/.

#include <string>

#include "core/Task.h"

namespace arc {

struct OwnedSoftwareRequest {
    std::string romsFolder;
};

struct OwnedSoftwareOutcome : Outcome {
    int owned = 0;  ///< items marked owned
};

/// Marks every item of the open database's lists as owned or not, in one
/// transaction. Progress counts lists. Nothing to do (ok) when no software
/// list was imported; fails when the ROM folder does not exist.
OwnedSoftwareOutcome RunOwnedSoftwareScan(const OwnedSoftwareRequest& request,
                                          TaskContext& context);

}  // namespace arc
