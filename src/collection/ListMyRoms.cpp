#include "collection/ListMyRoms.h"

#include <filesystem>
#include <limits>
#include <system_error>
#include <unordered_set>

#include "collection/FolderText.h"
#include "collection/RomSets.h"
#include "collection/TaskDatabase.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "database/Database.h"
#include "software/OwnedSoftware.h"
#include "software/SoftwareTables.h"

namespace arc {
namespace {

constexpr int kListMyRomsProcedure = 600;

/// Lower-case names of the games owned now.
std::unordered_set<std::string> OwnedNames() {
    std::unordered_set<std::string> names;
    Statement owned("SELECT InternalName FROM Data WHERE GotIt=TRUE");
    while (owned.Step())
        names.insert(ToLowerAscii(owned.ColumnView(0)));
    return names;
}

/// Marks every archive (".zip", then ".7z"), then every sub-folder, of
/// `folder` as owned; then, unless cancelled, clears the marks of the games
/// owned before that were not found. One transaction, committed at the end,
/// on a cancel and on an error alike; a cancel keeps the marks made so far.
void ScanRomFolder(const std::string& folder, TaskProgress& task, ListMyRomsOutcome& outcome) {
    const std::unordered_set<std::string> before = OwnedNames();
    std::unordered_set<std::string> found;
    Statement mark(
        "UPDATE Data SET GotIt=TRUE WHERE InternalName=? AND (GotIt IS NULL OR GotIt=FALSE)");
    BatchTransaction batch(std::numeric_limits<int>::max());
    LabelThrottle label;

    auto markOne = [&](const std::string& name, const std::string& gameName) {
        outcome.added += mark.Bind(1, gameName).Run();
        found.insert(ToLowerAscii(gameName));
        ++outcome.scanned;
        if (label.Due()) task.SetLabel(ToUtf8(name));
        return task.Advance();
    };
    for (const std::string& name : RomArchiveFiles(folder))
        if (!markOne(name, GameNameOfArchive(name))) return;
    for (const std::string& name : ListFolder(folder, "*", EntryKind::Folders))
        if (name != "." && name != ".." && !markOne(name, name)) return;

    // Like the import, a game not owned keeps a Null mark. A cancel while
    // the marks are cleared (tens of thousands when the folder was emptied)
    // clears none.
    Transaction clears;
    Statement clear("UPDATE Data SET GotIt=NULL WHERE InternalName=?");
    int cleared = 0;
    for (const std::string& name : before) {
        if (found.contains(name)) continue;
        if (cleared++ % 256 == 0 && task.Cancelled()) {
            outcome.noLongerFound = 0;
            return;
        }
        outcome.noLongerFound += clear.Bind(1, name).Run();
    }
    clears.Commit();
    batch.Commit();
}

/// The paths window switches the menus on when it closes; where there is no
/// such window (the command line) they come back at once.
void OpenPathsWindow() {
    if (!Ui().OpenWindow(WindowId::Paths)) EnableMenus();
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

static ListMyRomsOutcome RunListMyRomsUncounted(const ListMyRomsRequest& request,
                                                TaskContext& context);

ListMyRomsOutcome RunListMyRoms(const ListMyRomsRequest& request, TaskContext& context) {
    return RunCountingErrors<ListMyRomsOutcome>(
        [&] { return RunListMyRomsUncounted(request, context); });
}

static ListMyRomsOutcome RunListMyRomsUncounted(const ListMyRomsRequest& request,
                                                TaskContext& context) {
    ListMyRomsOutcome outcome;
    const std::string folder = WithFolderSeparator(request.romsFolder);
    if (folder.empty() || !RomFolderHasEntries(folder)) {
        outcome.noRomFound = true;
        static_cast<Outcome&>(outcome) =
            Outcome::Failure(Text(kTextNoRomFoundIn) + "\n" + request.romsFolder);
        return outcome;
    }
    DatabaseScope database;
    const std::string problem = OpenTaskDatabase(database, request.databasePath);
    if (!problem.empty()) {
        static_cast<Outcome&>(outcome) = Outcome::Failure(problem);
        return outcome;
    }
    const std::optional<std::string> error = GuardedFailure(kListMyRomsProcedure, [&] {
        ScanRomFolder(folder, context.progress(), outcome);
        outcome.owned = std::stoi(QueryValue("SELECT COUNT(*) FROM Data WHERE GotIt=TRUE"));
    });
    if (!error && !context.Cancelled() && HasSoftwareTables()) {
        const OwnedSoftwareOutcome software = RunOwnedSoftwareScan({request.romsFolder}, context);
        if (!software.ok()) {
            static_cast<Outcome&>(outcome) = software;
            return outcome;
        }
        outcome.ownedSoftware = software.owned;
    }
    if (error) {
        static_cast<Outcome&>(outcome) =
            Outcome::Failure(UnreadableDatabase(request.databasePath, *error));
    } else if (context.Cancelled()) {
        static_cast<Outcome&>(outcome) = Outcome::Cancel();
    } else {
        outcome.message = ListMyRomsSummary(outcome);
    }
    return outcome;
}

std::string ListMyRomsSummary(const ListMyRomsOutcome& outcome) {
    return Text(kTextDone) + "\n" + std::to_string(outcome.scanned) + Text(kTextScannedFiles) +
           "\n" + std::to_string(outcome.owned) + Text(kTextListedRoms) + "\n" +
           std::to_string(outcome.added) + Text(kTextSetsAdded) + "\n" +
           std::to_string(outcome.noLongerFound) + Text(kTextSetsNoLongerFound) +
           (outcome.ownedSoftware < 0
                ? std::string()
                : "\n" + std::to_string(outcome.ownedSoftware) + Text(kTextSoftwareOwned));
}

ListMyRomsOutcome ListMyRoms(bool wizardStep) {
    ProcedureScope scope(kListMyRomsProcedure);
    DebugLog("List my roms");
    // Cancelling the chooser cancels the task.
    if (!wizardStep && ConfirmDatabaseFile().empty()) {
        ListMyRomsOutcome cancelled;
        static_cast<Outcome&>(cancelled) = Outcome::Cancel();
        return cancelled;
    }
    MenusOff menus;
    const ListMyRomsRequest request{TheSettings().DatabasePath, TheSettings().RomsFolder};
    ListMyRomsOutcome outcome;
    if (RomFolderHasEntries(WithFolderSeparator(request.romsFolder))) {
        outcome = RunShown([&](TaskContext& context) { return RunListMyRoms(request, context); },
                           {.window = true, .menusOff = false});
    } else {
        // Nothing to scan: the task says so at once, no progress window shows.
        TaskProgress unseen;
        TaskContext context(unseen, Ui());
        outcome = RunListMyRoms(request, context);
    }
    if (outcome.noRomFound) {
        Ui().Message(outcome.message, MsgButtons::Ok, MsgIcon::Critical);
        menus.Keep();
        OpenPathsWindow();
    } else if (outcome.failed()) {
        Ui().Message(outcome.message, MsgButtons::Ok, MsgIcon::Critical);
    } else if (outcome.ok() && !wizardStep) {
        Ui().Message(outcome.message, MsgButtons::Ok, MsgIcon::Information);
    }
    return outcome;
}

}  // namespace arc
