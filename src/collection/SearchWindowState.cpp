#include "collection/SearchWindowState.h"

#include <utility>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "database/Database.h"

namespace arc {
namespace {

constexpr int kOpenProcedure = 610;
constexpr int kFindProcedure = 611;
constexpr int kCombosProcedure = 612;
constexpr int kDisplayProcedure = 613;
constexpr int kWindowNumber = 10;

/// The distinct values of one criterion, in the order the query gives them.
std::vector<std::string> DistinctValues(std::string_view query) {
    std::vector<std::string> values;
    Statement statement(query);
    while (statement.Step()) {
        if (statement.IsNull(0)) continue;
        std::string value = statement.ColumnText(0);
        if (!value.empty()) values.push_back(std::move(value));
    }
    return values;
}

}  // namespace

bool SearchWindowState::Open() {
    ProcedureScope scope(kOpenProcedure);
    const Settings& settings = TheSettings();
    backupChecked = settings.SearchOption != 0;
    backupFolder = settings.BackupFolder;
    keyword.clear();
    iniFolderName.clear();
    countLabel.clear();
    databasePath = settings.DatabasePath;
    htmlFolder = settings.HtmlFolder;
    currentTab = kSearchTab;
    results.clear();
    selected = -1;

    CloseDatabase();
    if (!OpenDatabase(TheSettings().DatabasePath)) {
        const std::string failed = TheSettings().DatabasePath;
        const std::string chosen = ChooseDatabaseFile();
        // The chooser gives back the name it started on when cancelled.
        if (chosen.empty() || chosen == failed) return false;
        if (!OpenDatabase(chosen)) {
            Ui().Message(Text(229), MsgButtons::Ok, MsgIcon::Critical);
            return false;
        }
        databasePath = chosen;
    }
    FillCombos();
    DisableMenus();
    return true;
}

void SearchWindowState::Close(int left, int top) {
    Settings& settings = TheSettings();
    settings.SearchOption = backupChecked ? 1 : 0;
    settings.WindowLeft[kWindowNumber] = left;
    settings.WindowTop[kWindowNumber] = top;
    EnableMenus();
}

std::optional<int> SearchWindowState::SavedLeft() const {
    const int left = TheSettings().WindowLeft[kWindowNumber];
    return left > 0 ? std::optional<int>(left) : std::nullopt;
}

std::optional<int> SearchWindowState::SavedTop() const {
    const int top = TheSettings().WindowTop[kWindowNumber];
    return top > 0 ? std::optional<int>(top) : std::nullopt;
}

void SearchWindowState::FillCombos() {
    combos = FixedSearchCombos();
    results.clear();
    selected = -1;
    Guarded(kCombosProcedure, [&] {
        for (int i = 0; i < kSearchCriteria; ++i) {
            const SearchCriterion& criterion = SearchCriteria()[i];
            if (criterion.kind != CriterionKind::Values) continue;
            std::vector<std::string> values = DistinctValues(criterion.other);
            combos[i].items.insert(combos[i].items.end(), std::make_move_iterator(values.begin()),
                                   std::make_move_iterator(values.end()));
        }
    });
}

void SearchWindowState::TakeBoxes() {
    TheSettings().DatabasePath = databasePath;
    TheSettings().HtmlFolder = htmlFolder;
}

bool SearchWindowState::OpenCurrentDatabase() {
    if (IsDatabaseOpen() && OpenDatabasePath() == databasePath) return true;
    if (!OpenDatabase(databasePath)) return false;
    FillCombos();
    return true;
}

void SearchWindowState::Find() {
    TakeBoxes();
    countLabel = "0 rom.";
    results.clear();
    selected = -1;
    Guarded(kFindProcedure, [&] {
        // A database path typed into the box takes effect here.
        if (!OpenCurrentDatabase()) return;
        LongTask task(0, false);
        task.SetLabel(Text(197));
        lastQuery = BuildSearchQuery(combos, keyword);
        DebugLog(lastQuery);

        std::vector<SearchResult> rows;
        Statement query(lastQuery);
        while (query.Step())
            rows.push_back({query.ColumnText(0), query.ColumnText(1)});
        if (!rows.empty()) {
            task.SetTotal(static_cast<int>(rows.size()));
            countLabel = std::to_string(rows.size()) + " roms.";
            results.reserve(rows.size());
            for (std::size_t i = 0; i < rows.size(); ++i) {
                if (!task.Step(static_cast<int>(i) + 1)) break;
                results.push_back(std::move(rows[i]));
            }
        }
    });
    currentTab = kResultsTab;
}

void SearchWindowState::DisplaySelected() {
    ProcedureScope scope(kDisplayProcedure);
    if (selected < 0 || selected >= static_cast<int>(results.size())) return;
    TakeBoxes();
    const std::string path =
        WithTrailingSlash(htmlFolder) + "html/" + results[selected].internalName + ".htm";
    if (!FileExists(path)) {
        Ui().Message(Text(199), MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    Ui().OpenWithDefaultApp(path);
}

void SearchWindowState::ChooseSheetsFolder() {
    const std::string folder = BrowseFolder(TheSettings().HtmlFolder, Text(198));
    if (folder.empty()) return;
    TheSettings().HtmlFolder = folder;
    htmlFolder = folder;
}

void SearchWindowState::ChooseDatabase() {
    const std::string chosen = ChooseDatabaseFile();
    if (chosen.empty()) return;
    databasePath = chosen;
    OpenCurrentDatabase();
}

void SearchWindowState::ChooseBackupFolder() {
    const std::string folder = arc::ChooseBackupFolder();
    if (!folder.empty()) backupFolder = folder;
}

void SearchWindowState::MakeIni() {
    ExportResultsToIni(results, iniFolderName);
}

ArchiveActionOutcome SearchWindowState::DeleteArchives() {
    if (!backupFolder.empty()) TheSettings().BackupFolder = backupFolder;
    return DeleteResultArchives(results, backupChecked);
}

ArchiveActionOutcome SearchWindowState::MoveArchives() {
    return MoveResultArchives(results);
}

ArchiveActionOutcome SearchWindowState::CopyArchives() {
    return CopyResultArchives(results);
}

std::vector<std::string> SearchWindowState::ResultLines() const {
    std::vector<std::string> lines;
    lines.reserve(results.size());
    for (const SearchResult& result : results)
        lines.push_back(result.Line());
    return lines;
}

}  // namespace arc
