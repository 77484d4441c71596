#include "sheets/SheetImages.h"

#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/TextTable.h"

namespace arc {

std::string ArtSheetFolder(const SheetRun& run, int kind) {
    return run.PagesFolder() + "images/" + std::string(ArtSheetFolders()[kind]) + "/";
}

bool CopyAllArt(const SheetRun& run, TaskProgress& progress) {
    progress.SetTotal(100);
    progress.SetLabel(Text(kTextCopyAllArt));
    if (!progress.Step(0)) return false;
    DebugLog(Text(kTextCopyAllArt) + " = " + (run.choices.copyAllArt ? "1" : "0"));
    constexpr int kDoneAfter[kArtKinds] = {15, 30, 45, 60, 80, 100};
    for (int k = 0; k < kArtKinds; ++k) {
        if (!run.choices.dontCopy[k] && FolderExists(run.artFolders[k])) {
            ShellCopy(run.artFolders[k] + "*.png", ArtSheetFolder(run, k));
        }
        if (!progress.Step(kDoneAfter[k])) return false;
    }
    return true;
}

bool FillSubstitutes(const SheetRun& run, TaskProgress& progress) {
    if (run.skinFolder.empty()) return true;
    const std::string noImage = FindNoCase(run.skinFolder, "noimage.png");
    if (!FileExists(noImage)) return true;
    progress.SetLabel(Text(kTextCheckingImages));
    progress.SetTotal(static_cast<int>(run.pageImages.size()));
    std::array<std::string, kArtKinds> folders;
    for (int k = 0; k < kArtKinds; ++k)
        folders[k] = ArtSheetFolder(run, k);
    // Each game is counted once the games before it are done.
    int done = 0;
    for (const std::string& name : run.pageImages) {
        if (!progress.Step(done++)) return false;
        if (name.empty() || name.find_first_of("/\\") != std::string::npos || name == "." ||
            name == "..") {
            continue;
        }
        for (int k = 0; k < kArtKinds; ++k) {
            if (run.choices.dontCopy[k]) continue;
            const std::string target = folders[k] + name + ".png";
            if (!FileExists(target)) ShellCopy(noImage, target);
        }
    }
    return true;
}

}  // namespace arc
