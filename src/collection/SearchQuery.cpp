#include "collection/SearchQuery.h"

#include "core/TextTable.h"
#include "database/Database.h"

namespace arc {

const std::array<SearchCriterion, kSearchCriteria>& SearchCriteria() {
    using K = CriterionKind;
    static const std::array<SearchCriterion, kSearchCriteria> criteria = {{
        {K::Values, 188, 206, "year='",
         "SELECT Data.Year From Data GROUP BY Data.Year ORDER BY Data.Year"},
        {K::Values, 189, 205, "Manufacturer='",
         "SELECT Manufacturer FROM Data GROUP BY Manufacturer ORDER BY Manufacturer"},
        {K::Values, 190, 205, "Genre='", "SELECT genre FROM Data GROUP BY genre ORDER BY genre"},
        {K::Values, 193, 206, "Category='",
         "SELECT category FROM Data GROUP BY category ORDER BY category"},
        {K::Values, 191, 205, "Nplayers='",
         "SELECT nplayers FROM Data GROUP BY nplayers ORDER BY nplayers"},
        {K::Values, 192, 206, "videoorientation='",
         "SELECT videoorientation FROM Data GROUP BY videoorientation ORDER BY videoorientation"},
        {K::Choice, 228, 206, "gotit=true AND ", "gotit=false AND ", {218, 219}},
        {K::Values, 207, 205, "driverstatus='",
         "SELECT DriverStatus FROM Data GROUP BY DriverStatus ORDER BY DriverStatus"},
        {K::Values, 208, 205, "inputbuttons='",
         "SELECT InputButtons FROM Data GROUP BY InputButtons ORDER BY InputButtons"},
        {K::Values, 209, 205, "controls='",
         "SELECT Controls FROM Data GROUP BY Controls ORDER BY Controls"},
        {K::Choice, 210, 205, "cloneof is not null AND ", "cloneof is null AND ", {216, 217}},
        {K::Choice, 211, 205, "mature=true AND ", "mature=false AND ", {220, 221}},
        {K::Values, 212, 205, "driver='",
         "SELECT Driver FROM Data GROUP BY Driver ORDER BY Driver"},
        {K::Values, 213, 205, "bios='", "SELECT Bios FROM Data GROUP BY Bios ORDER BY Bios"},
    }};
    return criteria;
}

SearchCombos FixedSearchCombos() {
    SearchCombos combos;
    for (int i = 0; i < kSearchCriteria; ++i) {
        const SearchCriterion& criterion = SearchCriteria()[i];
        SearchCombo& combo = combos[i];
        combo.items.push_back(Text(criterion.allText));
        if (criterion.kind == CriterionKind::Choice) {
            combo.items.push_back(Text(criterion.choiceTexts[0]));
            combo.items.push_back(Text(criterion.choiceTexts[1]));
        }
        combo.text = combo.items.front();
    }
    return combos;
}

std::string BuildSearchQuery(const SearchCombos& combos, std::string_view keyword) {
    std::string where;
    for (int i = 0; i < kSearchCriteria; ++i) {
        const SearchCriterion& criterion = SearchCriteria()[i];
        const SearchCombo& combo = combos[i];
        const std::string_view all = combo.items.empty() ? std::string_view{} : combo.items[0];
        if (combo.text == all) continue;
        if (criterion.kind == CriterionKind::Values) {
            where += criterion.clause;
            where += SqlQuote(combo.text);
            where += "' AND ";
        } else {
            const bool first = combo.items.size() > 1 && combo.text == combo.items[1];
            where += first ? criterion.clause : criterion.other;
        }
    }
    if (!keyword.empty()) {
        const std::string k = SqlQuote(keyword);
        where += "(internalname LIKE '*" + k + "*' OR gamename LIKE '*" + k + "*')";
    }
    std::string query = "SELECT internalname, gamename FROM Data";
    if (!where.empty()) {
        where = " WHERE " + where;
        constexpr std::string_view kAnd = " AND ";
        if (where.size() >= kAnd.size() && where.ends_with(kAnd))
            where.resize(where.size() - kAnd.size());
        query += where;
    }
    query += " ORDER BY GameName";
    return query;
}

std::string ResultLine(std::string_view internalName, std::string_view gameName) {
    std::string line(internalName.substr(0, 13));
    line.resize(13, ' ');
    line += gameName;
    return line;
}

}  // namespace arc
