#include "sheets/SheetImages.h"

#include "core/AppState.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/TextTable.h"
#include "database/Database.h"

namespace arc {
namespace {

bool Continue() {
    LetEventsRun();
    return !Progress().Cancel;
}

}  // namespace

std::string ArtSheetFolder(const SheetRun& run, int kind) {
    return run.PagesFolder() + "images/" + std::string(ArtSheetFolders()[kind]) + "/";
}

bool CopyAllArt(const SheetRun& run) {
    Progress().Done = 0;
    Progress().Total = 100;
    SetProgressLabel(Text(kTextCopyAllArt));
    if (!Continue()) return false;
    DebugLog(Text(kTextCopyAllArt) + " = " + (run.choices.copyAllArt ? "1" : "0"));
    constexpr int kDoneAfter[kArtKinds] = {15, 30, 45, 60, 80, 100};
    for (int k = 0; k < kArtKinds; ++k) {
        if (!run.choices.dontCopy[k] && FolderExists(run.artFolders[k])) {
            ShellCopy(run.artFolders[k] + "*.png", ArtSheetFolder(run, k));
        }
        Progress().Done = kDoneAfter[k];
        if (!Continue()) return false;
    }
    return true;
}

bool FillSubstitutes(const SheetRun& run) {
    if (run.skinFolder.empty()) return true;
    const std::string noImage = FindNoCase(run.skinFolder, "noimage.png");
    if (!FileExists(noImage)) return true;
    Progress().Done = 0;
    SetProgressLabel(Text(kTextCheckingImages));
    Progress().Total = static_cast<int>(std::stoll("0" + QueryValue("SELECT COUNT(*) FROM Data")));
    std::array<std::string, kArtKinds> folders;
    for (int k = 0; k < kArtKinds; ++k)
        folders[k] = ArtSheetFolder(run, k);
    Statement games("SELECT InternalName FROM Data");
    while (games.Step()) {
        if (!Continue()) return false;
        ++Progress().Done;
        const std::string name(games.ColumnView(0));
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
