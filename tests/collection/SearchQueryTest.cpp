#include <gtest/gtest.h>

#include "collection/SearchQuery.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

class SearchQueryTest : public test::ProgramFolderTest {
  protected:
    SearchCombos combos = FixedSearchCombos();

    void Choose(int criterion, std::string text) { combos[criterion].text = std::move(text); }
    void ChooseItem(int criterion, int item) {
        combos[criterion].text = combos[criterion].items.at(item);
    }
};

TEST_F(SearchQueryTest, EveryComboOnAllGivesThePlainQuery) {
    EXPECT_EQ(BuildSearchQuery(combos, ""),
              "SELECT internalname, gamename FROM Data ORDER BY GameName");
}

TEST_F(SearchQueryTest, YearAndGenreAreJoinedWithoutATrailingAnd) {
    Choose(kYearCriterion, "1984");
    Choose(kGenreCriterion, "Shooter");
    EXPECT_EQ(BuildSearchQuery(combos, ""),
              "SELECT internalname, gamename FROM Data WHERE year='1984' AND Genre='Shooter' "
              "ORDER BY GameName");
}

TEST_F(SearchQueryTest, ApostrophesAreDoubledInValuesAndKeyword) {
    Choose(kManufacturerCriterion, "Jaleco's");
    const std::string query = BuildSearchQuery(combos, "Ms. Pac'");
    EXPECT_NE(query.find("Manufacturer='Jaleco''s' AND "), std::string::npos) << query;
    EXPECT_NE(query.find("LIKE '*Ms. Pac''*'"), std::string::npos) << query;
    EXPECT_EQ(query.find("Pac'*"), std::string::npos) << query;
}

TEST_F(SearchQueryTest, KeywordAloneIsTheWholeWhereClause) {
    EXPECT_EQ(BuildSearchQuery(combos, "pac"),
              "SELECT internalname, gamename FROM Data WHERE (internalname LIKE '*pac*' OR "
              "gamename LIKE '*pac*') ORDER BY GameName");
}

TEST_F(SearchQueryTest, FixedChoicesPickTheirClauseByItem) {
    ChooseItem(kAvailableCriterion, 2);
    ChooseItem(kClonesCriterion, 2);
    ChooseItem(kMatureCriterion, 1);
    EXPECT_EQ(BuildSearchQuery(combos, ""),
              "SELECT internalname, gamename FROM Data WHERE gotit=false AND cloneof is null "
              "AND mature=true ORDER BY GameName");

    // What runs also takes the Null of a Yes/No field that nothing wrote.
    EXPECT_EQ(BuildSearchQuery(combos, "", true),
              "SELECT internalname, gamename FROM Data WHERE gotit IS NOT TRUE AND cloneof is "
              "null AND mature=true ORDER BY GameName");

    ChooseItem(kAvailableCriterion, 1);
    ChooseItem(kClonesCriterion, 1);
    ChooseItem(kMatureCriterion, 2);
    EXPECT_EQ(BuildSearchQuery(combos, ""),
              "SELECT internalname, gamename FROM Data WHERE gotit=true AND cloneof is not null "
              "AND mature=false ORDER BY GameName");
}

TEST_F(SearchQueryTest, ClausesFollowTheCriteriaOrderWithTheKeywordLast) {
    // Filled in reverse to show that the order comes from the criteria.
    Choose(kBiosCriterion, "neogeo");
    Choose(kDriverCriterion, "pacman.cpp");
    Choose(kControlsCriterion, "joy8way");
    Choose(kButtonsCriterion, "2");
    Choose(kStatusCriterion, "good");
    Choose(kOrientationCriterion, "vertical");
    Choose(kPlayersCriterion, "2P alt");
    Choose(kCategoryCriterion, "Maze");
    Choose(kManufacturerCriterion, "Namco");
    Choose(kYearCriterion, "1980");
    EXPECT_EQ(BuildSearchQuery(combos, "man"),
              "SELECT internalname, gamename FROM Data WHERE year='1980' AND "
              "Manufacturer='Namco' AND Category='Maze' AND Nplayers='2P alt' AND "
              "videoorientation='vertical' AND driverstatus='good' AND inputbuttons='2' AND "
              "controls='joy8way' AND driver='pacman.cpp' AND bios='neogeo' AND "
              "(internalname LIKE '*man*' OR gamename LIKE '*man*') ORDER BY GameName");
}

TEST_F(SearchQueryTest, AllEntriesTakeTheirGenderInFrench) {
    TheSettings().Language = 1;
    BuildTextTable();
    const SearchCombos french = FixedSearchCombos();
    EXPECT_NE(FrenchText(205), FrenchText(206));
    EXPECT_EQ(french[kYearCriterion].items[0], FrenchText(206));
    EXPECT_EQ(french[kCategoryCriterion].items[0], FrenchText(206));
    EXPECT_EQ(french[kOrientationCriterion].items[0], FrenchText(206));
    EXPECT_EQ(french[kAvailableCriterion].items[0], FrenchText(206));
    EXPECT_EQ(french[kManufacturerCriterion].items[0], FrenchText(205));
    EXPECT_EQ(french[kBiosCriterion].items[0], FrenchText(205));
    EXPECT_EQ(french[kAvailableCriterion].items[2], FrenchText(219));
    // Every combo starts on its "All" entry, so a fresh search has no clause.
    EXPECT_EQ(BuildSearchQuery(french, ""),
              "SELECT internalname, gamename FROM Data ORDER BY GameName");
}

TEST(SearchResultLine, NameTakesExactlyThirteenCharacters) {
    EXPECT_EQ(ResultLine("pacman", "Pac-Man"), "pacman       Pac-Man");
    EXPECT_EQ(ResultLine("abcdefghijklm", "Thirteen"), "abcdefghijklmThirteen");
    EXPECT_EQ(ResultLine("abcdefghijklmnop", "Longer"), "abcdefghijklmLonger");
}

}  // namespace
}  // namespace arc
