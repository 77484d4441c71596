#pragma once
// The nine tables of the game database, defined once, and the template file
// made from them.

#include <string>
#include <string_view>
#include <vector>

namespace arc {

/// Column kinds of the schema.
enum class ColumnType {
    Text,        ///< short text (VARCHAR, case-insensitive)
    Memo,        ///< long text (case-insensitive)
    YesNo,       ///< Boolean stored as 1 / 0 (TRUE / FALSE in SQL)
    Long,        ///< 32-bit integer
    AutoNumber,  ///< INTEGER PRIMARY KEY AUTOINCREMENT
};

struct ColumnDef {
    std::string_view name;
    ColumnType type;
    int size = 255;  ///< maximum length of a Text column; longer values are cut
};

struct TableDef {
    std::string_view name;
    std::vector<ColumnDef> columns;
};

/// The file names the program uses for the database.
inline constexpr std::string_view kTemplateFileName = "Arcanote.mdx";
inline constexpr std::string_view kDefaultDatabaseFileName = "Arcanote.mdb";

/// Data, History, Command, Versions, BiosSet, Rom, Disk, Chip, DipSwitch, with
/// their columns in the designed order.
const std::vector<TableDef>& SchemaTables();

/// The table definition of `name` (case-insensitive), or nullptr.
const TableDef* FindTable(std::string_view name);

/// The statement that creates the InternalName index of `table` ("" when the
/// table has no such index).
std::string InternalNameIndexStatement(std::string_view table);
/// The name of that index ("IX_<table>_InternalName").
std::string InternalNameIndexName(std::string_view table);

/// Every statement that creates the schema: tables, indexes, length triggers.
std::vector<std::string> SchemaStatements();

/// Writes a new, empty database with the whole schema at `path` (an existing
/// file is replaced). False with a message in `error` on failure.
bool CreateTemplateDatabase(const std::string& path, std::string* error);

}  // namespace arc
