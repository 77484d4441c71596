#pragma once
// Zip all and unzip all: every sub-folder of a folder packed into an archive
// of its own, or every archive of a folder extracted into a sub-folder named
// after it; each source optionally trashed once its result is checked.

#include <string>
#include <string_view>
#include <vector>

#include "core/Task.h"

namespace arc {

struct ZipAllRequest {
    std::string sourceFolder;    ///< the sub-folders (zip all) or the archives (unzip all)
    std::string destFolder;      ///< where the archives (or the sub-folders) go
    std::string packer;          ///< zip all: the "myzip" program
    bool deleteSources = false;  ///< trash each source whose result holds all of it
};

struct ZipAllOutcome : Outcome {
    int handled = 0;                   ///< sources packed or extracted, and checked
    int trashed = 0;                   ///< sources sent to the trash
    std::vector<std::string> unsound;  ///< sources whose result is not sound (kept)
};

/// The packer's single argument: archive, a comma, the folder's file mask.
std::string PackerArgument(std::string_view destFolder, std::string_view sourceFolder,
                           std::string_view name);

/// Where the packer "myzip" is looked for: the program folder, then the
/// folder of the running executable (an installed program keeps it there).
std::vector<std::string> DefaultPackerFolders();

/// The first executable "myzip" in the folders; "" when none holds it.
std::string FindPacker(const std::vector<std::string>& folders);

/// Packs each sub-folder with the packer; an archive that does not list every
/// file (with its size) and every folder of its source counts as failed.
ZipAllOutcome RunZipAll(const ZipAllRequest& request, TaskContext& context);

/// Extracts each ".zip"; an extraction that lacks an entry of its archive (or
/// holds it with another size) counts as failed and leaves no folder it made.
ZipAllOutcome RunUnzipAll(const ZipAllRequest& request, TaskContext& context);

}  // namespace arc
