#include "software/SoftwareQuery.h"

#include "database/Database.h"
#include "software/SoftwareTables.h"

namespace arc {
namespace {

/// A LIKE pattern that finds the word anywhere, its own "%" and "_" escaped.
std::string Contains(const std::string& word) {
    std::string pattern = "%";
    for (char c : word) {
        if (c == '%' || c == '_' || c == '\\') pattern += '\\';
        pattern += c;
    }
    return pattern + "%";
}

}  // namespace

std::vector<SoftwareListRow> SoftwareLists() {
    std::vector<SoftwareListRow> lists;
    if (!HasSoftwareTables()) return lists;
    Statement select(
        "SELECT l.ListName, l.Description, count(s.Id), coalesce(sum(s.Owned), 0) FROM "
        "SoftwareList l LEFT JOIN Software s ON s.ListName = l.ListName GROUP BY l.ListName "
        "ORDER BY l.ListName");
    while (select.Step())
        lists.push_back({select.ColumnText(0), select.ColumnText(1),
                         static_cast<int>(select.ColumnInt(2)),
                         static_cast<int>(select.ColumnInt(3))});
    return lists;
}

std::vector<SoftwareRow> FindSoftware(const SoftwareFilter& filter) {
    std::vector<SoftwareRow> rows;
    if (!HasSoftwareTables()) return rows;
    std::string sql =
        "SELECT ListName, Name, CloneOf, Description, Year, Publisher, Supported, Owned FROM "
        "Software WHERE 1";
    if (!filter.list.empty()) sql += " AND ListName = ?";
    for (std::size_t i = 0; i < filter.words.size(); ++i)
        sql +=
            " AND (Name LIKE ? ESCAPE '\\' OR Description LIKE ? ESCAPE '\\' OR Publisher LIKE ? "
            "ESCAPE '\\')";
    if (filter.owned) sql += " AND Owned = 1";
    if (filter.supported) sql += " AND Supported = 'yes'";
    Statement select(sql + " ORDER BY ListName, Name");
    int index = 1;
    if (!filter.list.empty()) select.Bind(index++, filter.list);
    for (const std::string& word : filter.words)
        for (int column = 0; column < 3; ++column)
            select.Bind(index++, Contains(word));
    while (select.Step())
        rows.push_back({select.ColumnText(0), select.ColumnText(1), select.ColumnText(2),
                        select.ColumnText(3), select.ColumnText(4), select.ColumnText(5),
                        select.ColumnText(6), select.ColumnInt(7) != 0});
    return rows;
}

std::vector<SoftwareListLink> MachinesOfList(const std::string& list) {
    std::vector<SoftwareListLink> links;
    if (!TableExists("MachineSoftwareList")) return links;
    Statement select(
        "SELECT Machine, Status, Filter FROM MachineSoftwareList WHERE ListName = ? ORDER BY "
        "Status DESC, Machine");
    select.Bind(1, list);
    while (select.Step())
        links.push_back({select.ColumnText(0), select.ColumnText(1), select.ColumnText(2)});
    return links;
}

}  // namespace arc
