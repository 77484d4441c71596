#include <gtest/gtest.h>

#include <filesystem>

#include "collection/CollectionGameDb.h"
#include "collection/SearchWindowState.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "database/FullTextIndex.h"
#include "database/UserDatabase.h"

namespace arc {
namespace {

class SearchWindowStateTest : public test::CollectionTest {
  protected:
    SearchWindowStateTest() {
        MakeGames({{"pacman", "Pac-Man", "1980", "Namco", "Maze", "", true},
                   {"puckman", "Puck Man", "1980", "Namco", "Maze", "pacman"},
                   {"galaga", "Galaga", "1981", "Namco", "Shooter"},
                   {"xevious", "Xevious", "1982", "namco", "Shooter"},
                   {"1942", "1942", "1984", "Capcom", "Shooter"},
                   {"jalecos", "Jaleco's Game", "1984", "Jaleco's", ""},
                   {"longsetname1234", "Long Name", "", "", "Shooter"}});
    }
    ~SearchWindowStateTest() override { CloseDatabase(); }

    SearchWindowState window;

    std::vector<std::string> Names() const { return Names(window); }
    static std::vector<std::string> Names(const SearchWindowState& state) {
        std::vector<std::string> names;
        for (const SearchResult& result : state.results)
            names.push_back(result.internalName);
        return names;
    }
};

TEST_F(SearchWindowStateTest, CombosHoldWhatTheGroupedQueriesGive) {
    TheSettings().SearchOption = 0;
    ASSERT_TRUE(window.Open());
    EXPECT_FALSE(ui().menusEnabled);
    ASSERT_TRUE(OpenDatabase(TheSettings().DatabasePath));
    // Null and empty values are left out; case-insensitive groups come once.
    for (const char* maker : {"b", "A", "_under", "Zeta", "zeta", "a", "", "Ébène", "10", "9"})
        Execute(std::string("INSERT INTO Data (InternalName, Manufacturer, Bios) VALUES ('x', '") +
                maker + "', '" + maker + "')");
    window.FillCombos();
    for (int i = 0; i < kSearchCriteria; ++i) {
        const SearchCriterion& criterion = SearchCriteria()[i];
        if (criterion.kind != CriterionKind::Values) continue;
        const std::string field(criterion.other);
        std::vector<std::string> expected = {window.combos[i].items[0]};
        Statement grouped("SELECT " + field + " FROM Data GROUP BY " + field + " ORDER BY " +
                          field);
        while (grouped.Step())
            if (!grouped.ColumnText(0).empty()) expected.push_back(grouped.ColumnText(0));
        ASSERT_EQ(window.combos[i].items.size(), expected.size()) << field;
        for (std::size_t k = 0; k < expected.size(); ++k)
            EXPECT_EQ(ToLowerAscii(window.combos[i].items[k]), ToLowerAscii(expected[k])) << field;
    }
    EXPECT_EQ(window.combos[kBiosCriterion].items.size(), 8u);  // "All" and 7 values

    window.backupChecked = true;
    window.Close();
    EXPECT_TRUE(ui().menusEnabled);
    EXPECT_EQ(TheSettings().SearchOption, 1);
}

TEST_F(SearchWindowStateTest, FindListsTheMatchesWithTheirRealNames) {
    ASSERT_TRUE(window.Open());
    window.combos[kGenreCriterion].text = "Shooter";
    window.Find();
    EXPECT_EQ(window.currentTab, SearchWindowState::kResultsTab);
    EXPECT_EQ(window.countLabel, "4 roms.");
    EXPECT_EQ(test::ReadFile(LogFilePath()).find("Genre='Shooter'"), std::string::npos);
    EXPECT_EQ(Names(), (std::vector<std::string>{"1942", "galaga", "longsetname1234", "xevious"}));
    // The line shows 13 characters of the name; the row keeps all of it.
    EXPECT_EQ(window.ResultLines()[2], "longsetname12Long Name");
    EXPECT_TRUE(window.ArchiveButtonsEnabled());

    window.combos[kGenreCriterion].text = window.combos[kGenreCriterion].items[0];
    window.combos[kManufacturerCriterion].text = "Jaleco's";
    window.Find();
    EXPECT_EQ(Names(), (std::vector<std::string>{"jalecos"}));

    window.combos[kManufacturerCriterion].text = window.combos[kManufacturerCriterion].items[0];
    window.keyword = "MAN";  // matched without regard to case, in names and titles
    window.Find();
    EXPECT_EQ(Names(), (std::vector<std::string>{"pacman", "puckman"}));

    window.keyword = "no such game";
    SetDebugLogging(true);  // the query goes to the log only with the flag
    EXPECT_TRUE(window.Find());
    EXPECT_EQ(window.countLabel, "0 rom.");
    EXPECT_FALSE(window.ArchiveButtonsEnabled());
    EXPECT_NE(test::ReadFile(LogFilePath()).find("no such game"), std::string::npos);

    // The fixed choices: a Null GotIt or Mature counts as No.
    window.keyword.clear();
    auto choose = [&](int criterion, int item) {
        for (SearchCombo& combo : window.combos)
            combo.text = combo.items[0];
        window.combos[criterion].text = window.combos[criterion].items[item];
        window.Find();
        return Names();
    };
    EXPECT_EQ(choose(kAvailableCriterion, 1), (std::vector<std::string>{"pacman"}));
    EXPECT_EQ(choose(kAvailableCriterion, 2).size(), 6u);
    EXPECT_EQ(choose(kClonesCriterion, 1), (std::vector<std::string>{"puckman"}));
    EXPECT_EQ(choose(kClonesCriterion, 2).size(), 6u);
    EXPECT_EQ(choose(kMatureCriterion, 2).size(), 7u);
    EXPECT_TRUE(choose(kMatureCriterion, 1).empty());
}

TEST_F(SearchWindowStateTest, TypedDatabasePathResetTheCriteriaSilently) {
    const std::string other = home.str() + "other.mdb";
    std::filesystem::copy_file(TheSettings().DatabasePath, other);
    ASSERT_TRUE(OpenDatabase(other));
    Execute(
        "INSERT INTO Data (InternalName, GameName, Manufacturer) VALUES ('sf2', 'SF II', "
        "'Capcom'), ('kinst', 'Killer Instinct', 'Rare')");
    Execute("DELETE FROM Data WHERE Genre='Maze'");
    CloseDatabase();

    ASSERT_TRUE(window.Open());
    window.combos[kManufacturerCriterion].text = "Capcom";
    window.combos[kGenreCriterion].text = "Maze";  // a value the other database lacks
    const int version = window.combosVersion;
    window.databasePath = other;
    EXPECT_TRUE(window.Find());
    // The criteria shown are the criteria run, the lists come from the new database.
    EXPECT_TRUE(Names().empty());
    EXPECT_GT(window.combosVersion, version);
    EXPECT_EQ(window.combos[kManufacturerCriterion].text, "Capcom");
    EXPECT_EQ(window.combos[kGenreCriterion].text, "Maze");
    EXPECT_EQ(window.combos[kManufacturerCriterion].items.back(), "Rare");
    window.combos[kGenreCriterion].text = window.combos[kGenreCriterion].items[0];
    window.Find();
    EXPECT_EQ(Names(), (std::vector<std::string>{"1942", "sf2"}));

    // The criteria changed without a new Find: Delete refuses rather than act.
    AddRom("sf2.zip");
    window.combos[kManufacturerCriterion].text = window.combos[kManufacturerCriterion].items[0];
    ui().QueueAnswer(MsgAnswer::Yes);
    EXPECT_FALSE(window.DeleteArchives().ran);
    EXPECT_FALSE(window.MoveArchives().ran);
    EXPECT_TRUE(std::filesystem::exists(Roms() + "sf2.zip"));
    EXPECT_EQ(ui().messages.back().icon, MsgIcon::Exclamation);
}

TEST_F(SearchWindowStateTest, AuditAmpersandKeywordAndCriteriaKeptForTheRun) {
    ASSERT_TRUE(window.Open());
    ASSERT_TRUE(OpenDatabase(TheSettings().DatabasePath));
    Execute("INSERT INTO Data (InternalName, GameName) VALUES ('cookie', 'Cookie & Bibi')");
    window.keyword = "&";
    window.Find();
    EXPECT_EQ(Names(), (std::vector<std::string>{"cookie"}));
    window.keyword.clear();
    auto counts = [&] {
        std::vector<std::size_t> found;
        for (int choice : {kAuditComplete, kAuditIncomplete, kAuditBad, kNotAudited}) {
            window.audit.text = window.audit.items[choice];
            window.Find();
            found.push_back(window.results.size());
        }
        return found;
    };
    EXPECT_EQ(counts(), (std::vector<std::size_t>{0, 0, 0, 8}));  // no audit yet
    Execute("CREATE TABLE Audit (Name TEXT PRIMARY KEY, Verdict TEXT)");
    Execute(
        "INSERT INTO Audit VALUES ('pacman', 'complete'), ('galaga', 'best available'), "
        "('1942', 'incomplete'), ('xevious', 'unreadable')");
    EXPECT_EQ(counts(), (std::vector<std::size_t>{2, 1, 1, 4}));

    // The criteria come back at the next opening in the same run.
    window.combos[kGenreCriterion].text = "Shooter";
    window.keyword = "x";
    const std::vector<std::string> kept = window.Close();
    SearchWindowState again;
    ASSERT_TRUE(again.Open(kept));
    EXPECT_EQ(again.combos[kGenreCriterion].text, "Shooter");
    EXPECT_EQ(again.audit.text, again.audit.items[kNotAudited]);
    EXPECT_EQ(again.keyword, "x");
}

TEST_F(SearchWindowStateTest, CancelKeepsTheLinesListedSoFar) {
    test::RecordedProgress progress(3);
    TaskContext context(progress, ui());
    const SearchOutcome outcome = RunSearch(
        {TheSettings().DatabasePath, FixedSearchCombos(), FixedAuditCombo(), {}}, context);
    EXPECT_TRUE(outcome.cancelled());
    EXPECT_EQ(progress.Total(), 7);
    EXPECT_EQ(outcome.results.size(), 2u);
}

TEST_F(SearchWindowStateTest, DisplayOpensTheSheetOfTheSelectedGame) {
    ASSERT_TRUE(window.Open());
    window.htmlFolder = home.str() + "site";
    window.Find();
    window.selected = 3;  // longsetname1234: the real name finds its sheet
    test::WriteFile(home.file("site/html/longsetname1234.htm"), "<html></html>");
    window.DisplaySelected();
    EXPECT_EQ(TheSettings().HtmlFolder, home.str() + "site");

    window.selected = 0;  // no sheet: told
    window.DisplaySelected();
    window.selected = -1;  // no selection: nothing
    window.DisplaySelected();
    EXPECT_EQ(ui().opened, std::vector<std::string>{home.str() + "site/html/longsetname1234.htm"});
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].text, Text(199));
}

TEST_F(SearchWindowStateTest, ADatabaseThatCannotBeOpenedClosesTheWindow) {
    const std::string good = TheSettings().DatabasePath;
    TheSettings().DatabasePath = home.str() + "missing.mdb";
    // The user cancels the chooser: the window closes.
    EXPECT_FALSE(window.Open());
    EXPECT_EQ(ui().messages.size(), 1u);
    EXPECT_TRUE(ui().menusEnabled);

    // A file that is no database chosen: named, and the window closes.
    ui().messages.clear();
    test::WriteFile(home.str() + "other.mdb", std::string(2048, 'x'));
    ui().QueueFile(home.str() + "other.mdb");
    EXPECT_FALSE(window.Open());
    EXPECT_NE(ui().messages.back().text.find("other.mdb"), std::string::npos);

    // A good file chosen: the window opens on it, for itself only.
    ui().QueueFile(good);
    EXPECT_TRUE(window.Open());
    EXPECT_EQ(window.databasePath, good);
    EXPECT_EQ(TheSettings().DatabasePath, home.str() + "missing.mdb");
}

TEST_F(SearchWindowStateTest, ATypedDatabasePathBecameTheProgramsDatabase) {
    const std::string program = TheSettings().DatabasePath;
    ASSERT_TRUE(SaveSettings());
    const std::string saved = test::ReadFile(InProgramFolder("Arcanote.inf"));
    ASSERT_TRUE(window.Open());
    for (const std::string& typed : {home.str() + "mistyped.mdb", program + "x"}) {
        window.databasePath = typed;
        EXPECT_FALSE(window.Find());
        EXPECT_NE(ui().messages.back().text.find(typed), std::string::npos);
    }
    ui().QueueFile(home.str() + "chosen.mdb");
    window.ChooseDatabase();
    EXPECT_EQ(TheSettings().DatabasePath, program);
    EXPECT_EQ(test::ReadFile(InProgramFolder("Arcanote.inf")), saved);
    EXPECT_FALSE(IsDatabaseOpen());
}

TEST_F(SearchWindowStateTest, FullTextFavouritesAndYearRangeNarrowTheCriteria) {
    ASSERT_TRUE(window.Open());
    window.keyword = "gorilla";
    window.fullText = true;
    // No index yet: said, with what to do.
    EXPECT_FALSE(window.Find());
    EXPECT_NE(ui().messages.back().text.find(Text(kTextNoFullTextIndex)), std::string::npos);

    ASSERT_TRUE(OpenDatabase(TheSettings().DatabasePath));
    Execute(
        "INSERT INTO History (CodeHistory, Description) VALUES (1, 'A gorilla.'), "
        "(2, 'Gorilla gorilla gorilla, a gorilla story.')");
    Execute("UPDATE Data SET CodeHistory = 1 WHERE InternalName IN ('pacman', 'galaga')");
    Execute("UPDATE Data SET CodeHistory = 2 WHERE InternalName = '1942'");
    BuildFullTextIndex();
    CloseDatabase();
    // The best match first, then the query's order; the criteria still apply.
    EXPECT_TRUE(window.Find());
    EXPECT_EQ(Names(), (std::vector<std::string>{"1942", "galaga", "pacman"}));
    window.combos[kGenreCriterion].text = "Shooter";
    window.yearFrom = "1981";
    window.yearTo = "1983";
    window.Find();
    EXPECT_EQ(Names(), (std::vector<std::string>{"galaga"}));
    EXPECT_EQ(window.results[0].year, "1981");
    EXPECT_EQ(window.results[0].manufacturer, "Namco");

    // Favourites: none before the user database exists.
    window.fullText = false;
    window.keyword.clear();
    window.yearFrom = "1980";
    window.yearTo.clear();
    window.favouritesOnly = true;
    EXPECT_TRUE(window.Find());
    EXPECT_TRUE(window.results.empty());
    UserDatabase(UserDatabase::PathBeside(TheSettings().DatabasePath))
        .SetFavourite("XEVIOUS", true);
    window.Find();
    EXPECT_EQ(Names(), (std::vector<std::string>{"xevious"}));
    window.favouritesOnly = false;
    EXPECT_FALSE(window.ResultsMatchBoxes());

    // The options come back at the next opening; the table sorts its rows.
    window.Find();
    const std::vector<std::string> kept = window.Close();
    SearchWindowState again;
    ASSERT_TRUE(again.Open(kept));
    EXPECT_EQ(again.yearFrom, "1980");
    EXPECT_FALSE(again.fullText);
    again.Find();
    again.SortResults(SearchWindowState::kYearColumn, true);
    EXPECT_EQ(Names(again), (std::vector<std::string>{"1942", "xevious", "galaga"}));
    again.SortResults(SearchWindowState::kSetColumn, false);
    EXPECT_EQ(Names(again), (std::vector<std::string>{"1942", "galaga", "xevious"}));
    EXPECT_EQ(again.YearBounds().front(), "");
}

}  // namespace
}  // namespace arc
