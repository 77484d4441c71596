#include "collection/SearchQuery.h"

#include <algorithm>
#include <cctype>

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
    return forEngine ? EngineLikePatterns(query) : query;
}

namespace {

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

/// Index of the closing quote of the literal opening at `start`, or
/// text.size() when it is not closed.
std::size_t LiteralEnd(std::string_view text, std::size_t start) {
    const char quote = text[start];
    for (std::size_t i = start + 1; i < text.size(); ++i) {
        if (text[i] != quote) continue;
        if (i + 1 < text.size() && text[i + 1] == quote) {
            ++i;
            continue;
        }
        return i;
    }
    return text.size();
}

void AppendEnginePattern(std::string& out, std::string_view body) {
    const bool escape = body.find_first_of("%_\\") != std::string_view::npos;
    out += '\'';
    for (char c : body) {
        if (c == '*') {
            out += '%';
        } else if (c == '?') {
            out += '_';
        } else {
            if (escape && (c == '%' || c == '_' || c == '\\')) out += '\\';
            out += c;
        }
    }
    out += '\'';
    if (escape) out += " ESCAPE '\\'";
}

}  // namespace

std::string EngineLikePatterns(std::string_view query) {
    std::string out;
    out.reserve(query.size() + 16);
    bool afterLike = false;  // the last word was LIKE
    std::size_t i = 0;
    while (i < query.size()) {
        const char c = query[i];
        if (c == '\'' || c == '"') {
            const std::size_t end = LiteralEnd(query, i);
            if (c == '\'' && afterLike && end < query.size())
                AppendEnginePattern(out, query.substr(i + 1, end - i - 1));
            else
                out.append(query.substr(i, std::min(end + 1, query.size()) - i));
            i = end + 1;
            afterLike = false;
        } else if (IsWordChar(c)) {
            std::size_t end = i;
            while (end < query.size() && IsWordChar(query[end]))
                ++end;
            const std::string_view word = query.substr(i, end - i);
            afterLike = word.size() == 4 &&
                        std::equal(word.begin(), word.end(), "LIKE", [](char a, char b) {
                            return std::toupper(static_cast<unsigned char>(a)) == b;
                        });
            out.append(word);
            i = end;
        } else {
            if (!std::isspace(static_cast<unsigned char>(c))) afterLike = false;
            out += c;
            ++i;
        }
    }
    return out;
}

std::string ResultLine(std::string_view internalName, std::string_view gameName) {
    std::string line(internalName.substr(0, 13));
    line.resize(13, ' ');
    line += gameName;
    return line;
}

}  // namespace arc
