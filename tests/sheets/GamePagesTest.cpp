#include <gtest/gtest.h>

#include <filesystem>

#include "SheetFixture.h"
#include "sheets/GamePages.h"
#include "sheets/ListPages.h"
#include "sheets/SheetTemplates.h"

namespace arc::test {
namespace {

class GamePagesTest : public SheetTest {
  protected:
    PagesOutcome Write(const std::string& templ, SheetRun& run) {
        return WriteGamePages(run, GamePageTemplate(templ), reportTo ? *reportTo : progress);
    }
    PagesOutcome Write(const std::string& templ) {
        run = NewRun();
        return Write(templ, run);
    }
    SheetRun run;
    TaskProgress* reportTo = nullptr;  ///< instead of the fixture's progress
};

TEST_F(GamePagesTest, SelectionFollowsTheTickedBoxes) {
    AddGame("owned", "Owned", {{"GotIt", "1"}, {"Working", "1"}});
    AddGame("clone", "Clone", {{"GotIt", "1"}, {"Working", "1"}, {"CloneOf", "owned"}});
    AddGame("broken", "Broken", {{"GotIt", "0"}, {"Working", "0"}});
    AddGame("missing", "Missing", {{"GotIt", "0"}, {"Working", "1"}});
    const std::pair<SheetChoices, std::string> cases[] = {
        {{}, "BCMO"},
        {{.onlyAvailable = true}, "CO"},
        {{.avoidClones = true}, "BMO"},
        {{.avoidNonWorking = true}, "CMO"},
        {{.onlyAvailable = true, .avoidClones = true, .avoidNonWorking = true}, "O"}};
    for (const auto& [choices, letters] : cases) {
        run = NewRun();
        run.choices = choices;
        ASSERT_EQ(Write("#INTERNALNAME", run), PagesOutcome::Written);
        std::string listed;
        for (const std::string& entry : run.gameList)
            listed += entry.front();
        EXPECT_EQ(listed, letters) << GameSelectionQuery(choices);
    }
}

TEST_F(GamePagesTest, NeighboursAndParentsAreLinkedEvenWhenTheParentIsMissing) {
    AddGame("puckman", "Puck Man", {{"CloneOf", "pacman"}});
    AddGame("pacman", "Pac-Man");
    AddGame("orphan", "Orphan", {{"CloneOf", "gone"}});
    ASSERT_EQ(Write("[#PREVIOUS|#NEXT]#CLONES"), PagesOutcome::Written);
    EXPECT_EQ(Page("orphan.htm"), "[|<a href=pacman.htm>pacman</a>]<a href=\"gone.htm\">gone</a>");
    EXPECT_EQ(Page("pacman.htm"),
              "[<a href=orphan.htm>orphan</a>|<a href=puckman.htm>puckman</a>]Set.");
    EXPECT_EQ(Page("puckman.htm"),
              "[<a href=pacman.htm>pacman</a>|]<a href=\"pacman.htm\">Pac-Man (pacman)</a>");
    EXPECT_EQ(run.gameList[2], "P<a href=puckman.htm>Puck Man (clone)</a><br>");
}

TEST_F(GamePagesTest, ValuesAreFilledInTheirOrderAndMissingTextsStayEmpty) {
    AddGame("g", "Game",
            {{"VerAdded", ".36"},
             {"Year", "1981"},
             {"Manufacturer", "Capcom / Nintendo"},
             {"Working", "1"},
             {"Sound", "0"},
             {"GotIt", "1"}});
    AddHistory({"g"},
               {{"yearmanufacturer", "1981 Capcom"}, {"Description", "line one\r\nline two"}});
    AddRow("Command", {{"InternalName", "g"}, {"cmd", "Moves"}, {"info", "a\r\nb\r\n"}});
    AddGame("h", "Bare", {{"CodeHistory", "999"}});
    ASSERT_EQ(Write("#VERADDED|#YEARMANUFACTURER|#YEAR|#MANUFACTURER|#WORKING|#SOUND|#GOTIT|"
                    "#DESCRIPTION#SOURCES|#CMD:#INFO|#CLONEOF#COMMENT|#EXPDIP"),
              PagesOutcome::Written);
    EXPECT_EQ(Page("g.htm"),
              "0.36|1981 Capcom|1981|<a href=\"M_Capcom _ Nintendo.htm\">Capcom / Nintendo</a>|"
              "WORKING|PRELIMINARY|YES|line one<br>\r\nline two|Moves:a<br>\r\nb<br>\r\n||&nbsp; ");
    EXPECT_EQ(
        Page("h.htm"),
        "|||<a href=\"M_[Unknown].htm\">[Unknown]</a>|NON WORKING|PRELIMINARY|NO||:||&nbsp; ");
}

TEST_F(GamePagesTest, ScriptInTheSiteFromHistoryMameinfoAndNotesIsEscaped) {
    AddGame("g", "Game",
            {{"MameInfo", "<script>alert(1)</script>\r\n<b>ok</b>"},
             {"MyNotes", "<img src=x onerror=alert(2)><i>mine</i>"}});
    AddHistory({"g"}, {{"yearmanufacturer", "<svg onload=alert(3)>"},
                       {"Description",
                        "<a href=\"https://h.org/x\">link</a>"
                        "<a href=\"javascript:alert(4)\">bad</a>"}});
    AddRow("Command", {{"InternalName", "g"}, {"cmd", "<iframe>"}});
    ASSERT_EQ(Write("#MAMEINFO|#MYNOTES|#YEARMANUFACTURER|#DESCRIPTION|#CMD"),
              PagesOutcome::Written);
    EXPECT_EQ(Page("g.htm"),
              "&lt;script&gt;alert(1)&lt;/script&gt;<br>\r\n<b>ok</b>|"
              "&lt;img src=x onerror=alert(2)&gt;<i>mine</i>|&lt;svg onload=alert(3)&gt;|"
              "<a href=\"https://h.org/x\">link</a>&lt;a href=\"javascript:alert(4)\"&gt;bad</a>|"
              "&lt;iframe&gt;");
}

TEST_F(GamePagesTest, ExpansionsListEveryRowAndAreQueriedOnlyWhenInTheTemplate) {
    AddGame("neogeo", "Neo Geo");
    AddRow("BiosSet", {{"InternalName", "neogeo"},
                       {"BiosSetName", "euro"},
                       {"biossetdescription", "Europe MVS"},
                       {"biossetdefault", "yes"}});
    AddRow("BiosSet",
           {{"InternalName", "neogeo"}, {"BiosSetName", "us"}, {"biossetdescription", "US MVS"}});
    AddRow("Disk", {{"InternalName", "neogeo"}, {"diskName", "cd1"}, {"diskmd5", "abc"}});
    AddRow("DipSwitch", {{"InternalName", "neogeo"},
                         {"dipswitchname", "Lives"},
                         {"dipvaluename", "3"},
                         {"dipvaluedefault", "yes"}});
    AddRow("Chip", {{"InternalName", "neogeo"}, {"chipname", "Z80"}, {"chipclock", "4000000"}});
    ASSERT_EQ(Write("#EXPBIOS|#EXPDISK|#EXPDIP|#EXPCHIP|#EXPROM"), PagesOutcome::Written);
    EXPECT_EQ(Page("neogeo.htm"),
              "euro (yes) Europe MVS<br>\r\nus US MVS<br>\r\n|"
              "cd1&nbsp; Md5 : abc<br>\r\n|"
              "Lives<br>\r\n&nbsp; DIP 3(yes)<br>\r\n|"
              "Z80<br>\r\n&nbsp; Clock : 4000000<br>\r\n|&nbsp; ");
}

TEST_F(GamePagesTest, ImagesPointIntoTheSheetOrTheArtFolder) {
    AddGame("pacman", "Pac-Man");
    AddGame("puckman", "Puck Man", {{"CloneOf", "pacman"}});
    AddGame("pacmanf", "Pac-Man fast", {{"CloneOf", "pacman"}});
    WriteFile(art + "0/pacman.png", "title");
    WriteFile(art + "1/pacman.png", "snap");
    run = NewRun();
    run.choices.parentArtForClones = true;
    run.choices.dontCopy[1] = true;
    ASSERT_EQ(Write("#IMGTITLE|#IMGGAME|#IMGFLYER", run), PagesOutcome::Written);
    const std::string snapUrl = "file://" + art + "1/pacman.png";
    EXPECT_EQ(Page("puckman.htm"),
              "images/titles/pacman.png|" + snapUrl + "|images/flyers/pacman.png");
    EXPECT_EQ(Page("pacmanf.htm"), Page("puckman.htm"));
    EXPECT_EQ(ReadFile(site + "html/images/titles/pacman.png"), "title");
    EXPECT_FALSE(std::filesystem::exists(site + "html/images/snap/pacman.png"));
    // Copying all art is a step of its own: the pages copy nothing then.
    std::filesystem::remove(site + "html/images/titles/pacman.png");
    run.choices.copyAllArt = true;
    ASSERT_EQ(Write("#IMGTITLE", run), PagesOutcome::Written);
    EXPECT_FALSE(std::filesystem::exists(site + "html/images/titles/pacman.png"));
}

TEST_F(GamePagesTest, CancelStopsBeforeTheNextGameOrLetter) {
    for (char c = 'a'; c <= 'e'; ++c)
        AddGame(std::string(1, c), std::string(1, c));
    RecordedProgress atThird(3);
    reportTo = &atThird;
    run = NewRun();
    EXPECT_EQ(Write("#GAMENAME", run), PagesOutcome::Cancelled);
    EXPECT_EQ(atThird.Total(), 5);
    EXPECT_TRUE(PageExists("b.htm"));
    EXPECT_FALSE(PageExists("c.htm"));
    RecordedProgress atSecond(2);
    EXPECT_FALSE(WriteListPages(run, atSecond));
    EXPECT_TRUE(PageExists("COMPLETE_LISTB.htm"));
    EXPECT_FALSE(PageExists("COMPLETE_LISTC.htm"));
}

// Pages are written by two threads once the writer is behind: a short name
// given twice still ends with the page of its later row.
TEST_F(GamePagesTest, ShortNamesThatWouldLeaveTheFolderGetNoPageAndARepeatedOneKeepsItsLastPage) {
    AddGame("../evil", "Evil");
    for (int i = 0; i < 200; ++i)
        AddGame("g" + std::to_string(i), "Good " + std::to_string(i));
    AddGame("twice", "Y first");
    AddGame("twice", "Z second");
    ASSERT_EQ(Write("#GAMENAME"), PagesOutcome::Written);
    EXPECT_FALSE(std::filesystem::exists(site + "evil.htm"));
    EXPECT_TRUE(PageExists("g199.htm"));
    EXPECT_EQ(Page("twice.htm"), "Z second");
    EXPECT_EQ(run.gameList.size(), 202u);
}

}  // namespace
}  // namespace arc::test
