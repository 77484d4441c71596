#include <gtest/gtest.h>

#include <tuple>

#include "SheetFixture.h"
#include "core/Files.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "sheets/GamePages.h"
#include "sheets/ListPages.h"

namespace arc::test {
namespace {

class ListPagesTest : public SheetTest {
  protected:
    void Build() {
        run = NewRun();
        ASSERT_EQ(WriteGamePages(run, GamePageTemplate("#GAMENAME"), progress),
                  PagesOutcome::Written);
        ASSERT_TRUE(WriteListPages(run, progress));
        WriteIndexPage(run);
    }
    bool Lists(const std::string& page, const std::string& game) const {
        return Page(page).find("<a href=" + game + ".htm>") != std::string::npos;
    }
    SheetRun run;
};

TEST_F(ListPagesTest, EachListPageHoldsItsGames) {
    AddGame("p1942", "1942");
    AddGame("eacc", "Éclair", {{"Manufacturer", "Capcom"}, {"VerAdded", ".36"}, {"GotIt", "1"}});
    AddGame("pin", "pinball", {{"Manufacturer", "Capcom / Nintendo"}});
    AddGame("pac", "Pac-Man", {{"Manufacturer", "atari"}});
    AddGame("zz", "[bracket]");
    AddGame("cb", "Cookie & Bibi", {{"Manufacturer", "<unknown>"}});
    Build();
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"COMPLETE_LIST0.htm", "p1942", true},
        {"COMPLETE_LIST0.htm", "eacc", true},
        {"COMPLETE_LIST0.htm", "zz", true},
        {"COMPLETE_LISTP.htm", "pin", true},
        {"COMPLETE_LISTP.htm", "pac", true},
        {"COMPLETE_LISTP.htm", "p1942", false},
        {"M_Capcom.htm", "eacc", true},
        {"M_Capcom.htm", "pin", false},
        {"M_Capcom _ Nintendo.htm", "pin", true},
        {"M_[Unknown].htm", "zz", true},
        {"M__unknown_.htm", "cb", true},
        {"V_v 0.36.htm", "eacc", true},
        {"V_v .htm", "pac", true},
        {"Y_[Unknown].htm", "pac", true},
        {"GOT_IT.htm", "eacc", true},
        {"GOT_IT.htm", "pin", false},
        {"NOT_GOT_IT.htm", "pin", true}};
    for (const auto& [page, game, listed] : cases)
        EXPECT_EQ(Lists(page, game), listed) << page << " " << game;
    EXPECT_FALSE(PageExists("V_[Unknown].htm"));
    EXPECT_TRUE(PageExists("COMPLETE_LISTZ.htm"));
    EXPECT_NE(Page("GOT_IT.htm").find("Available roms"), std::string::npos);
    EXPECT_NE(Page("MANUFACTURERS_0.htm").find("<a href=\"M_[Unknown].htm\">"), std::string::npos);
    EXPECT_NE(Page("MANUFACTURERS_A.htm").find("<a href=\"M_atari.htm\">atari</a>"),
              std::string::npos);
    const std::string capcomIndex = Page("MANUFACTURERS_C.htm");
    EXPECT_LT(capcomIndex.find("Capcom / Nintendo"), capcomIndex.find("M_Capcom.htm"));
    // Regression (titles and makers written as markup): text from the list is escaped.
    EXPECT_EQ(Page("cb.htm"), "Cookie &amp; Bibi");
    EXPECT_NE(Page("MANUFACTURERS_0.htm").find(">&lt;unknown&gt;</a>"), std::string::npos);
}

TEST_F(ListPagesTest, GroupPagesLinkNeighboursEmptyAtTheEnds) {
    AddGame("a", "A", {{"Genre", "Shooter"}});
    AddGame("b", "B", {{"Genre", "Maze"}});
    AddGame("c", "C", {{"Genre", "Puzzle"}});
    WriteFile(home.str() + "html/plain.skin/plain.htm", "#NAMELIST[#PREVIOUS|#NEXT]#LIST");
    run = NewRun();
    run.skinFolder = home.str() + "html/plain.skin/";
    ASSERT_EQ(WriteGamePages(run, GamePageTemplate(""), progress), PagesOutcome::Written);
    ASSERT_TRUE(WriteListPages(run, progress));
    EXPECT_EQ(Page("G_Maze.htm"),
              "Maze[|<a href=\"G_Puzzle.htm\">Puzzle</a>]<a href=b.htm>B</a><br>\r\n");
    EXPECT_EQ(Page("G_Shooter.htm"),
              "Shooter[<a href=\"G_Puzzle.htm\">Puzzle</a>|]<a href=a.htm>A</a><br>\r\n");
}

TEST_F(ListPagesTest, FrenchInterfaceUsesFrenchFileNames) {
    TheSettings().Language = 1;
    BuildTextTable();
    AddGame("a", "Alpha", {{"Category", "Sport"}});
    Build();
    EXPECT_TRUE(Lists("LISTE_COMPLETEA.htm", "a"));
    EXPECT_TRUE(Lists("M_[Inconnu].htm", "a"));
    EXPECT_NE(ReadFile(site + "index.htm").find("href=\"html/EDITEURS_0.htm\""), std::string::npos);
}

// The designed algorithm: for each group, every remaining entry that begins
// with the group's text, rescanning the whole list.
std::vector<std::vector<std::string>> RescanGroups(std::vector<std::string> list,
                                                   const std::vector<std::string>& groups) {
    std::vector<std::vector<std::string>> pages;
    for (const std::string& group : groups) {
        pages.emplace_back();
        for (std::string& entry : list) {
            if (!entry.empty() && entry.compare(0, group.size(), group) == 0) {
                pages.back().push_back(entry.substr(entry.find("€£") + std::string("€£").size()));
                entry.clear();
            }
        }
    }
    return pages;
}

TEST_F(ListPagesTest, GroupPagesEqualTheRescanningAlgorithm) {
    std::vector<std::string> list = {"Capcom€£c1",   "Capcom / Nintendo€£cn",
                                     "Capcomé€£ce",  "€£u1",
                                     "Capcom中€£cz", "Capcom€£c0",
                                     "€£u0",         "C€£single",
                                     "中€£k"};
    PrepareGroupList(list);
    const std::vector<std::string> groups = DistinctGroups(list);
    const auto fast = TakeGroupEntries(list, groups);
    const auto reference = RescanGroups(list, groups);
    ASSERT_EQ(fast.size(), reference.size());
    for (std::size_t g = 0; g < fast.size(); ++g) {
        std::vector<std::string> taken(fast[g].begin(), fast[g].end());
        EXPECT_EQ(taken, reference[g]) << groups[g];
    }
}

}  // namespace
}  // namespace arc::test
