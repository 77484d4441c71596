#pragma once
// Artwork housekeeping: the images of the art folders kept in step with the
// ROM sets the user owns.

#include <array>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "core/Task.h"

namespace arc {

/// Owned ROMs: the archive names (".zip", then ".7z") of the ROM folder
/// without their extension, then its sub-folder names. Stops early (with what
/// it has) when the task is cancelled.
std::vector<std::string> OwnedRomNames(const std::string& romsFolder, TaskProgress* task);

enum class ImagesAction {
    DeleteWithoutRom,  ///< trash the PNG images that belong to no owned set
    CopyWithRom,       ///< copy in from the source the PNG image of every owned set
};

struct ImagesRequest {
    ImagesAction action = ImagesAction::CopyWithRom;
    std::array<bool, kArtSlots> kinds{};  ///< the artwork kinds to work on
    std::array<std::string, kArtSlots> artFolders;
    std::string romsFolder;
    std::string source;  ///< copy: the folder (or its kind sub-folders) to copy from
};

/// Outcome::done counts the images trashed or copied.
struct ImagesOutcome : Outcome {
    bool ran = false;                     ///< the task went past its question and checks
    std::vector<std::string> notHandled;  ///< images that could not be trashed or copied
};

/// Delete asks first (a destructive question: the command line answers Yes
/// only with "--confirm") and refuses to run on a ROM folder without sets.
ImagesOutcome RunImages(const ImagesRequest& request, TaskContext& context);

}  // namespace arc
