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

}  // namespace arc
