#include "importers/HistoryWriter.h"

#include <memory>
#include <string>

namespace arc {
namespace {

/// How often a replay of the kept entries asks whether to stop.
constexpr std::size_t kStopCheckEntries = 64;

std::string InsertSql() {
    std::string sql = "INSERT INTO History (yearmanufacturer, Description";
    for (int i = 1; i < kHistorySections; ++i)
        sql += ", " + std::string(HistorySectionField(i));
    sql += ") VALUES (?, ?";
    for (int i = 1; i < kHistorySections; ++i)
        sql += ", ?";
    return sql + ")";
}

constexpr std::array<const char*, 6> kTechnicalFields = {"Controls", "Aspect",  "Resolution",
                                                         "Nplayers", "Refresh", "Colors"};

/// The link and the technical values of one set in one statement: each value
/// fills its field only while the field is Null, and an empty value (not
/// found in the entry) leaves it as it is.
std::string LinkSql() {
    std::string sql = "UPDATE Data SET CodeHistory=?1";
    int parameter = 2;
    for (const char* field : kTechnicalFields)
        sql += std::string(", ") + field + "=coalesce(" + field + ", nullif(?" +
               std::to_string(parameter++) + ", ''))";
    return sql + " WHERE InternalName=?" + std::to_string(parameter);
}

}  // namespace

/// Entries read before the names were known, written when replayed.
class HistoryWriter::Kept : public DeferredWrites {
  public:
    std::vector<HistoryEntry> entries;
    void Replay(DataValues& values, const std::function<bool()>& stop) override {
        HistoryWriter writer(&values);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (stop && i % kStopCheckEntries == 0 && stop()) break;
            writer.Write(entries[i]);
        }
        writer.Commit();
    }
};

HistoryWriter::HistoryWriter(DataValues* values) : values_(values) {
    if (values_ && values_->Deferring()) {
        auto kept = std::make_unique<Kept>();
        kept_ = kept.get();
        values_->Defer(std::move(kept));
        return;
    }
    insert_.emplace(InsertSql());
    batch_.emplace();
    if (!values_) {
        link_.emplace(LinkSql());
        return;
    }
    fields_[0] = values_->Field("CodeHistory");
    for (std::size_t i = 0; i < kTechnicalFields.size(); ++i)
        fields_[i + 1] = values_->Field(kTechnicalFields[i]);
}

void HistoryWriter::Write(const HistoryEntry& entry) {
    if (kept_) {
        kept_->entries.push_back(entry);
        return;
    }
    insert_->Bind(1, entry.yearManufacturer).Bind(2, entry.description);
    for (int i = 1; i < kHistorySections; ++i)
        insert_->Bind(i + 2, entry.sections[i]);
    insert_->Run();
    const std::int64_t code = LastInsertId();
    const TechnicalValues& t = entry.technical;
    for (const std::string& name : entry.names) {
        if (values_) {
            const std::size_t set = values_->Find(name);
            if (set == DataValues::kNoSet) continue;
            values_->Set(set, fields_[0], code);
            int field = 1;
            for (const std::string* value :
                 {&t.controls, &t.aspect, &t.resolution, &t.players, &t.refresh, &t.colors})
                values_->Fill(set, fields_[field++], *value);
            continue;
        }
        link_->Bind(1, code)
            .Bind(2, t.controls)
            .Bind(3, t.aspect)
            .Bind(4, t.resolution)
            .Bind(5, t.players)
            .Bind(6, t.refresh)
            .Bind(7, t.colors)
            .Bind(8, name);
        link_->Run();
    }
    batch_->RowDone(1 + static_cast<int>(entry.names.size()));
}

int RemoveUnusedHistoryRows() {
    return Execute(
        "DELETE FROM History WHERE CodeHistory NOT IN "
        "(SELECT CodeHistory FROM Data WHERE CodeHistory IS NOT NULL)");
}

}  // namespace arc
