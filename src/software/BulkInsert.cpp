#include "software/BulkInsert.h"

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
    : columns_(columns.size()),
      many_(InsertSql(table, columns, kRowsPerStatement)),
      one_(InsertSql(table, columns, 1)) {}

void BulkInsert::Put(std::string_view text) {
    text_.append(text);
    cells_.push_back({Cell::Kind::Text, 0, static_cast<std::uint32_t>(text_.size())});
}

/// Binds `count` cells from `first` to the statement's parameters, the texts
/// without a copy: they stay in `text_` until the statement has run.
void BulkInsert::Bind(Statement& statement, std::size_t first, std::size_t count) {
    std::uint32_t start = 0;
    for (std::size_t i = 0; i < first; ++i)
        if (cells_[i].kind == Cell::Kind::Text) start = cells_[i].end;
    for (std::size_t i = 0; i < count; ++i) {
        const Cell& cell = cells_[first + i];
        const int parameter = static_cast<int>(i) + 1;
        if (cell.kind == Cell::Kind::Integer) {
            statement.Bind(parameter, cell.number);
        } else if (cell.kind == Cell::Kind::Text) {
            statement.BindView(parameter, std::string_view(text_.data() + start, cell.end - start));
            start = cell.end;
        } else {
            statement.BindNull(parameter);
        }
    }
}

void BulkInsert::WriteWaiting() {
    Bind(many_, 0, cells_.size());
    many_.Run();
    Discard();
}

void BulkInsert::Flush() {
    for (std::size_t first = 0; first < cells_.size(); first += columns_) {
        Bind(one_, first, columns_);
        one_.Run();
    }
    Discard();
}

void BulkInsert::Discard() {
    cells_.clear();
    text_.clear();
}

}  // namespace arc
