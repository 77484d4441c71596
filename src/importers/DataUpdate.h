#pragma once
// Prepared updates of one Data field by set name. Names and values are bound,
// never written into the statement text, so any character in them is safe.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

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

/// "UPDATE Data SET <field>=? WHERE InternalName=?", prepared once. A set
/// given the value it already received from this update is not written again:
/// SQLite rewrites the whole row (its MameInfo text included) at every update,
/// so a file naming one set over and over would otherwise cost that many rewrites.
class DataFieldUpdate {
  public:
    /// `rows` may be shared by the updates of one import (read when null).
    explicit DataFieldUpdate(std::string_view field,
                             std::shared_ptr<const DataRowids> rows = nullptr);
    /// Writes the value into the set's field (a set absent from Data is no error).
    void Run(std::string_view name, std::string_view value);

  private:
    std::shared_ptr<const DataRowids> rows_;
    Statement byRowid_;
    Statement byName_;
    std::unordered_map<std::int64_t, std::size_t> written_;  ///< row -> hash of its value
};

/// "UPDATE Data SET <field>=TRUE WHERE InternalName=?", prepared once; each
/// set is written once.
class DataFlagUpdate {
  public:
    explicit DataFlagUpdate(std::string_view field,
                            std::shared_ptr<const DataRowids> rows = nullptr);
    void Run(std::string_view name);

  private:
    std::shared_ptr<const DataRowids> rows_;
    Statement byRowid_;
    Statement byName_;
    std::unordered_set<std::int64_t> written_;
};

}  // namespace arc
