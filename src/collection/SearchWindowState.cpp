#include "collection/SearchWindowState.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

#include "collection/TaskDatabase.h"
#include "core/AppState.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "database/Database.h"

namespace arc {
namespace {

constexpr int kOpenProcedure = 610;
constexpr int kCombosProcedure = 612;
constexpr int kDisplayProcedure = 613;

/// The database chooser of the window: the choice is the window's, never the
/// program's database.
std::string ChooseSearchDatabase(const std::string& current) {
    bool cancelled = false;
    const std::string chosen = ChooseFile(Text(kTextOpenDatabaseTitle), current, 1, false,
                                          Text(kTextDatabaseFilter), &cancelled);
    return cancelled ? std::string() : chosen;
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

    if (!FillCombos()) {
        const std::string chosen = ChooseSearchDatabase(databasePath);
        // The chooser gives back the name it started on when cancelled.
        if (chosen.empty() || chosen == databasePath) return false;
        databasePath = chosen;
        if (!FillCombos()) return false;
    }
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

bool SearchWindowState::FillCombos() {
    combos = FixedSearchCombos();
    results.clear();
    resultsSource_.clear();
    combosSource_.clear();
    selected = -1;
    ++combosVersion;
    std::unique_ptr<ReadOnlyDatabase> db;
    std::string problem = OpenSearchDatabase(databasePath, db);
    if (problem.empty()) {
        const std::optional<std::string> error =
            GuardedFailure(kCombosProcedure, [&] { combos = CombosOf(*db); });
        if (error) problem = UnreadableDatabase(databasePath, *error);
    }
    if (!problem.empty()) {
        Ui().Message(problem, MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    auditExists_ = db->HasTable("Audit");
    combosSource_ = databasePath;
    return true;
}

void SearchWindowState::TakeBoxes() {
    TheSettings().HtmlFolder = htmlFolder;
}

bool SearchWindowState::ReadDatabaseOfBox() {
    if (combosSource_ == databasePath) return true;
    // Another database: its own values, the chosen ones kept (a value it lacks
    // stays listed, and finds nothing), so that the search runs on what shows.
    std::array<std::string, kSearchCriteria> chosen;
    for (int i = 0; i < kSearchCriteria; ++i)
        chosen[i] = combos[i].text;
    const bool read = FillCombos();
    for (int i = 0; i < kSearchCriteria; ++i) {
        SearchCombo& combo = combos[i];
        if (std::find(combo.items.begin(), combo.items.end(), chosen[i]) == combo.items.end())
            combo.items.push_back(chosen[i]);
        combo.text = chosen[i];
    }
    return read;
}

SearchRequest SearchWindowState::Request() const {
    return {databasePath, combos, audit, keyword};
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
    currentTab = kResultsTab;
    // A database path typed into the box takes effect here, in this window only.
    if (!ReadDatabaseOfBox()) return false;
    SearchOutcome outcome;
    {
        LongTask task(0, false);
        TaskContext context(task, Ui());
        outcome = RunSearch(Request(), context);
    }
    if (outcome.failed()) {
        Ui().Message(outcome.message, MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    lastQuery = outcome.query;
    results = std::move(outcome.results);
    resultsSource_ = databasePath + '\n' + lastQuery;
    if (!results.empty()) countLabel = std::to_string(results.size()) + " roms.";
    return outcome.ok();
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
    const std::string chosen = ChooseSearchDatabase(databasePath);
    if (chosen.empty()) return;
    databasePath = chosen;
    ReadDatabaseOfBox();
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
