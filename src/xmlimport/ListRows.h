#pragma once
// The rows of a listxml import gathered in batches and inserted many at a
// time, by the importing thread (an update) or by a thread of their own (a
// fresh database: scanning the next games and writing the last ones go on
// side by side, the scanning thread never touching the database).

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "database/BulkInsert.h"

namespace arc {

/// The tables the import fills; History first, as the Data rows refer to it.
enum class ListTable : std::uint8_t {
    History,
    Data,
    BiosSet,
    Rom,
    Disk,
    Chip,
    DipSwitch,
    DeviceRef,
    SoftwareList,
};
inline constexpr std::size_t kListTableCount = 9;

/// Rows of any of the tables, each table's in the order given, their texts
/// copied into one buffer.
class ListRows {
  public:
    /// Starts a row; its values follow, one per column in the table's order.
    void Row(ListTable table);
    void Text(std::string_view text);
    void Null();
    void Number(std::int64_t number);
    /// The CodeHistory of the History row this batch added last.
    void LastHistory();

    std::size_t Size() const { return size_; }
    void Clear();

    /// The first value of each row of the table.
    const std::vector<std::uint32_t>& RowsOf(ListTable table) const {
        return rows_[static_cast<std::size_t>(table)];
    }
    /// Binds value `cell` at `parameter`; `histories` holds the rowids of the
    /// batch's History rows.
    void Bind(Statement& statement, int parameter, std::size_t cell,
              const std::vector<std::int64_t>& histories) const;

  private:
    enum class Kind : std::uint8_t { Null, Text, Number, History };
    struct Cell {
        Kind kind;
        std::uint32_t size;
        std::int64_t value;  ///< text: its offset; number; history: its row in the batch
    };
    std::string text_;
    std::vector<Cell> cells_;
    std::array<std::vector<std::uint32_t>, kListTableCount> rows_;
    std::size_t size_ = 0;
    std::int64_t histories_ = 0;
};

/// Inserts batches on the shared connection (prepared on the calling thread).
class ListRowInserter {
  public:
    ListRowInserter();
    void Insert(const ListRows& rows);

  private:
    std::vector<BulkInsert> inserts_;  // by table, History's unused
    Statement history_;
    std::vector<std::int64_t> historyIds_;
};

/// The inserter on a thread of its own, with a bounded queue of batches,
/// committing after each batch. The caller must not use the database until
/// Finish() returned.
class ListRowThread {
  public:
    ListRowThread();
    /// Finishes (errors are dropped: Finish() tells them).
    ~ListRowThread();
    ListRowThread(const ListRowThread&) = delete;
    ListRowThread& operator=(const ListRowThread&) = delete;

    /// Queues the rows (waiting while the queue is full) and leaves `rows`
    /// empty. Throws the writing thread's error once it failed.
    void Push(ListRows& rows);
    /// Writes what is queued, commits and ends the thread; throws its error.
    void Finish();

  private:
    void Work();

    ListRowInserter inserter_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<ListRows> queue_;
    std::vector<ListRows> spare_;  // emptied batches, their buffers kept
    bool closing_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
};

}  // namespace arc
