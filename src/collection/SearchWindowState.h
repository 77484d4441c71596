#pragma once
// The search window's state and commands, without any widget: the desktop
// window binds its controls to one instance, the command line drives one too.

#include <string>
#include <vector>

#include "core/WindowId.h"

#include "collection/Search.h"
#include "collection/SearchActions.h"
#include "collection/SearchQuery.h"
#include "collection/SearchResult.h"

namespace arc {

class SearchWindowState {
  public:
    enum Tab : int { kSearchTab = 0, kOptionsTab = 1, kResultsTab = 2 };
    static constexpr int kWindowNumber = WindowNumber(WindowId::Search);

    /// Loads the boxes from the settings, reads the combos from the database
    /// (asking for another one, for this window only, when it cannot be read)
    /// and switches the menus off; `kept` (what Close() gave at the last
    /// closing) sets the criteria again. False when the window must close at once.
    bool Open(const std::vector<std::string>& kept = {});
    /// Stores the backup option and switches the menus back on; returns the
    /// criteria and keyword, which the window's owner keeps for the next
    /// opening in this run. (The window keeps its own place as window number
    /// kWindowNumber.)
    std::vector<std::string> Close();

    /// Fills the fourteen combos from the database of the box (texts on
    /// "All"); false (combos left fixed) when it cannot be read.
    bool FillCombos();
    /// The request of the boxes: database, criteria, keyword.
    SearchRequest Request() const;
    /// Runs the search for the combos and the keyword; the Results tab shows.
    /// A database path typed into its box is read first, its combos refilled
    /// with the chosen values kept; the program's own database stays as it
    /// is. False when the list is not complete (database not read, query
    /// failed, cancelled).
    bool Find();
    /// True while the listed results are those of the criteria, keyword and
    /// database now in the boxes (no change since the Find that listed them).
    bool ResultsMatchBoxes() const;

    void SelectTab(int tab) { currentTab = tab; }
    /// Delete, Move and Copy need at least one result.
    bool ArchiveButtonsEnabled() const { return !results.empty(); }
    /// The backup folder box and button follow the backup check box.
    bool BackupControlsEnabled() const { return backupChecked; }

    /// Opens the sheet of the selected result (or says it is missing).
    void DisplaySelected();
    /// The sheets-folder button.
    void ChooseSheetsFolder();
    /// The database button: a new choice (for this window only) is read and
    /// the combos refilled.
    void ChooseDatabase();
    /// The backup folder button.
    void ChooseBackupFolder();

    void MakeIni();
    /// The archive commands act on the listed results, and only while they
    /// match the boxes: after a change of criteria without a new Find they
    /// refuse (with a message) rather than act on rows the criteria do not show.
    ArchiveActionOutcome DeleteArchives();
    ArchiveActionOutcome MoveArchives();
    ArchiveActionOutcome CopyArchives();

    std::vector<std::string> ResultLines() const;

    /// The results table's columns.
    enum Column : int { kSetColumn, kTitleColumn, kYearColumn, kManufacturerColumn };
    /// Sorts the results by a column (without regard to case; ties by title,
    /// then set name). The INI export and the archive commands follow the
    /// new order; the selection is cleared.
    void SortResults(Column column, bool descending);
    /// The year bounds offered: "" (no bound), then the years of the database.
    std::vector<std::string> YearBounds() const;

    int currentTab = kSearchTab;
    std::string databasePath;  ///< the database path box
    std::string htmlFolder;    ///< the sheets folder box
    std::string keyword;
    bool fullText = false;        ///< the keyword is searched in the games' texts
    bool favouritesOnly = false;  ///< only the user's favourites
    std::string yearFrom;         ///< the year range ("" for no bound)
    std::string yearTo;
    std::string iniFolderName;
    std::string backupFolder;  ///< the backup folder box
    bool backupChecked = true;
    std::string countLabel;
    SearchCombos combos = FixedSearchCombos();
    SearchCombo audit = FixedAuditCombo();  ///< the audit criterion
    std::vector<SearchResult> results;
    int selected = -1;      ///< index into results, -1 for none
    std::string lastQuery;  ///< the query of the last search
    /// Bumped whenever the combos' items are refilled: a window reloads them.
    int combosVersion = 0;

  private:
    bool ReadDatabaseOfBox();
    void TakeBoxes();
    bool ResultsShown();
    std::string Query(bool forEngine) const;
    /// The database and every criterion of the boxes, as one text.
    std::string Source() const;
    void RestoreCriteria(const std::vector<std::string>& kept);

    std::string combosSource_;   ///< database whose values fill the combos
    std::string resultsSource_;  ///< database and query of the listed results
    bool auditExists_ = false;   ///< the database has an Audit table
};

}  // namespace arc
