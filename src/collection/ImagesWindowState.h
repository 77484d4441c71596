#pragma once
// State and commands of the "Images" window: the artwork folders kept in
// step with the ROMs the user owns.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "collection/Images.h"
#include "core/Settings.h"

namespace arc {

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
    /// The request of the check boxes and the source box, with the folders of the settings.
    ImagesRequest Request(ImagesAction action) const;
    /// Sends to the trash the PNG images of the chosen kinds that belong to no
    /// owned ROM. The question is destructive: the command line answers Yes
    /// only with its "--confirm" option.
    ImagesOutcome DeleteImagesWithoutRom();
    /// Copies from the source folder the PNG image of every owned ROM.
    ImagesOutcome CopyImagesThatHaveRom();
    /// Hides the window while the paths dialog runs; shown again once it closed.
    void EditPaths();

  private:
    ImagesOutcome Run(ImagesAction action);
    bool AnyKind() const;
    void SetVisible(bool visible);
};

}  // namespace arc
