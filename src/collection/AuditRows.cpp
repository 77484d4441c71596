#include "collection/AuditRows.h"

#include "database/Database.h"

namespace arc {

std::vector<AuditRow> ReadAuditRows() {
    std::vector<AuditRow> rows;
    if (!TableExists("Audit")) return rows;
    Statement select(
        "SELECT Name, Verdict, Needed, Found, Missing, Bad, Unneeded, Problems FROM Audit "
        "ORDER BY Name");
    while (select.Step()) {
        AuditRow& row = rows.emplace_back();
        row.name = select.ColumnText(0);
        row.verdict = select.ColumnText(1);
        int* counts[] = {&row.needed, &row.found, &row.missing, &row.bad, &row.unneeded};
        for (int i = 0; i < 5; ++i)
            *counts[i] = static_cast<int>(select.ColumnInt(2 + i));
        row.problems = select.ColumnText(7);
    }
    return rows;
}

}  // namespace arc
