#pragma once
// The import of the software lists into the open database: every hash file of
// the emulator's hash path, or the emulator's -listsoftware output when that
// folder is missing.

#include <string>
#include <vector>

#include "core/Task.h"

namespace arc {

struct SoftwareImportRequest {
    std::string hashFolder;  ///< the emulator's hash path ("": none)
    std::string emulator;    ///< run with -listsoftware when the hash path is missing ("": never)
    std::string tempFolder;  ///< where that output is written (removed afterwards)
    /// The open database is a new file being built, thrown away when the build
    /// fails: written without a journal on disk and without waiting for it.
    bool newDatabase = false;
};

struct SoftwareImportOutcome : Outcome {
    bool skipped = false;  ///< no source of software lists: nothing was done
    int lists = 0;
    int items = 0;
    std::vector<std::string> failedFiles;  ///< each also logged with its fault
};

/// Imports the lists in one transaction per list, over the rows of an earlier
/// import of the same list. A damaged file, a truncated one or one that
/// declares entities is logged and left out; the other files go on, and the
/// outcome is partial. Without a hash folder and an emulator that lists its
/// software, the step is skipped (ok, `skipped`). The database must be open.
/// Progress counts kilobytes read; a cancel keeps the lists saved so far.
SoftwareImportOutcome RunSoftwareImport(const SoftwareImportRequest& request, TaskContext& context);

}  // namespace arc
