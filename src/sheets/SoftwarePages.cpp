#include "sheets/SoftwarePages.h"

#include "core/Files.h"
#include "core/TextFile.h"
#include "database/Database.h"
#include "sheets/SheetText.h"

namespace arc {
namespace {

constexpr std::string_view kSoftwareIndex = "SOFTWARE.htm";

bool HasSoftwareLists() {
    return TableExists("SoftwareList") && TableExists("Software");
}

std::string Escaped(std::string_view text) {
    return EscapeXmlText(text);
}

std::string ListLink(const std::string& list, std::string_view prefix = {}) {
    return "<a href=\"" + AttributeUrl(std::string(prefix) + SoftwareListPageName(list)) + "\">" +
           Escaped(list) + "</a>";
}

std::string PageHead(std::string_view title) {
    return "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
           "charset=utf-8\">\r\n<title>" +
           Escaped(title) + "</title>\r\n</head>\r\n<body>\r\n<p>" + std::string(kHomeLink) +
           "</p>\r\n<h1>" + Escaped(title) + "</h1>\r\n";
}

std::string Said(bool french, std::string_view english, std::string_view inFrench) {
    return std::string(french ? inFrench : english);
}

}  // namespace

std::string SoftwareListPageName(std::string_view list) {
    return "SL_" + SafeFileName(list) + ".htm";
}

std::unordered_map<std::string, std::string> SoftwareLinesByMachine(bool french) {
    std::unordered_map<std::string, std::string> lines;
    if (!HasSoftwareLists() || !TableExists("MachineSoftwareList")) return lines;
    Statement links(
        "SELECT Machine, ListName, Status FROM MachineSoftwareList WHERE ListName IN (SELECT "
        "ListName FROM SoftwareList) ORDER BY Machine, rowid");
    while (links.Step()) {
        std::string& line = lines[ToLowerAscii(links.ColumnText(0))];
        line += line.empty() ? "<p>" + Said(french, "Software lists", "Listes de logiciels") + ": "
                             : std::string(", ");
        line += ListLink(links.ColumnText(1)) + " (" + Escaped(links.ColumnText(2)) + ")";
    }
    for (auto& [machine, line] : lines)
        line += "</p>\r\n";
    return lines;
}

void InsertBeforeBodyEnd(std::string& page, std::string_view block) {
    if (block.empty()) return;
    const std::string lower = ToLowerAscii(page);
    const std::size_t end = lower.rfind("</body>");
    page.insert(end == std::string::npos ? page.size() : end, block);
}

int WriteSoftwarePages(const SheetRun& run) {
    const bool french = run.frenchPages;
    if (!HasSoftwareLists()) return 0;
    const std::string title = Said(french, "Software lists", "Listes de logiciels");
    std::string index = PageHead(title) + "<table>\r\n";
    int pages = 0;
    Statement lists(
        "SELECT l.ListName, l.Description, count(s.Id), sum(s.Owned = 1) FROM SoftwareList l "
        "LEFT JOIN Software s ON s.ListName = l.ListName GROUP BY l.ListName ORDER BY "
        "l.ListName");
    Statement items(
        "SELECT Name, Description, Year, Publisher, Supported, Owned FROM Software WHERE "
        "ListName = ? ORDER BY Name");
    while (lists.Step()) {
        const std::string list = lists.ColumnText(0);
        const std::string description = lists.ColumnText(1);
        index += "<tr><td>" + ListLink(list) + "</td><td>" + Escaped(description) + "</td><td>" +
                 lists.ColumnText(2) + "</td><td>" + std::to_string(lists.ColumnInt(3)) +
                 "</td></tr>\r\n";
        std::string page = PageHead(description.empty() ? list : description) + "<table>\r\n<tr>";
        for (std::string_view head :
             {Said(french, "Name", "Nom"), Said(french, "Title", "Titre"),
              Said(french, "Year", "Année"), Said(french, "Publisher", "Éditeur"),
              Said(french, "Supported", "Pris en charge"), Said(french, "Owned", "Possédé")})
            page += "<th>" + Escaped(head) + "</th>";
        page += "</tr>\r\n";
        items.Bind(1, list);
        while (items.Step()) {
            page += "<tr>";
            for (int column = 0; column < 5; ++column)
                page += "<td>" + Escaped(items.ColumnText(column)) + "</td>";
            page +=
                "<td>" +
                (items.ColumnInt(5) == 1 ? Said(french, "Yes", "Oui") : Said(french, "No", "Non")) +
                "</td></tr>\r\n";
        }
        items.Reset();
        page += "</table>\r\n<p><a href=\"" + std::string(kSoftwareIndex) + "\">" + Escaped(title) +
                "</a></p>\r\n</body>\r\n</html>\r\n";
        WritePage(run.PagesFolder() + SoftwareListPageName(list), page);
        ++pages;
    }
    index += "</table>\r\n</body>\r\n</html>\r\n";
    WritePage(run.PagesFolder() + std::string(kSoftwareIndex), index);
    return pages;
}

std::string SoftwareIndexBlock(bool french) {
    if (!HasSoftwareLists()) return {};
    return "<p><a href=\"html/" + std::string(kSoftwareIndex) + "\">" +
           Escaped(Said(french, "Software lists", "Listes de logiciels")) + "</a></p>\r\n";
}

std::string SoftwareStatisticsBlock(bool french) {
    if (!HasSoftwareLists()) return {};
    return "<p>" + Escaped(Said(french, "Software lists", "Listes de logiciels")) + ": " +
           QueryValue("SELECT count(*) FROM SoftwareList") + "<br>" +
           Escaped(Said(french, "Software items", "Logiciels")) + ": " +
           QueryValue("SELECT count(*) FROM Software") + "<br>" +
           Escaped(Said(french, "Software items owned", "Logiciels possédés")) + ": " +
           QueryValue("SELECT count(*) FROM Software WHERE Owned = 1") + "</p>\r\n";
}

}  // namespace arc
