#pragma once
// Rows of one table inserted many at a time: a statement of several rows
// costs the engine much less per row than a statement of one (one step, one
// reset, the table's cursors kept open from row to row).

#include <string>
#include <string_view>
#include <vector>

#include "database/Database.h"

namespace arc {

class BulkInsert {
  public:
    static constexpr int kRowsPerStatement = 32;
    BulkInsert(std::string_view table, std::vector<std::string_view> columns);

    /// Adds a row, one value per column; written once enough rows wait.
    template <class... Values>
    void Add(Values&&... values) {
        (waiting_.emplace_back(std::forward<Values>(values)), ...);
        if (waiting_.size() >= columns_ * kRowsPerStatement) WriteWaiting();
    }
    /// Writes the rows still waiting.
    void Flush();
    /// Forgets the rows still waiting.
    void Discard() { waiting_.clear(); }

    /// Inserts `rows` rows held by the caller, in order: `bindRow(statement,
    /// firstParameter, row)` binds the columns of one row from that parameter
    /// on. The bound values need to live only until the call returns.
    template <class BindRow>
    void InsertRows(std::size_t rows, BindRow&& bindRow) {
        const std::size_t many = kRowsPerStatement;
        std::size_t row = 0;
        for (; row + many <= rows; row += many) {
            for (std::size_t k = 0; k < many; ++k)
                bindRow(many_, static_cast<int>(k * columns_) + 1, row + k);
            many_.Run();
        }
        for (; row < rows; ++row) {
            bindRow(one_, 1, row);
            one_.Run();
        }
    }

    std::size_t Columns() const { return columns_; }

  private:
    void WriteWaiting();

    std::size_t columns_;
    Statement many_, one_;
    std::vector<FieldValue> waiting_;  // row after row
};

/// A text value, Null when empty.
inline FieldValue TextOrNull(std::string_view text) {
    return text.empty() ? FieldValue{} : FieldValue{std::string(text)};
}

}  // namespace arc
