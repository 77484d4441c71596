#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "collection/SearchQuery.h"
#include "database/Database.h"
#include "database/Schema.h"
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
        // Filled in reverse: the order comes from the criteria; quotes are doubled.
        {{{kGenreCriterion, "Shooter"}, {kManufacturerCriterion, "Jaleco's"}},
         "Ms. Pac'",
         " WHERE Manufacturer='Jaleco''s' AND Genre='Shooter' AND (internalname LIKE '*Ms. Pac''*' "
         "OR gamename LIKE '*Ms. Pac''*')"},
        // What each fixed choice finds is checked on a database by the window's tests.
        {{{kAvailableCriterion, "#2"}, {kClonesCriterion, "#1"}, {kMatureCriterion, "#1"}},
         "",
         " WHERE gotit=false AND cloneof is not null AND mature=true"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
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

TEST_F(SearchQueryTest, TheShownWildcardsBecomeTheEnginesInsideLikePatternsOnly) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"SELECT * FROM Data WHERE GameName LIKE '*pac*'",
         "SELECT * FROM Data WHERE GameName LIKE '%pac%'"},
        // Stars outside LIKE patterns and text inside other literals stay.
        {"SELECT * FROM Data WHERE Year='19*' AND x like  '19?*'",
         "SELECT * FROM Data WHERE Year='19*' AND x like  '19_%'"},
        {"x LIKE 'it''s*'", "x LIKE 'it''s%'"},
        // A "%", "_" or "\\" typed by the user is matched as itself.
        {"x LIKE '*100%_\\*'", "x LIKE '%100\\%\\_\\\\%' ESCAPE '\\'"},
        {"NOTLIKE '*' OR \"LIKE\" LIKE 'a'", "NOTLIKE '*' OR \"LIKE\" LIKE 'a'"},
    };
    for (const auto& [shown, engine] : cases)
        EXPECT_EQ(EngineLikePatterns(shown), engine) << shown;

    // What the engine finds for a keyword of the search window.
    const std::string path = home.file("Arcanote.mdb");
    std::string error;
    ASSERT_TRUE(CreateTemplateDatabase(path, &error)) << error;
    DatabaseScope database;
    ASSERT_TRUE(database.Open(path, DatabaseUse::Read));
    Execute(
        "INSERT INTO Data (InternalName, GameName) VALUES ('a', '100% Fun'), ('b', '1000 Fun'),"
        "('c', 'my_game'), ('d', 'myXgame')");
    const std::pair<std::string_view, std::string_view> keywords[] = {
        {"100%", "a"}, {"y_g", "c"}, {"y?g", "c d"}, {"FUN", "a b"}};
    for (const auto& [keyword, found] : keywords) {
        Statement query(BuildSearchQuery(FixedSearchCombos(), keyword, true));
        std::string names;
        while (query.Step())
            names += (names.empty() ? "" : " ") + query.ColumnText(0);
        EXPECT_EQ(names, found) << keyword;
    }
}

}  // namespace
}  // namespace arc
