#include "sheets/StatisticsPage.h"

#include <unordered_set>

#include "core/Files.h"
#include "core/Progress.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "sheets/SheetTemplates.h"
#include "sheets/SheetText.h"

namespace arc {
namespace {

long long RowCount(const std::string& sql) {
    Statement count("SELECT COUNT(*) FROM (" + sql + ")");
    return count.Step() ? count.ColumnInt(0) : 0;
}

// Non-working parents for which some working clone exists.
long long ParentsWithWorkingClone(const std::string& andSuffix) {
    std::unordered_set<std::string> parentsOfWorkingClones;
    Statement clones("SELECT CloneOf FROM Data WHERE Working=TRUE AND CloneOf IS NOT NULL" +
                     andSuffix);
    while (clones.Step())
        parentsOfWorkingClones.insert(ToLowerAscii(clones.ColumnView(0)));
    if (parentsOfWorkingClones.empty()) return 0;
    Statement parents(
        "SELECT Data.InternalName From Data WHERE (((Data.Working)=False) AND ((Data.CloneOf) Is "
        "Null))" +
        andSuffix);
    long long count = 0;
    while (parents.Step()) {
        if (parentsOfWorkingClones.count(ToLowerAscii(parents.ColumnView(0))) > 0) ++count;
    }
    return count;
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

std::string StatisticsBlock(std::string_view condition) {
    const std::string where = condition.empty() ? "" : " WHERE " + std::string(condition);
    const std::string andSuffix = condition.empty() ? "" : " AND " + std::string(condition);
    std::string block;
    auto line = [&](long long count, std::string text) {
        if (count > 0) block += text;
    };
    auto n = [](long long count) { return std::to_string(count); };
    const std::string crlf = "\r\n";

    long long c = RowCount("SELECT InternalName FROM Data" + where);
    line(c, Text(121) + n(c) + ".<br>" + crlf);
    c = RowCount(
        "SELECT Working FROM Data WHERE Working=TRUE AND CorrectColors=TRUE AND Sound=TRUE AND "
        "ScreenFlip=TRUE" +
        andSuffix);
    line(c, n(c) + Text(122) + ".<br>" + crlf);
    c = RowCount("SELECT Working FROM Data WHERE Working=TRUE AND CorrectColors=FALSE" + andSuffix);
    line(c, n(c) + Text(123) + ".<br>" + crlf);
    c = RowCount("SELECT Working FROM Data WHERE Working=TRUE AND Sound=FALSE" + andSuffix);
    line(c, n(c) + Text(124) + ".<br>" + crlf);
    c = RowCount("SELECT Working FROM Data WHERE Working=TRUE AND Screenflip=FALSE" + andSuffix);
    line(c, n(c) + Text(125) + ".<br>" + crlf);
    c = ParentsWithWorkingClone(andSuffix);
    line(c, n(c) + Text(126) + ".<br>" + crlf);
    c = RowCount("SELECT Working FROM Data WHERE Working=TRUE" + andSuffix);
    line(c, Text(127) + n(c) + Text(128) + "<br>" + crlf);
    block += "<br>" + crlf;
    c = RowCount("SELECT Data.Genre From Data" + where + " GROUP BY Data.Genre");
    line(c, n(c) + Text(129) + ".<br>" + crlf);
    c = RowCount("SELECT Data.Category From Data" + where + " GROUP BY Data.Category");
    line(c, n(c) + Text(131) + ".<br>" + crlf);
    block += "<br>" + crlf;
    c = RowCount("SELECT Data.Manufacturer From Data" + where + " GROUP BY Data.Manufacturer");
    line(c, n(c) + Text(132) + ".<br><br>" + crlf);
    c = RowCount("SELECT Hiscore FROM Data WHERE Hiscore=TRUE" + andSuffix);
    line(c, n(c) + Text(133) + ".<br>" + crlf);
    c = RowCount("SELECT Cheat FROM Data WHERE Cheat=TRUE" + andSuffix);
    line(c, n(c) + Text(134) + ".<br>" + crlf);
    c = RowCount("SELECT Mature FROM Data WHERE Mature=TRUE" + andSuffix);
    line(c, n(c) + Text(135) + ".<br>" + crlf);
    block += "<br>" + crlf;
    c = RowCount(
        "SELECT command.InternalName FROM Command INNER JOIN Data ON Command.InternalName = "
        "Data.InternalName" +
        where);
    line(c, n(c) + Text(136) + ".<br>" + crlf);
    c = RowCount(
        "SELECT History.CodeHistory FROM Data INNER JOIN History ON Data.CodeHistory = "
        "History.CodeHistory" +
        where);
    line(c, n(c) + Text(137) + ".<br>");
    return block;
}

void WriteStatisticsPage(const SheetRun& run) {
    Progress().Done = 0;
    Progress().Total = 100;
    SetProgressLabel(Text(44));
    LetEventsRun();
    const bool audited = TableExists("Audit");
    std::string page = StatisticsTemplate(run, audited);
    ReplaceAll(page, "#AUDIT", audited ? AuditCountsLine() : std::string());
    ReplaceAll(page, "#VERMAME", run.mameVersion);
    ReplaceAll(page, "#VERANO", run.programVersion);
    ReplaceAll(page, "#HOME", kHomeLink);
    constexpr std::string_view kSubsets[6][2] = {
        {"[001]", ""},
        {"[002]", "CloneOf IS NULL"},
        {"[003]", "CloneOf IS NOT NULL"},
        {"[004]", "GotIt=TRUE"},
        {"[005]", "GotIt=TRUE AND CloneOf IS NULL"},
        {"[006]", "GotIt=TRUE AND CloneOf IS NOT NULL"},
    };
    for (int i = 0; i < 6; ++i) {
        Progress().Done = 15 * (i + 1);
        LetEventsRun();
        ReplaceAll(page, kSubsets[i][0], StatisticsBlock(kSubsets[i][1]));
    }
    WritePage(run.PagesFolder() + "STAT.htm", page);
    Progress().Done = 100;
}

}  // namespace arc
