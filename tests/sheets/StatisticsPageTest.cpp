#include <gtest/gtest.h>

#include <filesystem>

#include "SheetFixture.h"
#include "core/ProgramFolder.h"
#include "database/Database.h"
#include "sheets/GamePages.h"
#include "sheets/StatisticsPage.h"

namespace arc::test {
namespace {

class StatisticsTest : public SheetTest {
  protected:
    void AddCollection(bool owned) {
        const char* got = owned ? "1" : "0";
        AddGame("p1", "P1",
                {{"Working", "1"},
                 {"CorrectColors", "1"},
                 {"Sound", "1"},
                 {"ScreenFlip", "1"},
                 {"Genre", "Maze"},
                 {"GotIt", got}});
        AddGame("c1", "C1", {{"Working", "1"}, {"Sound", "0"}, {"CloneOf", "p1"}, {"GotIt", got}});
        AddGame("p2", "P2", {{"Working", "0"}, {"Genre", "Shooter"}, {"Hiscore", "1"}});
        AddGame("c2", "C2", {{"Working", "1"}, {"CloneOf", "P2"}, {"Cheat", "1"}});
        AddGame("p3", "P3", {{"Working", "0"}});
        AddRow("Command", {{"InternalName", "p1"}, {"cmd", "x"}});
        AddHistory({"p1", "c1"}, {{"Description", "text"}});
    }
};

TEST_F(StatisticsTest, AllGamesBlockCountsEveryLineAndOwnedBlocksStayEmpty) {
    AddCollection(false);
    const std::string all = StatisticsBlock("");
    for (const char* line :
         {"Supported roms : 5.", "1 working roms with preliminary sounds.",
          "1 non working roms for which there is a working clone.", "Finaly, 3 roms are playable.",
          "3 different genres", "1 roms are supported in Command.dat.",
          "2 roms are supported in History.dat."})
        EXPECT_NE(all.find(line), std::string::npos) << line;
    SheetRun run = NewRun();
    WriteStatisticsPage(run, progress);
    const std::string page = Page("STAT.htm");
    EXPECT_EQ(page.find("[00"), std::string::npos);
    EXPECT_NE(page.find("Supported roms : 3.<br>"), std::string::npos);  // parents
    const std::size_t clones = page.find("Supported roms : 2.<br>");
    EXPECT_NE(clones, std::string::npos);
    EXPECT_EQ(page.find("Supported roms", clones + 1), std::string::npos);  // owned: empty
    AddGame("p4", "P4", {{"Genre", "MAZE"}});  // the genre of p1: groups ignore case
    EXPECT_NE(StatisticsBlock("").find("3 different genres"), std::string::npos);
}

TEST_F(StatisticsTest, OwnedBlocksCountOwnedGamesOnly) {
    AddCollection(true);
    EXPECT_EQ(StatisticsBlock("GotIt=TRUE AND CloneOf IS NOT NULL").substr(0, 25),
              "Supported roms : 1.<br>\r\n");
    const std::string owned = StatisticsBlock("GotIt=TRUE");
    EXPECT_EQ(owned.rfind("Supported roms : 2.<br>\r\n", 0), 0u);
    EXPECT_EQ(owned.find("non working"), std::string::npos);
    EXPECT_NE(owned.find("2 roms are supported in History.dat.<br>"), std::string::npos);
}

TEST_F(StatisticsTest, CountsFollowTheDatabaseWhenTheSiteIsInTheProgramFolder) {
    AddCollection(false);
    SheetRun run = NewRun();
    run.htmlFolder = ProgramFolder();  // the default destination
    std::filesystem::create_directories(run.PagesFolder());
    WriteStatisticsPage(run, progress);
    AddGame("p4", "P4");
    WriteStatisticsPage(run, progress);
    EXPECT_NE(ReadFile(run.PagesFolder() + "STAT.htm").find("Supported roms : 6."),
              std::string::npos);
    WriteFile(home.str() + "skin/stat.htm", "skin #HOME [001]");
    run.skinFolder = home.str() + "skin/";
    WriteStatisticsPage(run, progress);
    EXPECT_EQ(ReadFile(run.PagesFolder() + "STAT.htm")
                  .rfind("skin <a href=../index.htm>MENU</a> Supported roms : 6.", 0),
              0u);
}

// The built-in pages in the interface's language; the audit shows only once
// one was made, so that other sites stay as they were.
TEST_F(StatisticsTest, EnglishPageAndAuditLinesOnlyWithAnAudit) {
    AddCollection(true);
    SheetRun run = NewRun();
    WriteStatisticsPage(run, progress);
    const std::string before = Page("STAT.htm");
    EXPECT_EQ(before.rfind("<html><body><p>&nbsp;GENERAL STATISTICS<br>", 0), 0u);
    EXPECT_EQ(before.find("Audit"), std::string::npos);
    Execute("CREATE TABLE Audit (Name TEXT PRIMARY KEY, Verdict TEXT, Problems TEXT)");
    Execute("INSERT INTO Audit VALUES ('p1', 'complete', ''), ('c1', 'bad', 'a.bin: wrong CRC')");
    WriteStatisticsPage(run, progress);
    EXPECT_NE(Page("STAT.htm").find("Audit of the owned sets: 1 complete, 1 bad.<br>"),
              std::string::npos);
    ASSERT_EQ(WriteGamePages(run, GamePageTemplate("#AUDIT"), progress), PagesOutcome::Written);
    EXPECT_EQ(Page("c1.htm") + "|" + Page("p2.htm"), "bad (a.bin: wrong CRC)|not audited");
}

}  // namespace
}  // namespace arc::test
