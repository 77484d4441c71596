#pragma once
// State and commands of the "Zip all / Unzip all" window: every sub-folder
// of a source folder packed into one archive each, or every archive of a
// source folder unpacked into a sub-folder, the sources optionally sent to
// the trash when their result is sound.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "collection/ZipAll.h"

namespace arc {

class ZipAllWindowState {
  public:
    std::vector<std::string> PackerFolders = DefaultPackerFolders();

    std::string SourceText;       ///< source text box
    std::string DestText;         ///< destination text box
    bool DeleteWhenDone = false;  ///< "Delete when operation done"

    /// Hides (false) or shows (true) the window while a command runs.
    std::function<void(bool)> ShowWindow;

    /// Fills the text boxes from ZipAllSource and ZipAllDest.
    void Load();
    /// "Zip all" is enabled only when the packer is there.
    bool ZipAllEnabled() const;

    void BrowseSource();
    void BrowseDest();
    /// The request of the boxes (the folders typed are remembered).
    ZipAllRequest Request();
    ZipAllOutcome ZipAll();
    ZipAllOutcome UnzipAll();

  private:
    ZipAllOutcome Run(ZipAllOutcome (*task)(const ZipAllRequest&, TaskContext&));
    void SetVisible(bool visible);
};

}  // namespace arc
