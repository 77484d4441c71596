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

// --- DataValues ---------------------------------------------------------------

DataValues::DataValues(bool readNames) {
    slots_.assign(1024, 0);
    if (readNames) Resolve();
}

DataValues::~DataValues() = default;

void DataValues::Defer(std::unique_ptr<DeferredWrites> writes) {
    deferred_.push_back(std::move(writes));
}

std::size_t DataValues::AddSet(std::string_view lower) {
    if (2 * (rowids_.size() + 1) > slots_.size()) {
        // Twice as many slots, every name placed again.
        slots_.assign(slots_.size() * 2, 0);
        for (std::size_t set = 0; set < rowids_.size(); ++set) {
            std::size_t slot = 0;
            Probe(NameOf(set), slot);
            slots_[slot] = static_cast<std::uint32_t>(set + 1);
        }
    }
    std::size_t slot = 0;
    Probe(lower, slot);
    names_ += lower;
    nameEnds_.push_back(static_cast<std::uint32_t>(names_.size()));
    rowids_.push_back(0);
    for (Column& column : columns_) {
        column.set.push_back(0);
        column.fill.push_back(0);
    }
    slots_[slot] = static_cast<std::uint32_t>(rowids_.size());
    return rowids_.size() - 1;
}

void DataValues::Resolve(const std::function<bool()>& stop) {
    if (resolved_) return;
    Statement select("SELECT rowid, InternalName FROM Data ORDER BY rowid");
    std::string key;
    while (select.Step()) {
        LowerAsciiInto(select.ColumnView(1), key);
        std::size_t slot = 0;
        std::size_t set = Probe(key, slot);
        if (set == kNoSet) set = AddSet(key);
        if (rowids_[set] == 0)
            rowids_[set] = select.ColumnInt(0);
        else
            moreRows_.emplace_back(set, select.ColumnInt(0));
    }
    resolved_ = true;
    // The writes kept back go in now, in the order they were kept.
    std::vector<std::unique_ptr<DeferredWrites>> deferred = std::move(deferred_);
    for (const auto& writes : deferred)
        writes->Replay(*this, stop);
}

std::string_view DataValues::NameOf(std::size_t set) const {
    const std::size_t start = set == 0 ? 0 : nameEnds_[set - 1];
    return std::string_view(names_).substr(start, nameEnds_[set] - start);
}

std::size_t DataValues::Probe(std::string_view lower, std::size_t& slot) const {
    const std::size_t mask = slots_.size() - 1;
    for (slot = std::hash<std::string_view>()(lower) & mask; slots_[slot] != 0;
         slot = (slot + 1) & mask)
        if (NameOf(slots_[slot] - 1) == lower) return slots_[slot] - 1;
    return kNoSet;
}

std::size_t DataValues::Find(std::string_view name) {
    LowerAsciiInto(name, key_);
    std::size_t slot = 0;
    const std::size_t set = Probe(key_, slot);
    if (!resolved_) return set == kNoSet ? AddSet(key_) : set;
    return set != kNoSet && rowids_[set] != 0 ? set : kNoSet;
}

int DataValues::Field(std::string_view name) {
    std::string lower;
    LowerAsciiInto(name, lower);
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        LowerAsciiInto(columns_[i].name, key_);
        if (key_ == lower) return static_cast<int>(i);
    }
    columns_.push_back(
        {std::string(name), std::vector<Ref>(rowids_.size()), std::vector<Ref>(rowids_.size())});
    return static_cast<int>(columns_.size() - 1);
}

DataValues::Ref DataValues::TextRef(std::string_view text) {
    if (lastRef_ != 0 && text == lastText_) return lastRef_;
    if (const auto at = textRefs_.find(text); at != textRefs_.end()) {
        lastRef_ = at->second;
    } else {
        pool_.emplace_back(std::string(text));
        lastRef_ = static_cast<Ref>(pool_.size());
        textRefs_.emplace(std::get<std::string>(pool_.back()), lastRef_);
    }
    lastText_ = std::get<std::string>(pool_[lastRef_ - 1]);
    return lastRef_;
}

void DataValues::Set(std::size_t set, int field, std::string_view text) {
    Column& column = columns_[static_cast<std::size_t>(field)];
    column.set[set] = TextRef(text);
    column.fill[set] = 0;
}

void DataValues::Set(std::size_t set, int field, std::int64_t number) {
    auto [at, added] = numberRefs_.try_emplace(number, 0);
    if (added) {
        pool_.emplace_back(number);
        at->second = static_cast<Ref>(pool_.size());
    }
    Column& column = columns_[static_cast<std::size_t>(field)];
    column.set[set] = at->second;
    column.fill[set] = 0;
}

void DataValues::Fill(std::size_t set, int field, std::string_view text) {
    Column& column = columns_[static_cast<std::size_t>(field)];
    // A value set before, even an empty text, is no Null; nor is a first fill.
    if (text.empty() || column.set[set] != 0 || column.fill[set] != 0) return;
    column.fill[set] = TextRef(text);
}

void DataValues::Write(bool onlyChanges, const std::function<bool()>& stop) {
    Resolve(stop);
    if (columns_.empty()) return;
    // Each field takes its value, else keeps its own, else its fill value.
    std::string sql = "UPDATE Data SET ";
    std::string changes;
    int parameter = 1;
    for (const Column& column : columns_) {
        const std::string value = "coalesce(?" + std::to_string(parameter) + ", " + column.name +
                                  ", ?" + std::to_string(parameter + 1) + ")";
        if (parameter > 1) {
            sql += ", ";
            changes += " OR ";
        }
        sql += column.name + "=" + value;
        changes += column.name + " IS NOT " + value;
        parameter += 2;
    }
    sql += " WHERE rowid=?" + std::to_string(parameter);
    // The comparison converts the value as storing it would: a row that would
    // stay the same is not rewritten.
    if (onlyChanges) sql += " AND (" + changes + ")";
    Statement update(sql);
    BatchTransaction batch;
    auto bind = [&](int index, Ref ref) {
        if (ref == 0) {
            update.BindNull(index);
        } else if (const auto* text = std::get_if<std::string>(&pool_[ref - 1])) {
            update.BindView(index, *text);
        } else {
            update.Bind(index, std::get<std::int64_t>(pool_[ref - 1]));
        }
    };
    auto write = [&](std::size_t set, std::int64_t rowid) {
        bool any = false;
        for (const Column& column : columns_)
            any = any || column.set[set] != 0 || column.fill[set] != 0;
        if (!any) return;
        int index = 1;
        for (const Column& column : columns_) {
            bind(index++, column.set[set]);
            bind(index++, column.fill[set]);
        }
        update.Bind(index, rowid);
        update.Run();
        batch.RowDone();
    };
    constexpr std::size_t kStopCheckRows = 256;
    bool stopped = false;
    for (std::size_t set = 0; set < rowids_.size() && !stopped; ++set) {
        if (rowids_[set] != 0) write(set, rowids_[set]);
        stopped = stop && set % kStopCheckRows == 0 && stop();
    }
    for (const auto& [set, rowid] : moreRows_) {
        if (stopped) break;
        write(set, rowid);
    }
    batch.Commit();
    columns_.clear();
    pool_.clear();
    textRefs_.clear();
    lastRef_ = 0;
    numberRefs_.clear();
}

// --- updates by set name ------------------------------------------------------

DataFieldUpdate::DataFieldUpdate(std::string_view field, DataValues* values,
                                 std::shared_ptr<const DataRowids> rows)
    : values_(values) {
    if (values_) {
        field_ = values_->Field(field);
        return;
    }
    rows_ = rows ? std::move(rows) : std::make_shared<DataRowids>();
    byRowid_.emplace("UPDATE Data SET " + std::string(field) + "=? WHERE rowid=?");
    byName_.emplace("UPDATE Data SET " + std::string(field) + "=? WHERE InternalName=?");
}

void DataFieldUpdate::Run(std::string_view name, std::string_view value) {
    if (values_) {
        if (const std::size_t set = values_->Find(name); set != DataValues::kNoSet)
            values_->Set(set, field_, value);
        return;
    }
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
        byRowid_->Bind(1, value).Bind(2, row);
        byRowid_->Run();
        return;
    }
    byName_->Bind(1, value).Bind(2, name);
    byName_->Run();
}

DataFlagUpdate::DataFlagUpdate(std::string_view field, DataValues* values,
                               std::shared_ptr<const DataRowids> rows)
    : values_(values) {
    if (values_) {
        field_ = values_->Field(field);
        return;
    }
    rows_ = rows ? std::move(rows) : std::make_shared<DataRowids>();
    byRowid_.emplace("UPDATE Data SET " + std::string(field) + "=TRUE WHERE rowid=?");
    byName_.emplace("UPDATE Data SET " + std::string(field) + "=TRUE WHERE InternalName=?");
}

void DataFlagUpdate::Run(std::string_view name) {
    if (values_) {
        if (const std::size_t set = values_->Find(name); set != DataValues::kNoSet)
            values_->Set(set, field_, std::int64_t{1});
        return;
    }
    const std::int64_t row = rows_->Find(name);
    if (row == 0) return;
    if (row > 0) {
        if (!written_.insert(row).second) return;
        byRowid_->Bind(1, row);
        byRowid_->Run();
        return;
    }
    byName_->Bind(1, name);
    byName_->Run();
}

}  // namespace arc
