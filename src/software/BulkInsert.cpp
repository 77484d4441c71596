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
    Bind(many_, 0, waiting_.size());
    many_.Run();
    waiting_.clear();
}

void BulkInsert::Flush() {
    for (std::size_t first = 0; first < waiting_.size(); first += columns_) {
        Bind(one_, first, columns_);
        one_.Run();
    }
    waiting_.clear();
}

void BulkInsert::Bind(Statement& statement, std::size_t first, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const FieldValue& value = waiting_[first + i];
        const int index = static_cast<int>(i) + 1;
        if (const auto* text = std::get_if<std::string>(&value))
            statement.BindView(index, *text);
        else if (const auto* number = std::get_if<std::int64_t>(&value))
            statement.Bind(index, *number);
        else
            statement.BindNull(index);
    }
}

}  // namespace arc
