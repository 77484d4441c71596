#include "collection/SearchWindowState.h"

#include <algorithm>
#include <array>
#include <utility>

#include "collection/DistinctTextValues.h"
#include "core/AppState.h"
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

/// The distinct values of every value criterion, read in one pass over Data:
/// grouped and ordered as "SELECT f FROM Data GROUP BY f ORDER BY f" would
/// give them, Null and empty values left out.
std::vector<std::vector<std::string>> DistinctCriterionValues(const std::vector<int>& criteria) {
    std::string sql = "SELECT ";
    for (std::size_t i = 0; i < criteria.size(); ++i) {
        if (i > 0) sql += ", ";
        sql += SearchCriteria()[criteria[i]].other;
    }
    sql += " FROM Data";
    std::vector<DistinctTextValues> distinct(criteria.size());
    Statement statement(sql);
    while (statement.Step()) {
        for (std::size_t i = 0; i < criteria.size(); ++i)
            distinct[i].Add(statement.ColumnView(static_cast<int>(i)));
    }
    std::vector<std::vector<std::string>> values;
    for (const DistinctTextValues& column : distinct)
        values.push_back(column.Sorted());
    return values;
}

/// Every search scans the whole Data table: reading it through a memory map
/// rather than the connection's small page cache makes repeated scans cheap.
void MapDatabaseForScans() {
    QueryValue("PRAGMA mmap_size=268435456");
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
            Ui().Message(Text(kTextCannotOpenDatabase), MsgButtons::Ok, MsgIcon::Critical);
            return false;
        }
        databasePath = chosen;
    }
    Guarded(kOpenProcedure, MapDatabaseForScans);
    FillCombos();
    RestoreCriteria();
    DisableMenus();
    return true;
}

void SearchWindowState::Close() {
    TheSettings().SearchOption = backupChecked ? 1 : 0;
    std::vector<std::string>& kept = State().SearchCriteria;
    kept.clear();
    for (const SearchCombo& combo : combos)
        kept.push_back(combo.text);
    kept.push_back(audit.text);
    kept.push_back(keyword);
    EnableMenus();
}

void SearchWindowState::RestoreCriteria() {
    audit = FixedAuditCombo();
    const std::vector<std::string>& kept = State().SearchCriteria;
    if (kept.size() != kSearchCriteria + 2) return;
    // A kept value this database lacks stays listed (and finds nothing).
    for (int i = 0; i < kSearchCriteria; ++i) {
        SearchCombo& combo = combos[i];
        if (std::find(combo.items.begin(), combo.items.end(), kept[i]) == combo.items.end())
            combo.items.push_back(kept[i]);
        combo.text = kept[i];
    }
    const std::string& choice = kept[kSearchCriteria];
    if (std::find(audit.items.begin(), audit.items.end(), choice) != audit.items.end())
        audit.text = choice;
    keyword = kept.back();
}

std::string SearchWindowState::Query(bool forEngine) const {
    return BuildSearchQuery(combos, keyword, forEngine, AuditClause(audit, auditExists_));
}

void SearchWindowState::FillCombos() {
    combos = FixedSearchCombos();
    results.clear();
    resultsSource_.clear();
    selected = -1;
    ++combosVersion;
    Guarded(kCombosProcedure, [&] {
        std::vector<int> criteria;
        for (int i = 0; i < kSearchCriteria; ++i)
            if (SearchCriteria()[i].kind == CriterionKind::Values) criteria.push_back(i);
        std::vector<std::vector<std::string>> values = DistinctCriterionValues(criteria);
        for (std::size_t i = 0; i < criteria.size(); ++i) {
            std::vector<std::string>& items = combos[criteria[i]].items;
            items.insert(items.end(), std::make_move_iterator(values[i].begin()),
                         std::make_move_iterator(values[i].end()));
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
    Guarded(kOpenProcedure, MapDatabaseForScans);
    // Another database: its own values, the chosen ones kept (a value it lacks
    // stays listed, and finds nothing), so that the search runs on what shows.
    std::array<std::string, kSearchCriteria> chosen;
    for (int i = 0; i < kSearchCriteria; ++i)
        chosen[i] = combos[i].text;
    FillCombos();
    for (int i = 0; i < kSearchCriteria; ++i) {
        SearchCombo& combo = combos[i];
        if (std::find(combo.items.begin(), combo.items.end(), chosen[i]) == combo.items.end())
            combo.items.push_back(chosen[i]);
        combo.text = chosen[i];
    }
    return true;
}

bool SearchWindowState::ResultsMatchBoxes() const {
    return resultsSource_ == databasePath + '\n' + Query(false);
}

bool SearchWindowState::ResultsShown() {
    if (ResultsMatchBoxes()) return true;
    Ui().Message(Text(kTextCriteriaChanged), MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

bool SearchWindowState::Find() {
    TakeBoxes();
    countLabel = "0 rom.";
    results.clear();
    resultsSource_.clear();
    selected = -1;
    bool complete = false;
    Guarded(kFindProcedure, [&] {
        // A database path typed into the box takes effect here.
        if (!OpenCurrentDatabase()) return;
        LongTask task(0, false);
        task.SetLabel(Text(kTextSearchMenu));
        auditExists_ = TableExists("Audit");
        lastQuery = Query(false);
        DebugLog(lastQuery);

        Statement query(Query(true));
        while (query.Step())
            results.push_back({query.ColumnText(0), query.ColumnText(1)});
        resultsSource_ = databasePath + '\n' + lastQuery;
        complete = true;
        if (results.empty()) return;
        const int count = static_cast<int>(results.size());
        task.SetTotal(count);
        countLabel = std::to_string(count) + " roms.";
        // The list fills line by line; a cancel keeps the lines added so far.
        for (int i = 0; i < count; ++i) {
            if (!task.Step(i + 1)) {
                results.resize(i);
                complete = false;
                break;
            }
        }
    });
    currentTab = kResultsTab;
    return complete;
}

void SearchWindowState::DisplaySelected() {
    ProcedureScope scope(kDisplayProcedure);
    if (selected < 0 || selected >= static_cast<int>(results.size())) return;
    TakeBoxes();
    const std::string path =
        WithTrailingSlash(htmlFolder) + "html/" + results[selected].internalName + ".htm";
    if (!FileExists(path)) {
        Ui().Message(Text(kTextGamePageNotFound), MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    Ui().OpenWithDefaultApp(path);
}

void SearchWindowState::ChooseSheetsFolder() {
    const std::string folder = BrowseFolder(TheSettings().HtmlFolder, Text(kTextGameFilesPath));
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
    if (!ResultsShown()) return {};
    if (!backupFolder.empty()) TheSettings().BackupFolder = backupFolder;
    return DeleteResultArchives(results, backupChecked);
}

ArchiveActionOutcome SearchWindowState::MoveArchives() {
    return ResultsShown() ? MoveResultArchives(results) : ArchiveActionOutcome{};
}

ArchiveActionOutcome SearchWindowState::CopyArchives() {
    return ResultsShown() ? CopyResultArchives(results) : ArchiveActionOutcome{};
}

std::vector<std::string> SearchWindowState::ResultLines() const {
    std::vector<std::string> lines;
    lines.reserve(results.size());
    for (const SearchResult& result : results)
        lines.push_back(result.Line());
    return lines;
}

}  // namespace arc
