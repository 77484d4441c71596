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

void BulkInsert::WriteWaiting() {
    for (std::size_t i = 0; i < waiting_.size(); ++i)
        many_.BindValue(static_cast<int>(i) + 1, waiting_[i]);
    many_.Run();
    waiting_.clear();
}

void BulkInsert::Flush() {
    for (std::size_t first = 0; first < waiting_.size(); first += columns_) {
        for (std::size_t i = 0; i < columns_; ++i)
            one_.BindValue(static_cast<int>(i) + 1, waiting_[first + i]);
        one_.Run();
    }
    waiting_.clear();
}

}  // namespace arc
