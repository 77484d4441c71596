#pragma once
// Writes the rows of the software lists being read, through statements
// prepared once, many rows a statement. Each list is written in a
// transaction of its own: it is saved whole when it ends, or not at all.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "database/BulkInsert.h"
#include "database/Database.h"
#include "software/SoftwareRows.h"

namespace arc {

class SoftwareWriter {
  public:
    /// Makes the tables when missing and prepares the statements.
    SoftwareWriter();
    /// Rolls an open list back.
    ~SoftwareWriter();
    SoftwareWriter(const SoftwareWriter&) = delete;
    SoftwareWriter& operator=(const SoftwareWriter&) = delete;

    /// Writes a chunk of a reading's rows. Its list's first chunk opens the
    /// list's transaction (removing the rows of an earlier import of the same
    /// list); the last one commits it, after keeping as parents the clones
    /// whose parent the list lacks (logged), or rolls it back. The list's
    /// item count when the chunk saved it.
    std::optional<int> Write(const SoftwareRowChunk& chunk);
    /// Rolls the open list back (a damaged file, a cancel).
    void AbandonList();

  private:
    void BeginList(std::string_view name, std::string_view description);
    void InsertRows(const SoftwareRowChunk& chunk);

    Statement insertList_, findList_, deleteList_, deleteItems_, deleteInfo_, deleteParts_,
        deleteRoms_, dropCloneOf_;
    BulkInsert insertItem_, insertInfo_, insertPart_, insertRom_;
    std::optional<Transaction> transaction_;
    std::string list_;
    std::int64_t nextItemId_ = 1;
    std::int64_t nextPartId_ = 1;
    std::int64_t nextSeq_ = 1;  // of info pairs and ROMs
    // Where the open list's ids start.
    std::int64_t firstItemId_ = 1, firstPartId_ = 1, firstSeq_ = 1;
    bool fresh_ = false;                       // the tables were empty: no old rows to remove
    std::unordered_set<std::string> written_;  // lower-case names of the lists written
};

}  // namespace arc
