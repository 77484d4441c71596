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

std::string FillSql(std::string_view field) {
    const std::string name(field);
    return "UPDATE Data SET " + name + "=? WHERE InternalName=? AND " + name + " IS NULL";
}

}  // namespace

HistoryWriter::HistoryWriter()
    : insert_(InsertSql()),
      link_("UPDATE Data SET CodeHistory=? WHERE InternalName=?"),
      // The order in which the values are written.
      fill_{Statement(FillSql("Controls")),   Statement(FillSql("Aspect")),
            Statement(FillSql("Resolution")), Statement(FillSql("Nplayers")),
            Statement(FillSql("Refresh")),    Statement(FillSql("Colors"))} {}

void HistoryWriter::Write(const HistoryEntry& entry) {
    insert_.Bind(1, entry.yearManufacturer).Bind(2, entry.description);
    for (int i = 1; i < kHistorySections; ++i)
        insert_.Bind(i + 2, entry.sections[i]);
    insert_.Run();
    const std::int64_t code = LastInsertId();
    const TechnicalValues& t = entry.technical;
    const std::array<const std::string*, 6> values = {&t.controls, &t.aspect,  &t.resolution,
                                                      &t.players,  &t.refresh, &t.colors};
    for (const std::string& name : entry.names) {
        link_.Bind(1, code).Bind(2, name);
        link_.Run();
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (values[i]->empty()) continue;
            fill_[i].Bind(1, *values[i]).Bind(2, name);
            fill_[i].Run();
        }
    }
    batch_.RowDone(1 + static_cast<int>(entry.names.size()));
}

int RemoveUnusedHistoryRows() {
    return Execute(
        "DELETE FROM History WHERE CodeHistory NOT IN "
        "(SELECT CodeHistory FROM Data WHERE CodeHistory IS NOT NULL)");
}

}  // namespace arc
