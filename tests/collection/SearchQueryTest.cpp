#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "collection/SearchQuery.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

class SearchQueryTest : public test::ProgramFolderTest {};

constexpr std::string_view kSelect = "SELECT internalname, gamename FROM Data";

TEST_F(SearchQueryTest, ClausesFollowTheCriteriaOrderWithoutATrailingAnd) {
    // A choice is a combo text, or "#n" for item n of a fixed-choice combo.
    struct Case {
        std::vector<std::pair<int, std::string>> choices;
        std::string keyword;
        std::string where;
    };
    const Case cases[] = {
        {{}, "", ""},
        {{{kGenreCriterion, "Shooter"}, {kYearCriterion, "1984"}},
         "",
         " WHERE year='1984' AND Genre='Shooter'"},
        {{}, "pac", " WHERE (internalname LIKE '*pac*' OR gamename LIKE '*pac*')"},
        {{{kManufacturerCriterion, "Jaleco's"}},
         "Ms. Pac'",
         " WHERE Manufacturer='Jaleco''s' AND (internalname LIKE '*Ms. Pac''*' OR gamename LIKE "
         "'*Ms. Pac''*')"},
        {{{kAvailableCriterion, "#2"}, {kClonesCriterion, "#2"}, {kMatureCriterion, "#1"}},
         "",
         " WHERE gotit=false AND cloneof is null AND mature=true"},
        {{{kAvailableCriterion, "#1"}, {kClonesCriterion, "#1"}, {kMatureCriterion, "#2"}},
         "",
         " WHERE gotit=true AND cloneof is not null AND mature=false"},
        // Filled in reverse: the order comes from the criteria.
        {{{kBiosCriterion, "neogeo"},
          {kDriverCriterion, "pacman.cpp"},
          {kControlsCriterion, "joy8way"},
          {kButtonsCriterion, "2"},
          {kStatusCriterion, "good"},
          {kOrientationCriterion, "vertical"},
          {kPlayersCriterion, "2P alt"},
          {kCategoryCriterion, "Maze"},
          {kManufacturerCriterion, "Namco"},
          {kYearCriterion, "1980"}},
         "man",
         " WHERE year='1980' AND Manufacturer='Namco' AND Category='Maze' AND Nplayers='2P alt' "
         "AND videoorientation='vertical' AND driverstatus='good' AND inputbuttons='2' AND "
         "controls='joy8way' AND driver='pacman.cpp' AND bios='neogeo' AND (internalname LIKE "
         "'*man*' OR gamename LIKE '*man*')"},
    };
    for (const Case& c : cases) {
        SearchCombos combos = FixedSearchCombos();
        for (const auto& [criterion, text] : c.choices)
            combos[criterion].text =
                text.starts_with('#') ? combos[criterion].items.at(text[1] - '0') : text;
        EXPECT_EQ(BuildSearchQuery(combos, c.keyword),
                  std::string(kSelect) + c.where + " ORDER BY GameName");
    }
    // The engine's query also takes the Null of a Yes/No field nothing wrote.
    SearchCombos combos = FixedSearchCombos();
    for (int criterion : {kAvailableCriterion, kClonesCriterion, kMatureCriterion})
        combos[criterion].text = combos[criterion].items[2];
    EXPECT_EQ(BuildSearchQuery(combos, "", true),
              std::string(kSelect) +
                  " WHERE gotit IS NOT TRUE AND cloneof is null AND mature IS NOT TRUE ORDER BY "
                  "GameName");
}

}  // namespace
}  // namespace arc
