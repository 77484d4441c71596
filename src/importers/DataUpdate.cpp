#include "importers/DataUpdate.h"

#include <functional>
#include <string>

#include "core/Files.h"

namespace arc {

namespace {

void LowerAsciiInto(std::string_view text, std::string& out) {
    out.assign(text);
    for (char& c : out)
        c = LowerAscii(c);
}

}  // namespace

DataRowids::DataRowids() {
    Statement select("SELECT rowid, InternalName FROM Data");
    std::string key;
    while (select.Step()) {
        LowerAsciiInto(select.ColumnView(1), key);
        const auto [at, added] = rows_.emplace(key, select.ColumnInt(0));
        if (!added) at->second = -1;
    }
}

std::int64_t DataRowids::Find(std::string_view name) const {
    LowerAsciiInto(name, key_);
    const auto at = rows_.find(key_);
    return at == rows_.end() ? 0 : at->second;
}

DataFieldUpdate::DataFieldUpdate(std::string_view field, std::shared_ptr<const DataRowids> rows)
    : rows_(rows ? std::move(rows) : std::make_shared<DataRowids>()),
      byRowid_("UPDATE Data SET " + std::string(field) + "=? WHERE rowid=?"),
      byName_("UPDATE Data SET " + std::string(field) + "=? WHERE InternalName=?") {}

void DataFieldUpdate::Run(std::string_view name, std::string_view value) {
    const std::int64_t row = rows_->Find(name);
    if (row == 0) return;
    if (row > 0) {
        // A hash of the value is enough: the file that could make two values
        // collide decides both of them anyway.
        const std::size_t hash = std::hash<std::string_view>()(value);
        const auto [at, added] = written_.try_emplace(row, hash);
        if (!added) {
            if (at->second == hash) return;
            at->second = hash;
        }
        byRowid_.Bind(1, value).Bind(2, row);
        byRowid_.Run();
        return;
    }
    byName_.Bind(1, value).Bind(2, name);
    byName_.Run();
}

DataFlagUpdate::DataFlagUpdate(std::string_view field, std::shared_ptr<const DataRowids> rows)
    : rows_(rows ? std::move(rows) : std::make_shared<DataRowids>()),
      byRowid_("UPDATE Data SET " + std::string(field) + "=TRUE WHERE rowid=?"),
      byName_("UPDATE Data SET " + std::string(field) + "=TRUE WHERE InternalName=?") {}

void DataFlagUpdate::Run(std::string_view name) {
    const std::int64_t row = rows_->Find(name);
    if (row == 0) return;
    if (row > 0) {
        if (!written_.insert(row).second) return;
        byRowid_.Bind(1, row);
        byRowid_.Run();
        return;
    }
    byName_.Bind(1, name);
    byName_.Run();
}

}  // namespace arc
