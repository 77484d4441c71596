#pragma once
// Rows of one table inserted many at a time: a statement of several rows
// costs the engine much less per row than a statement of one (one step, one
// reset, the table's cursors kept open from row to row).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/Database.h"

namespace arc {

class BulkInsert {
  public:
    static constexpr int kRowsPerStatement = 32;  // a power of two
    BulkInsert(std::string_view table, std::vector<std::string_view> columns);

    /// Adds a row, one value per column (integers, texts, or empty optionals
    /// for Null); written once enough rows wait. Texts are copied.
    template <class... Values>
    void Add(const Values&... values) {
        (Put(values), ...);
        if (cells_.size() >= columns_ * kRowsPerStatement) WriteWaiting();
    }
    /// Writes the rows still waiting.
    void Flush();
    /// Forgets the rows still waiting.
    void Discard();

    /// Inserts `rows` rows held by the caller, in order: `bindRow(statement,
    /// firstParameter, row)` binds the columns of one row from that parameter
    /// on. The bound values need to live only until the call returns.
    template <class BindRow>
    void InsertRows(std::size_t rows, BindRow&& bindRow) {
        std::size_t row = 0;
        for (std::size_t which = 0; which < statements_.size(); ++which) {
            const std::size_t many = static_cast<std::size_t>(kRowsPerStatement) >> which;
            for (; rows - row >= many; row += many) {
                Statement& statement = statements_[which];
                for (std::size_t k = 0; k < many; ++k)
                    bindRow(statement, static_cast<int>(k * columns_) + 1, row + k);
                statement.Run();
            }
        }
    }

    std::size_t Columns() const { return columns_; }

  private:
    /// A value waiting: Null, an integer, or a text of `text_` (start, end).
    struct Cell {
        enum class Kind : std::uint8_t { Null, Integer, Text } kind;
        std::int64_t number;
        std::uint32_t end;
    };
    void Put(std::int64_t number) { cells_.push_back({Cell::Kind::Integer, number, 0}); }
    void Put(int number) { Put(std::int64_t{number}); }
    void Put(std::string_view text);
    void Put(const std::string& text) { Put(std::string_view(text)); }
    template <class T>
    void Put(const std::optional<T>& value) {
        if (value) return Put(*value);
        cells_.push_back({Cell::Kind::Null, 0, 0});
    }
    /// Runs statements_[which] on the rows waiting from cell `first` on, as
    /// many as it takes; returns the cell after them.
    std::size_t Write(std::size_t which, std::size_t first, std::uint32_t& textStart);
    void WriteWaiting();

    std::size_t columns_;
    /// Statements of 32, 16, 8, 4, 2 and 1 rows: the rows left at a flush
    /// take one of each at most.
    std::vector<Statement> statements_;
    std::vector<Cell> cells_;  // row after row
    std::string text_;         // the texts of the cells, one after the other
};

/// A text value, Null when empty.
inline std::optional<std::string_view> TextOrNull(std::string_view text) {
    if (text.empty()) return std::nullopt;
    return text;
}

}  // namespace arc
