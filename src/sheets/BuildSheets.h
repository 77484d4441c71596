#pragma once
// One sheet run, from the opening of the database to its closing steps.

#include <functional>
#include <string>

#include "sheets/SheetRun.h"

namespace arc {

/// What the run reports back.
struct SheetRunResult {
    bool databaseOpened = false;
    bool completed = false;  ///< every step ran (no cancel, selection not empty)
    bool cancelled = false;
    bool emptySelection = false;
    bool failed = false;  ///< an error ended the run (logged as an error block)
    std::string failure;  ///< what failed, as told to the user
};

/// Builds the whole site of `run` from the open-able database at DatabasePath.
/// `skinFromArchive`: the skin folder is a temporary extraction, removed at
/// the end. `showWindow` hides (false) and shows (true) the sheet window.
SheetRunResult BuildSheets(SheetRun& run, bool skinFromArchive,
                           const std::function<void(bool)>& showWindow = {});

/// Removes a temporary skin folder with everything in it (only a folder
/// named "~<skin>.skin" directly inside the temporary folder).
void RemoveUnzippedSkin(const std::string& skinFolder);

}  // namespace arc
