#include "collection/SearchWindowState.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

#include "collection/TaskDatabase.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
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

bool SearchWindowState::Open(const std::vector<std::string>& kept) {
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
    RestoreCriteria(kept);
    DisableMenus();
    return true;
}

std::vector<std::string> SearchWindowState::Close() {
    TheSettings().SearchOption = backupChecked ? 1 : 0;
    std::vector<std::string> kept;
    for (const SearchCombo& combo : combos)
        kept.push_back(combo.text);
    kept.push_back(audit.text);
    kept.push_back(keyword);
    kept.push_back(fullText ? "1" : "");
    kept.push_back(favouritesOnly ? "1" : "");
    kept.push_back(yearFrom);
    kept.push_back(yearTo);
    EnableMenus();
    return kept;
}

void SearchWindowState::RestoreCriteria(const std::vector<std::string>& kept) {
    audit = FixedAuditCombo();
    if (kept.size() != kSearchCriteria + 6) return;
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
    keyword = kept[kSearchCriteria + 1];
    fullText = !kept[kSearchCriteria + 2].empty();
    favouritesOnly = !kept[kSearchCriteria + 3].empty();
    yearFrom = kept[kSearchCriteria + 4];
    yearTo = kept[kSearchCriteria + 5];
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
    SearchRequest request{databasePath, combos, audit, keyword};
    request.fullText = fullText;
    request.favouritesOnly = favouritesOnly;
    request.yearFrom = yearFrom;
    request.yearTo = yearTo;
    return request;
}

std::string SearchWindowState::Source() const {
    return databasePath + '\n' + Query(false) + '\n' + (fullText ? "text" : "") +
           (favouritesOnly ? " favourites" : "") + '\n' + yearFrom + '\n' + yearTo;
}

bool SearchWindowState::ResultsMatchBoxes() const {
    return resultsSource_ == Source();
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
    const SearchRequest request = Request();
    SearchOutcome outcome =
        RunShown([&](TaskContext& context) { return RunSearch(request, context); },
                 {.window = true, .menusOff = false});
    if (outcome.failed()) {
        Ui().Message(outcome.message, MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    lastQuery = outcome.query;
    results = std::move(outcome.results);
    resultsSource_ = Source();
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

void SearchWindowState::SortResults(Column column, bool descending) {
    auto field = [column](const SearchResult& result) -> const std::string& {
        switch (column) {
            case kSetColumn:
                return result.internalName;
            case kYearColumn:
                return result.year;
            case kManufacturerColumn:
                return result.manufacturer;
            case kTitleColumn:
                break;
        }
        return result.gameName;
    };
    // Lower-cased keys made once, not at every comparison.
    struct Keyed {
        std::string key, title;
        SearchResult result;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(results.size());
    for (SearchResult& result : results)
        keyed.push_back(
            {ToLowerAscii(field(result)), ToLowerAscii(result.gameName), std::move(result)});
    std::sort(keyed.begin(), keyed.end(), [descending](const Keyed& a, const Keyed& b) {
        if (a.key != b.key) return descending ? b.key < a.key : a.key < b.key;
        if (a.title != b.title) return a.title < b.title;
        return a.result.internalName < b.result.internalName;
    });
    results.clear();
    for (Keyed& row : keyed)
        results.push_back(std::move(row.result));
    selected = -1;
}

std::vector<std::string> SearchWindowState::YearBounds() const {
    std::vector<std::string> bounds = {""};
    const std::vector<std::string>& years = combos[kYearCriterion].items;
    if (!years.empty()) bounds.insert(bounds.end(), years.begin() + 1, years.end());
    return bounds;
}

std::vector<std::string> SearchWindowState::ResultLines() const {
    std::vector<std::string> lines;
    lines.reserve(results.size());
    for (const SearchResult& result : results)
        lines.push_back(result.Line());
    return lines;
}

}  // namespace arc
