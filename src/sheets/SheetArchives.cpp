#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/TextTable.h"
#include "sheets/SheetImages.h"
#include "zip/Unzip.h"

namespace arc {

bool UnzipArtArchives(const SheetRun& run, TaskProgress& progress, int& unclean) {
    progress.SetLabel(Text(kTextUnzippingArt));
    progress.SetTotal(kArtKinds);
    for (int k = 0; k < kArtKinds; ++k) {
        progress.Step(k + 1);  // a cancel stops before the next archive
        // No folder set for a kind is no art of that kind (not the working folder's).
        if (!run.choices.dontCopy[k] && !run.artFolders[k].empty()) {
            const std::string target = ArtSheetFolder(run, k);
            for (const std::string& archive :
                 ListFolder(run.artFolders[k], "*.zip", EntryKind::Files)) {
                progress.SetLabel(archive);
                if (!progress.KeepGoing()) return false;
                const UnzipResult result = UnzipAll(run.artFolders[k] + archive, target, true);
                if (!result.errors.empty()) {
                    WriteLog("Unzip " + run.artFolders[k] + archive + ", " + target);
                    WriteLog(DescribeZipErrors(result.errors));
                    ++unclean;
                }
            }
        }
        if (progress.Cancelled()) return false;
    }
    return true;
}

}  // namespace arc

#include <filesystem>

#include "core/ProgramFolder.h"
#include "sheets/SheetSkin.h"
#include "sheets/SheetsTask.h"

namespace arc {

SkinFolder ResolveSkin(const std::string& name, const std::string& path,
                       const std::string& tempFolder) {
    SkinFolder skin;
    if (!IsSkinArchive(path)) {
        skin.folder = WithTrailingSlash(path);
        return skin;
    }
    skin.fromArchive = true;
    skin.folder = tempFolder + "~" + name + ".skin/";
    RemoveUnzippedSkin(skin.folder, tempFolder);
    std::error_code ignored;
    std::filesystem::create_directories(skin.folder.substr(0, skin.folder.size() - 1), ignored);
    const std::string line = "UnzipAll " + path + " to " + skin.folder;
    DebugLog(line);
    const UnzipResult result = UnzipAll(path, skin.folder);
    if (!result.errors.empty()) {
        WriteLog(line);
        WriteLog(DescribeZipErrors(result.errors));
    }
    return skin;
}

}  // namespace arc
