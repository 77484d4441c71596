#pragma once
// Rows of one table inserted many at a time: a statement of several rows
// costs the engine much less per row than a statement of one (one step, one
// reset, the table's cursors kept open from row to row).

#include <cstddef>
#include <string_view>
#include <vector>

#include "database/Database.h"

namespace arc {

class BulkInsert {
  public:
    static constexpr int kRowsPerStatement = 128;  // a power of two
    BulkInsert(std::string_view table, std::vector<std::string_view> columns);

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
    std::size_t columns_;
    /// Statements of 128, 64, ... 2 and 1 rows: the rows left after the
    /// full statements take one of each at most.
    std::vector<Statement> statements_;
};

}  // namespace arc
