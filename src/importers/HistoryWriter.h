#pragma once
// Writes History entries: the History row, the Data links by CodeHistory and
// the technical values into Data fields that are still Null.

#include <array>
#include <optional>
#include <vector>

#include "database/Database.h"
#include "importers/DataUpdate.h"
#include "importers/HistoryEntry.h"

namespace arc {

class HistoryWriter {
  public:
    /// With `values` the Data links and values are collected there; while
    /// they are Deferring(), the entries are kept and written when replayed.
    explicit HistoryWriter(DataValues* values = nullptr);
    void Write(const HistoryEntry& entry);
    /// Commits what was written so far.
    void Commit() {
        if (batch_) batch_->Commit();
    }

  private:
    class Kept;
    std::optional<Statement> insert_;
    std::optional<Statement> link_;  ///< CodeHistory and the Null-only technical values
    DataValues* values_;
    std::array<int, 7> fields_{};  ///< CodeHistory and the technical fields in `values_`
    std::optional<BatchTransaction> batch_;
    Kept* kept_ = nullptr;  ///< the entries kept back, owned by `values_`
};

/// Deletes the History rows that no Data row points to (the update-mode
/// clean-up). Returns the number of rows deleted.
int RemoveUnusedHistoryRows();

}  // namespace arc
