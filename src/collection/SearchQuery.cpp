#include "collection/SearchQuery.h"

#include <algorithm>

#include "core/TextTable.h"
#include "database/Database.h"

namespace arc {

const std::array<SearchCriterion, kSearchCriteria>& SearchCriteria() {
    using K = CriterionKind;
    static const std::array<SearchCriterion, kSearchCriteria> criteria = {{
        {K::Values, 188, 206, "year='", "Year"},
        {K::Values, 189, 205, "Manufacturer='", "Manufacturer"},
        {K::Values, 190, 205, "Genre='", "Genre"},
        {K::Values, 193, 206, "Category='", "Category"},
        {K::Values, 191, 205, "Nplayers='", "nPlayers"},
        {K::Values, 192, 206, "videoorientation='", "videoorientation"},
        {K::Choice,
         228,
         206,
         "gotit=true AND ",
         "gotit=false AND ",
         {218, 219},
         "gotit IS NOT TRUE AND "},
        {K::Values, 207, 205, "driverstatus='", "DriverStatus"},
        {K::Values, 208, 205, "inputbuttons='", "InputButtons"},
        {K::Values, 209, 205, "controls='", "Controls"},
        {K::Choice, 210, 205, "cloneof is not null AND ", "cloneof is null AND ", {216, 217}},
        {K::Choice,
         211,
         205,
         "mature=true AND ",
         "mature=false AND ",
         {220, 221},
         "mature IS NOT TRUE AND "},
        {K::Values, 212, 205, "driver='", "Driver"},
        {K::Values, 213, 205, "bios='", "Bios"},
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

SearchCombo FixedAuditCombo() {
    SearchCombo combo;
    for (int text : {205, int{kTextVerdictComplete}, int{kTextVerdictIncomplete},
                     int{kTextVerdictBad}, int{kTextNotAudited}})
        combo.items.push_back(Text(text));
    combo.text = combo.items.front();
    return combo;
}

std::string AuditClause(const SearchCombo& audit, bool auditExists) {
    const auto chosen = std::find(audit.items.begin(), audit.items.end(), audit.text);
    const auto choice = static_cast<int>(chosen - audit.items.begin());
    if (choice <= kAuditAll || choice > kNotAudited) return {};
    if (!auditExists) return choice == kNotAudited ? "" : "FALSE AND ";
    constexpr std::string_view kVerdicts[] = {"", "'complete', 'best available'", "'incomplete'",
                                              "'bad', 'unreadable'"};
    if (choice == kNotAudited) return "InternalName NOT IN (SELECT Name FROM Audit) AND ";
    return "InternalName IN (SELECT Name FROM Audit WHERE Verdict IN (" +
           std::string(kVerdicts[choice]) + ")) AND ";
}

std::string BuildSearchQuery(const SearchCombos& combos, std::string_view keyword, bool forEngine,
                             std::string_view extraClause) {
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
            if (first) {
                where += criterion.clause;
            } else {
                const bool engine = forEngine && !criterion.engineOther.empty();
                where += engine ? criterion.engineOther : criterion.other;
            }
        }
    }
    where += extraClause;
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
