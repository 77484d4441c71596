#include "importers/HistoryWriter.h"

#include <string>

namespace arc {
namespace {

std::string InsertSql() {
    std::string sql = "INSERT INTO History (yearmanufacturer, Description";
    for (int i = 1; i < kHistorySections; ++i)
        sql += ", " + std::string(HistorySectionField(i));
    sql += ") VALUES (?, ?";
    for (int i = 1; i < kHistorySections; ++i)
        sql += ", ?";
    return sql + ")";
}

/// The link and the technical values of one set in one statement: each value
/// fills its field only while the field is Null, and an empty value (not
/// found in the entry) leaves it as it is.
std::string LinkSql() {
    std::string sql = "UPDATE Data SET CodeHistory=?1";
    int parameter = 2;
    for (const char* field : {"Controls", "Aspect", "Resolution", "Nplayers", "Refresh", "Colors"})
        sql += std::string(", ") + field + "=coalesce(" + field + ", nullif(?" +
               std::to_string(parameter++) + ", ''))";
    return sql + " WHERE InternalName=?" + std::to_string(parameter);
}

}  // namespace

HistoryWriter::HistoryWriter() : insert_(InsertSql()), link_(LinkSql()) {}

void HistoryWriter::Write(const HistoryEntry& entry) {
    insert_.Bind(1, entry.yearManufacturer).Bind(2, entry.description);
    for (int i = 1; i < kHistorySections; ++i)
        insert_.Bind(i + 2, entry.sections[i]);
    insert_.Run();
    const std::int64_t code = LastInsertId();
    const TechnicalValues& t = entry.technical;
    for (const std::string& name : entry.names) {
        link_.Bind(1, code)
            .Bind(2, t.controls)
            .Bind(3, t.aspect)
            .Bind(4, t.resolution)
            .Bind(5, t.players)
            .Bind(6, t.refresh)
            .Bind(7, t.colors)
            .Bind(8, name);
        link_.Run();
    }
    batch_.RowDone(1 + static_cast<int>(entry.names.size()));
}

int RemoveUnusedHistoryRows() {
    return Execute(
        "DELETE FROM History WHERE CodeHistory NOT IN "
        "(SELECT CodeHistory FROM Data WHERE CodeHistory IS NOT NULL)");
}

}  // namespace arc
