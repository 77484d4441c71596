#include "database/BulkInsert.h"

namespace arc {
namespace {

std::string InsertSql(std::string_view table, const std::vector<std::string_view>& columns,
                      int rows) {
    std::string sql = "INSERT INTO " + std::string(table) + " (";
    std::string row = "(";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        sql += (i ? ", " : "") + std::string(columns[i]);
        row += i ? ", ?" : "?";
    }
    sql += ") VALUES ";
    for (int i = 0; i < rows; ++i)
        sql += (i ? ", " : "") + row + ")";
    return sql;
}

}  // namespace

BulkInsert::BulkInsert(std::string_view table, std::vector<std::string_view> columns)
    : columns_(columns.size()) {
    for (int rows = kRowsPerStatement; rows >= 1; rows /= 2)
        statements_.emplace_back(InsertSql(table, columns, rows));
}

void BulkInsert::Put(std::string_view text) {
    text_.append(text);
    cells_.push_back({Cell::Kind::Text, 0, static_cast<std::uint32_t>(text_.size())});
}

std::size_t BulkInsert::Write(std::size_t which, std::size_t first, std::uint32_t& textStart) {
    Statement& statement = statements_[which];
    const std::size_t count = columns_ * (kRowsPerStatement >> which);
    for (std::size_t i = 0; i < count; ++i) {
        const Cell& cell = cells_[first + i];
        const int parameter = static_cast<int>(i) + 1;
        if (cell.kind == Cell::Kind::Integer) {
            statement.Bind(parameter, cell.number);
        } else if (cell.kind == Cell::Kind::Text) {
            // Bound without a copy: the text stays in `text_` until the run.
            statement.BindView(parameter,
                               std::string_view(text_.data() + textStart, cell.end - textStart));
            textStart = cell.end;
        } else {
            statement.BindNull(parameter);
        }
    }
    statement.Run();
    return first + count;
}

void BulkInsert::WriteWaiting() {
    std::uint32_t textStart = 0;
    Write(0, 0, textStart);
    Discard();
}

void BulkInsert::Flush() {
    std::uint32_t textStart = 0;
    std::size_t first = 0;
    for (std::size_t which = 0; which < statements_.size(); ++which)
        if (cells_.size() - first >= columns_ * (kRowsPerStatement >> which))
            first = Write(which, first, textStart);
    Discard();
}

void BulkInsert::Discard() {
    cells_.clear();
    text_.clear();
}

}  // namespace arc
