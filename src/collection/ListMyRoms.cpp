#include "collection/ListMyRoms.h"

#include <cstdlib>
#include <filesystem>
#include <limits>
#include <system_error>

#include "collection/RomSets.h"
#include "core/AppState.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "database/Database.h"

namespace arc {
namespace {

constexpr int kListMyRomsProcedure = 600;

struct ScanResult {
    bool cancelled = false;
    int scanned = 0;
};

/// Marks every archive (".zip", then ".7z"), then every sub-folder, of `folder` as owned. The marks
/// are committed at the end, on a cancel and on an error alike.
ScanResult ScanRomFolder(const std::string& folder, TaskProgress& task) {
    ScanResult result;
    Statement mark("UPDATE Data SET GotIt=TRUE WHERE InternalName=?");
    BatchTransaction batch(std::numeric_limits<int>::max());
    LabelThrottle label;

    auto markOne = [&](const std::string& name, const std::string& gameName) {
        mark.Bind(1, gameName).Run();
        ++result.scanned;
        if (label.Due()) task.SetLabel(ToUtf8(name));
        return task.KeepGoing();
    };

    for (const std::string& name : RomArchiveFiles(folder)) {
        if (!markOne(name, GameNameOfArchive(name))) {
            result.cancelled = true;
            return result;
        }
    }
    for (const std::string& name : ListFolder(folder, "*", EntryKind::Folders)) {
        if (name == "." || name == "..") continue;
        if (!markOne(name, name)) {
            result.cancelled = true;
            return result;
        }
    }
    batch.Commit();
    return result;
}

/// The paths window switches the menus on when it closes; where there is no
/// such window (the command line) they come back at once.
void OpenPathsWindow() {
    if (!Ui().OpenWindow(WindowId::Paths) && !State().WizardMode) EnableMenus();
}

}  // namespace

bool RomFolderHasEntries(const std::string& folder) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with('.')) continue;
        std::error_code typeError;
        if (it->is_regular_file(typeError) || it->is_directory(typeError)) return true;
    }
    return false;
}

std::string GameNameOfArchive(const std::string& fileName) {
    return std::string(Trim(ArchiveStem(fileName)));
}

ListMyRomsSummary ListMyRoms() {
    ProcedureScope scope(kListMyRomsProcedure);
    ListMyRomsSummary summary;
    const bool wizard = State().WizardMode;
    WizardStepEnd wizardStep;

    DebugLog("List my roms");
    // Cancelling the chooser cancels the task.
    if (!wizard && ConfirmDatabaseFile().empty()) {
        summary.cancelled = true;
        return summary;
    }
    MenusOff menus;

    const std::string& romsFolder = TheSettings().RomsFolder;
    std::string folder = romsFolder;
    if (!folder.ends_with('/') && !folder.ends_with('\\')) folder += '/';

    if (!RomFolderHasEntries(folder)) {
        Ui().Message(Text(kTextNoRomFoundIn) + "\n" + romsFolder, MsgButtons::Ok,
                     MsgIcon::Critical);
        menus.Keep();
        OpenPathsWindow();
        return summary;
    }
    DatabaseScope database;
    if (!database.Open()) return summary;

    Guarded(kListMyRomsProcedure, [&] {
        LongTask task(0, false);
        const ScanResult scan = ScanRomFolder(folder, task);
        summary.scanned = scan.scanned;
        if (scan.cancelled) {
            summary.cancelled = true;
        } else {
            summary.listed =
                std::atoi(QueryValue("SELECT COUNT(*) FROM Data WHERE GotIt=TRUE").c_str());
            summary.finished = true;
        }
        task.Finish();
        if (summary.finished && !wizard) {
            Ui().Message(Text(kTextDone) + "\n" + std::to_string(summary.scanned) +
                             Text(kTextScannedFiles) + "\n" + std::to_string(summary.listed) +
                             Text(kTextListedRoms),
                         MsgButtons::Ok, MsgIcon::Information);
        }
    });
    return summary;
}

}  // namespace arc
