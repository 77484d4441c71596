#pragma once
// Writes History entries: the History row, the Data links by CodeHistory and
// the technical values into Data fields that are still Null.

#include "database/Database.h"
#include "importers/HistoryEntry.h"

namespace arc {

class HistoryWriter {
  public:
    HistoryWriter();
    void Write(const HistoryEntry& entry);
    /// Commits what was written so far.
    void Commit() { batch_.Commit(); }

  private:
    Statement insert_;
    Statement link_;  ///< CodeHistory and the Null-only technical values
    BatchTransaction batch_;
};

/// Deletes the History rows that no Data row points to (the update-mode
/// clean-up). Returns the number of rows deleted.
int RemoveUnusedHistoryRows();

}  // namespace arc
