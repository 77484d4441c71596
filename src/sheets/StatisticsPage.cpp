#include "sheets/StatisticsPage.h"
#include "sheets/SoftwarePages.h"

#include <array>
#include <optional>
#include <unordered_set>
#include <vector>

#include "core/Files.h"
#include "core/Progress.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "sheets/SheetTemplates.h"
#include "sheets/SheetText.h"

namespace arc {
namespace {

// "1" when a row satisfies `condition` (an empty one takes every row), as a
// WHERE clause would take it.
std::string Counted(std::string_view condition, std::string_view expression = {}) {
    std::string test = condition.empty() ? "1" : "(" + std::string(condition) + ")";
    if (!expression.empty()) test = "(" + std::string(expression) + ") AND " + test;
    return "CASE WHEN " + test + " THEN 1 ELSE 0 END";
}

// For each condition, the rows of `from` it takes that also satisfy each
// expression: one pass instead of one count per condition and expression.
std::vector<std::vector<long long>> RowCounts(const std::vector<std::string_view>& conditions,
                                              const std::vector<std::string_view>& expressions,
                                              std::string_view from, const ReadOnlyDatabase* own) {
    std::string sql = "SELECT ";
    for (std::string_view condition : conditions) {
        for (std::string_view expression : expressions)
            sql += "SUM(" + Counted(condition, expression) + "), ";
    }
    sql.resize(sql.size() - 2);
    sql += " FROM ";
    sql += from;
    Statement statement(own, sql);
    const bool any = statement.Step();
    std::vector<std::vector<long long>> counts(conditions.size());
    int column = 0;
    for (auto& row : counts) {
        for (std::size_t e = 0; e < expressions.size(); ++e, ++column)
            row.push_back(any ? statement.ColumnInt(column) : 0);
    }
    return counts;
}

// The counts read row by row, for each condition.
struct RowPassCounts {
    std::vector<long long> parents;                ///< non-working parents with a working clone
    std::array<std::vector<long long>, 3> groups;  ///< Genre, Category, Manufacturer
};

// In one pass over Data, for each condition: the non-working parents it takes
// for which a working clone it takes exists; and the groups "SELECT field FROM
// Data WHERE condition GROUP BY field" gives (the fields compare as NOCASE,
// which folds ASCII letters only; Null is one group).
RowPassCounts CountRowByRow(const std::vector<std::string_view>& conditions,
                            const ReadOnlyDatabase* own) {
    std::string sql = "SELECT InternalName, CloneOf, " +
                      Counted("Working=TRUE AND CloneOf IS NOT NULL") + ", " +
                      Counted("((Data.Working)=False) AND ((Data.CloneOf) Is Null)") +
                      ", Genre, Category, Manufacturer";
    for (std::string_view condition : conditions)
        sql += ", " + Counted(condition);
    sql += " FROM Data";
    constexpr int kFirstGroup = 4;
    constexpr int kFirstCondition = 7;
    struct Groups {
        std::unordered_set<std::string> texts;
        bool null = false;
    };
    const std::size_t n = conditions.size();
    std::vector<std::unordered_set<std::string>> parentsOfWorkingClones(n);
    std::vector<std::vector<std::string>> brokenParents(n);
    std::vector<std::array<Groups, 3>> groups(n);
    std::array<std::optional<std::string>, 3> folded;
    Statement rows(own, sql);
    while (rows.Step()) {
        const bool workingClone = rows.ColumnInt(2) != 0;
        const bool brokenParent = rows.ColumnInt(3) != 0;
        for (int f = 0; f < 3; ++f) {
            folded[f].reset();
            if (!rows.IsNull(kFirstGroup + f))
                folded[f] = ToLowerAscii(rows.ColumnView(kFirstGroup + f));
        }
        for (std::size_t i = 0; i < n; ++i) {
            if (rows.ColumnInt(static_cast<int>(kFirstCondition + i)) == 0) continue;
            if (workingClone) parentsOfWorkingClones[i].insert(ToLowerAscii(rows.ColumnView(1)));
            if (brokenParent) brokenParents[i].push_back(ToLowerAscii(rows.ColumnView(0)));
            for (int f = 0; f < 3; ++f) {
                if (folded[f])
                    groups[i][f].texts.insert(*folded[f]);
                else
                    groups[i][f].null = true;
            }
        }
    }
    RowPassCounts counts;
    counts.parents.assign(n, 0);
    for (auto& field : counts.groups)
        field.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        for (const std::string& parent : brokenParents[i])
            counts.parents[i] += static_cast<long long>(parentsOfWorkingClones[i].count(parent));
        for (int f = 0; f < 3; ++f) {
            counts.groups[f][i] =
                static_cast<long long>(groups[i][f].texts.size()) + (groups[i][f].null ? 1 : 0);
        }
    }
    return counts;
}

// The skin's template, else the built-in one. A "STAT.htm" of the program
// folder is never read: it may be the page an earlier run wrote there, which
// would freeze the counts of every later run.
std::string StatisticsTemplate(const SheetRun& run, bool audited) {
    std::string text;
    const std::string path = SkinFile(run, "stat.htm");
    if (!path.empty() && ReadTextFile(path, text)) return text;
    text = DefaultStatisticsTemplate();
    // The built-in page gains the audit line only when an audit was made, so
    // that the site of a collection never audited stays as it was.
    const std::size_t end = text.rfind("&nbsp;</p>");
    if (audited && end != std::string::npos) text.insert(end, "#AUDIT<br><br>");
    return text;
}

// The counts of the verdicts, in their report order: "Audit of the owned
// sets: 3 complete, 1 bad.<br>".
std::string AuditCountsLine() {
    std::string counts;
    Statement count("SELECT count(*) FROM Audit WHERE Verdict=?");
    for (std::string_view verdict : kAuditVerdicts) {
        count.Reset();
        count.Bind(1, verdict);
        const long long n = count.Step() ? count.ColumnInt(0) : 0;
        if (n > 0)
            counts +=
                (counts.empty() ? "" : ", ") + std::to_string(n) + " " + VerdictCaption(verdict);
    }
    return Text(kTextAuditSummary) + (counts.empty() ? "0" : counts) + ".<br>\r\n";
}

}  // namespace

std::vector<std::string> StatisticsBlocks(const std::vector<std::string_view>& conditions,
                                          const ReadOnlyDatabase* own) {
    const std::vector<std::string_view> dataCounts = {
        "1",
        "Working=TRUE AND CorrectColors=TRUE AND Sound=TRUE AND ScreenFlip=TRUE",
        "Working=TRUE AND CorrectColors=FALSE",
        "Working=TRUE AND Sound=FALSE",
        "Working=TRUE AND Screenflip=FALSE",
        "Working=TRUE",
        "Hiscore=TRUE",
        "Cheat=TRUE",
        "Mature=TRUE",
    };
    const auto data = RowCounts(conditions, dataCounts, "Data", own);
    const auto commands =
        RowCounts(conditions, {"1"},
                  "Command INNER JOIN Data ON Command.InternalName = Data.InternalName", own);
    const auto histories =
        RowCounts(conditions, {"1"},
                  "Data INNER JOIN History ON Data.CodeHistory = History.CodeHistory", own);
    const RowPassCounts byRow = CountRowByRow(conditions, own);
    const std::vector<long long>& parents = byRow.parents;
    const std::vector<long long>& genres = byRow.groups[0];
    const std::vector<long long>& categories = byRow.groups[1];
    const std::vector<long long>& manufacturers = byRow.groups[2];

    std::vector<std::string> blocks;
    for (std::size_t i = 0; i < conditions.size(); ++i) {
        std::string block;
        auto line = [&](long long count, std::string text) {
            if (count > 0) block += text;
        };
        auto n = [](long long count) { return std::to_string(count); };
        const std::string crlf = "\r\n";
        const std::vector<long long>& d = data[i];
        line(d[0], Text(kTextSupportedRoms) + n(d[0]) + ".<br>" + crlf);
        line(d[1], n(d[1]) + Text(kTextWorkingRoms) + ".<br>" + crlf);
        line(d[2], n(d[2]) + Text(kTextWorkingRomsImperfectColours) + ".<br>" + crlf);
        line(d[3], n(d[3]) + Text(kTextWorkingRomsImperfectSound) + ".<br>" + crlf);
        line(d[4], n(d[4]) + Text(kTextWorkingRomsWithoutFlip) + ".<br>" + crlf);
        line(parents[i], n(parents[i]) + Text(kTextNonWorkingWithWorkingClone) + ".<br>" + crlf);
        line(d[5], Text(kTextFinally) + n(d[5]) + Text(kTextRomsArePlayable) + "<br>" + crlf);
        block += "<br>" + crlf;
        line(genres[i], n(genres[i]) + Text(kTextGenresListed) + ".<br>" + crlf);
        line(categories[i], n(categories[i]) + Text(kTextCategoriesListed) + ".<br>" + crlf);
        block += "<br>" + crlf;
        line(manufacturers[i],
             n(manufacturers[i]) + Text(kTextManufacturersListed) + ".<br><br>" + crlf);
        line(d[6], n(d[6]) + Text(kTextSupportedInHiscore) + ".<br>" + crlf);
        line(d[7], n(d[7]) + Text(kTextSupportedInCheat) + ".<br>" + crlf);
        line(d[8], n(d[8]) + Text(kTextMatureGames) + ".<br>" + crlf);
        block += "<br>" + crlf;
        line(commands[i][0], n(commands[i][0]) + Text(kTextSupportedInCommand) + ".<br>" + crlf);
        line(histories[i][0], n(histories[i][0]) + Text(kTextSupportedInHistory) + ".<br>");
        blocks.push_back(std::move(block));
    }
    return blocks;
}

std::string StatisticsBlock(std::string_view condition) {
    return StatisticsBlocks({condition}).front();
}

namespace {

constexpr std::string_view kSubsets[6][2] = {
    {"[001]", ""},
    {"[002]", "CloneOf IS NULL"},
    {"[003]", "CloneOf IS NOT NULL"},
    {"[004]", "GotIt=TRUE"},
    {"[005]", "GotIt=TRUE AND CloneOf IS NULL"},
    {"[006]", "GotIt=TRUE AND CloneOf IS NOT NULL"},
};

std::vector<std::string> SubsetBlocks(const ReadOnlyDatabase* own) {
    std::vector<std::string_view> conditions;
    for (const auto& subset : kSubsets)
        conditions.push_back(subset[1]);
    return StatisticsBlocks(conditions, own);
}

}  // namespace

StatisticsCounts::StatisticsCounts() : blocks_(SubsetBlocks) {}

std::vector<std::string> StatisticsCounts::Blocks() {
    return blocks_.Get();
}

void WriteStatisticsPage(const SheetRun& run, TaskProgress& progress, StatisticsCounts* counts) {
    progress.SetTotal(100);
    progress.SetLabel(Text(kTextAnalysing));
    progress.Step(0);  // the page has no cancel point
    const bool audited = TableExists("Audit");
    std::string page = StatisticsTemplate(run, audited);
    ReplaceAll(page, "#AUDIT", audited ? AuditCountsLine() : std::string());
    ReplaceAll(page, "#VERMAME", run.mameVersion);
    ReplaceAll(page, "#VERANO", run.programVersion);
    ReplaceAll(page, "#HOME", kHomeLink);
    const std::vector<std::string> blocks = counts ? counts->Blocks() : SubsetBlocks(nullptr);
    progress.Step(90);
    for (int i = 0; i < 6; ++i)
        ReplaceAll(page, kSubsets[i][0], blocks[i]);
    InsertBeforeBodyEnd(page, SoftwareStatisticsBlock(run.frenchPages));
    WritePage(run.PagesFolder() + "STAT.htm", page);
    progress.Step(100);
}

}  // namespace arc
