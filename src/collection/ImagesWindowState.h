#pragma once
// State and commands of the "Images" window: the artwork folders kept in
// step with the ROMs the user owns.

#include <array>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/Settings.h"

namespace arc {

class TaskProgress;

/// Owned ROMs: the archive names (".zip", then ".7z") of the ROM folder
/// without their extension, then its sub-folder names. Stops early (with what it has) when the task
/// is cancelled.
std::vector<std::string> OwnedRomNames(const std::string& romsFolder, TaskProgress* task);

/// What a command of the window did.
struct ImagesOutcome {
    bool ran = false;                 ///< the command went past its question and checks
    bool cancelled = false;           ///< stopped by the progress window's Cancel
    int done = 0;                     ///< images trashed or copied
    std::vector<std::string> failed;  ///< images that could not be trashed or copied

    /// The whole task was done.
    bool Complete() const { return ran && !cancelled && failed.empty(); }
};

class ImagesWindowState {
  public:
    std::array<bool, kArtSlots> Kinds{};  ///< the six artwork check boxes
    std::string SourceText;               ///< source folder text box

    /// Hides (false) or shows (true) the window while a command runs.
    std::function<void(bool)> ShowWindow;

    /// Opening: the source box shows ImageSource, or the program folder when
    /// it is empty; the menus go off.
    void Load();
    /// Closing: the menus come back.
    void Unload();

    void BrowseSource();
    /// Sends to the trash the PNG images of the chosen kinds that belong to no
    /// owned ROM. The question is destructive: the command line answers Yes
    /// only with its "--confirm" option.
    ImagesOutcome DeleteImagesWithoutRom();
    /// Copies from the source folder the PNG image of every owned ROM.
    ImagesOutcome CopyImagesThatHaveRom();
    /// Hides the window, opens the paths dialog through `showPathsDialog`
    /// and waits until the dialog clears the shared flag.
    void EditPaths(const std::function<void()>& showPathsDialog);

  private:
    bool AnyKind() const;
    void SetVisible(bool visible);
};

}  // namespace arc
