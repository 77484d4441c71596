#pragma once
// Updates of Data fields by set name: written at once by prepared statements,
// or collected for a whole build and written once per set. Names and values
// are bound, never written into the statement text, so any character in them
// is safe.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "database/Database.h"

namespace arc {

/// The rowid of each Data row by set name, compared as the database compares
/// InternalName (ASCII letters without regard to case). Read once per import:
/// an update by rowid skips the name index, and a name that is no set costs
/// no statement at all.
class DataRowids {
  public:
    DataRowids();
    /// The row of the set; 0 when there is none, -1 when several rows hold it.
    std::int64_t Find(std::string_view name) const;

  private:
    std::unordered_map<std::string, std::int64_t> rows_;
    mutable std::string key_;
};

class DataValues;

/// Writes an importer kept back while the names were not known: run, in the
/// order they were kept, once they are.
class DeferredWrites {
  public:
    virtual ~DeferredWrites() = default;
    /// Writes what was kept; stops early once `stop` says so (it may be empty).
    virtual void Replay(DataValues& values, const std::function<bool()>& stop) = 0;
};

/// The Data values of one build's importers, collected per set and written
/// once per set when they have all run: an UPDATE rewrites the whole row (44
/// fields, its MameInfo text included), and a build's importers name every set
/// a dozen times.
///
/// Made without reading Data, it collects by name while the list is still
/// being imported (touching no database): every name is a set until
/// Resolve() reads the names of the Data rows, drops the others and replays
/// the writes kept back.
class DataValues {
  public:
    static constexpr std::size_t kNoSet = static_cast<std::size_t>(-1);

    /// Reads the names of the Data rows (the list is imported by now), or
    /// none yet with `readNames` false.
    explicit DataValues(bool readNames = true);
    ~DataValues();
    DataValues(const DataValues&) = delete;
    DataValues& operator=(const DataValues&) = delete;

    /// Whether the names are still to be read: importers keep their own
    /// writes back (Defer) and touch no database.
    bool Deferring() const { return !resolved_; }
    void Defer(std::unique_ptr<DeferredWrites> writes);
    /// Reads the names of the Data rows, then replays what was deferred.
    void Resolve(const std::function<bool()>& stop = {});

    /// The set of that name, compared as the database compares InternalName
    /// (ASCII letters without regard to case); kNoSet when no row holds it.
    /// While Deferring(), every name is a set.
    std::size_t Find(std::string_view name);

    /// The number of a Data field for the calls below; names that differ only
    /// in case are one field.
    int Field(std::string_view name);

    /// The field takes the value: the last one given wins, as it would with
    /// one UPDATE after the other.
    void Set(std::size_t set, int field, std::string_view text);
    void Set(std::size_t set, int field, std::int64_t number);

    /// "field = coalesce(field, nullif(text, ''))" run in the order given: an
    /// empty text changes nothing, the first one given for a field that is
    /// Null when written is kept.
    void Fill(std::size_t set, int field, std::string_view text);

    /// Writes the collected values, one UPDATE per row that has any, in
    /// batches of committed rows; the collection is emptied. `onlyChanges`
    /// leaves alone the rows the values would not change (an update of a
    /// filled database), at the cost of a comparison on the others.
    /// `stop`, asked every few hundred rows, ends the writing early (a
    /// cancelled build, whose file is discarded).
    void Write(bool onlyChanges = false, const std::function<bool()>& stop = {});

  private:
    /// A value's number in the pool, plus one (0: none).
    using Ref = std::uint32_t;
    struct Column {
        std::string name;
        std::vector<Ref> set;   ///< per set
        std::vector<Ref> fill;  ///< per set, used where `set` has none
    };

    Ref TextRef(std::string_view text);
    std::string_view NameOf(std::size_t set) const;
    /// The set of a lower-case name, or the free slot where it would go.
    std::size_t Probe(std::string_view lower, std::size_t& slot) const;
    /// A new set of that lower-case name, without a row yet.
    std::size_t AddSet(std::string_view lower);

    bool resolved_ = false;
    std::vector<std::unique_ptr<DeferredWrites>> deferred_;

    // Every importer looks a set up at each line: the names are one open
    // addressing table over one text, which stays in the processor's cache.
    std::string names_;                    ///< lower-case names, one after the other
    std::vector<std::uint32_t> nameEnds_;  ///< per set, where its name ends in names_
    std::vector<std::uint32_t> slots_;     ///< set + 1, 0 when free; a power of two long
    std::vector<std::int64_t> rowids_;     ///< the set's first row (0: none)
    std::vector<std::pair<std::size_t, std::int64_t>> moreRows_;  ///< further rows of a name
    mutable std::string key_;
    std::vector<Column> columns_;
    std::deque<FieldValue> pool_;  ///< a deque: the map's keys point into its texts
    std::unordered_map<std::string_view, Ref> textRefs_;
    std::string_view lastText_;  ///< the text of lastRef_ (lines of a section share it)
    Ref lastRef_ = 0;
    std::unordered_map<std::int64_t, Ref> numberRefs_;
};

/// The transaction of an importer that writes at once; none while its values
/// are collected in DataValues (which writes them in its own).
class WritesBatch {
  public:
    explicit WritesBatch(const DataValues* values) {
        if (!values) batch_.emplace();
    }
    void RowDone() {
        if (batch_) batch_->RowDone();
    }

  private:
    std::optional<BatchTransaction> batch_;
};

/// "UPDATE Data SET <field>=? WHERE InternalName=?", prepared once; with
/// DataValues, the values go there instead. A set given the value it already
/// received from this update is not written again: SQLite rewrites the whole
/// row at every update, so a file naming one set over and over would otherwise
/// cost that many rewrites.
class DataFieldUpdate {
  public:
    /// `values`: the build's collection, or null to write at once. `rows` may
    /// be shared by the updates of one import (read when null and needed).
    DataFieldUpdate(std::string_view field, DataValues* values,
                    std::shared_ptr<const DataRowids> rows = nullptr);
    /// Writes the value into the set's field (a set absent from Data is no error).
    void Run(std::string_view name, std::string_view value);

  private:
    DataValues* values_;
    int field_ = 0;
    std::shared_ptr<const DataRowids> rows_;
    std::optional<Statement> byRowid_;
    std::optional<Statement> byName_;
    std::unordered_map<std::int64_t, std::size_t> written_;  ///< row -> hash of its value
};

/// "UPDATE Data SET <field>=TRUE WHERE InternalName=?", prepared once (or
/// collected in DataValues); each set is written once.
class DataFlagUpdate {
  public:
    DataFlagUpdate(std::string_view field, DataValues* values,
                   std::shared_ptr<const DataRowids> rows = nullptr);
    void Run(std::string_view name);

  private:
    DataValues* values_;
    int field_ = 0;
    std::shared_ptr<const DataRowids> rows_;
    std::optional<Statement> byRowid_;
    std::optional<Statement> byName_;
    std::unordered_set<std::int64_t> written_;
};

}  // namespace arc
