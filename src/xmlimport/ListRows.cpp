#include "xmlimport/ListRows.h"

#include <utility>

#include "xmlimport/ListXmlWriter.h"

namespace arc {
namespace {

/// Batches of this many rows go to the writing thread; it commits every
/// kCommitRows rows.
constexpr std::size_t kQueuedBatches = 4;
constexpr int kCommitRows = 50'000;

std::vector<std::string_view> DataColumns() {
    std::vector<std::string_view> columns;
    for (int i = 0; i < kGameFieldCount; ++i)
        columns.push_back(GameFieldName(static_cast<GameField>(i)));
    return columns;
}

constexpr std::string_view kHistoryInsert =
    "INSERT INTO History (yearmanufacturer, Description, technical, trivia, updates, scoring, "
    "tipsandtricks, series, staff, ports, sources) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

}  // namespace

void ListRows::Row(ListTable table) {
    if (table == ListTable::History) ++histories_;
    rows_[static_cast<std::size_t>(table)].push_back(static_cast<std::uint32_t>(cells_.size()));
    ++size_;
}

void ListRows::Text(std::string_view text) {
    cells_.push_back({Kind::Text, static_cast<std::uint32_t>(text.size()),
                      static_cast<std::int64_t>(text_.size())});
    text_.append(text);
}

void ListRows::Null() {
    cells_.push_back({Kind::Null, 0, 0});
}

void ListRows::Number(std::int64_t number) {
    cells_.push_back({Kind::Number, 0, number});
}

void ListRows::LastHistory() {
    cells_.push_back({Kind::History, 0, histories_ - 1});
}

void ListRows::Clear() {
    text_.clear();
    cells_.clear();
    for (auto& rows : rows_)
        rows.clear();
    size_ = 0;
    histories_ = 0;
}

void ListRows::Bind(Statement& statement, int parameter, std::size_t cell,
                    const std::vector<std::int64_t>& histories) const {
    const Cell& value = cells_[cell];
    switch (value.kind) {
        case Kind::Null:
            statement.BindNull(parameter);
            break;
        case Kind::Text:
            statement.BindView(parameter, std::string_view(text_).substr(
                                              static_cast<std::size_t>(value.value), value.size));
            break;
        case Kind::Number:
            statement.Bind(parameter, value.value);
            break;
        case Kind::History:
            statement.Bind(parameter, histories[static_cast<std::size_t>(value.value)]);
            break;
    }
}

ListRowInserter::ListRowInserter() : history_(kHistoryInsert) {
    inserts_.reserve(kListTableCount - 1);
    inserts_.emplace_back("Data", DataColumns());
    inserts_.emplace_back("BiosSet",
                          std::vector<std::string_view>{"InternalName", "BiosSetName",
                                                        "biossetdescription", "biossetdefault"});
    inserts_.emplace_back("Rom", std::vector<std::string_view>{
                                     "InternalName", "RomName", "Rombios", "Romsize", "Romcrc",
                                     "Rommd5", "Romsha1", "Rommerge", "Romregion", "Romoffset",
                                     "Romstatus", "Romdispose", "Romsoundonly"});
    inserts_.emplace_back("Disk", std::vector<std::string_view>{
                                      "InternalName", "diskName", "diskmd5", "disksha1",
                                      "diskmerge", "diskregion", "diskIndex", "diskStatus"});
    inserts_.emplace_back("Chip",
                          std::vector<std::string_view>{"InternalName", "chipname", "chiptype",
                                                        "chipsoundonly", "chipclock"});
    inserts_.emplace_back(
        "DipSwitch", std::vector<std::string_view>{"InternalName", "dipswitchname", "dipvaluename",
                                                   "dipvaluedefault"});
    inserts_.emplace_back("DeviceRef", std::vector<std::string_view>{"Name", "Device"});
    inserts_.emplace_back("MachineSoftwareList",
                          std::vector<std::string_view>{"Machine", "ListName", "Status", "Filter"});
}

void ListRowInserter::Insert(const ListRows& rows) {
    historyIds_.clear();
    for (std::uint32_t first : rows.RowsOf(ListTable::History)) {
        for (int i = 0; i < 11; ++i)
            rows.Bind(history_, i + 1, first + static_cast<std::size_t>(i), historyIds_);
        history_.Run();
        historyIds_.push_back(LastInsertId());
    }
    for (std::size_t t = 1; t < kListTableCount; ++t) {
        BulkInsert& insert = inserts_[t - 1];
        const std::vector<std::uint32_t>& firsts = rows.RowsOf(static_cast<ListTable>(t));
        const std::size_t columns = insert.Columns();
        insert.InsertRows(firsts.size(), [&](Statement& statement, int parameter, std::size_t row) {
            for (std::size_t c = 0; c < columns; ++c)
                rows.Bind(statement, parameter + static_cast<int>(c), firsts[row] + c, historyIds_);
        });
    }
}

ListRowThread::ListRowThread() : thread_([this] { Work(); }) {}

ListRowThread::~ListRowThread() {
    try {
        Finish();
    } catch (...) {
        // Told by Finish() to the import that ran the thread.
    }
}

void ListRowThread::Work() {
    std::exception_ptr failure;
    try {
        // Committed every kCommitRows rows and at the end, also after an error.
        BatchTransaction transaction(kCommitRows);
        for (;;) {
            ListRows rows;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return closing_ || !queue_.empty(); });
                if (queue_.empty()) break;
                rows = std::move(queue_.front());
                queue_.pop_front();
            }
            changed_.notify_all();
            inserter_.Insert(rows);
            transaction.RowDone(static_cast<int>(rows.Size()));
            rows.Clear();
            std::lock_guard lock(mutex_);
            spare_.push_back(std::move(rows));
        }
    } catch (...) {
        failure = std::current_exception();
    }
    {
        std::lock_guard lock(mutex_);
        if (failure) {
            failure_ = failure;
            queue_.clear();
        }
        closing_ = true;
    }
    changed_.notify_all();
}

void ListRowThread::Push(ListRows& rows) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return failure_ || queue_.size() < kQueuedBatches; });
    if (failure_) std::rethrow_exception(failure_);
    queue_.push_back(std::move(rows));
    if (spare_.empty()) {
        rows = ListRows();
    } else {
        rows = std::move(spare_.back());
        spare_.pop_back();
    }
    lock.unlock();
    changed_.notify_all();
}

void ListRowThread::Finish() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

}  // namespace arc
