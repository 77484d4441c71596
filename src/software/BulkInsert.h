#pragma once
// Rows of one table inserted many at a time: a statement of several rows
// costs the engine much less per row than a statement of one.

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
