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
    : columns_(columns.size()),
      many_(InsertSql(table, columns, kRowsPerStatement)),
      one_(InsertSql(table, columns, 1)) {}

void BulkInsert::WriteWaiting() {
    Flush();
}

void BulkInsert::Flush() {
    InsertRows(waiting_.size() / columns_, [&](Statement& insert, int first, std::size_t row) {
        for (std::size_t i = 0; i < columns_; ++i)
            insert.BindValue(first + static_cast<int>(i), waiting_[row * columns_ + i]);
    });
    waiting_.clear();
}

}  // namespace arc
