#include "database/Layout.h"

#include <sqlite3.h>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "database/Schema.h"

namespace arc {
namespace {

int ReadInt(sqlite3* db, const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    int value = 0;
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (rc == SQLITE_OK && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        value = sqlite3_column_int(stmt, 0);
        rc = SQLITE_OK;
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_OK && rc != SQLITE_DONE) throw AppError(err::kDatabase, sqlite3_errmsg(db));
    return value;
}

/// The values of `column` that hold a reference get their decoded text.
void DecodeColumn(std::string_view table, std::string_view column) {
    const std::string name = "\"" + std::string(column) + "\"";
    const std::string from = "\"" + std::string(table) + "\"";
    Statement select("SELECT rowid, " + name + " FROM " + from + " WHERE instr(" + name +
                     ", '&') > 0");
    Statement update("UPDATE " + from + " SET " + name + " = ? WHERE rowid = ?");
    std::string decoded;
    while (select.Step()) {
        if (!DecodeXmlText(select.ColumnView(1), decoded)) continue;
        update.Bind(1, decoded).Bind(2, select.ColumnInt(0)).Run();
    }
}

/// The list's text columns: every short text of the designed tables but the
/// ones the support files fill.
bool FromTheList(std::string_view table, const ColumnDef& column) {
    if (column.type != ColumnType::Text || column.name == "InternalName") return false;
    if (table == "Data")
        return column.name != "Category" && column.name != "Genre" && column.name != "VerAdded";
    return table == "BiosSet" || table == "Rom" || table == "Disk" || table == "Chip" ||
           table == "DipSwitch";
}

}  // namespace

LayoutState ReadLayout(sqlite3* db) {
    const int version = ReadInt(db, "PRAGMA user_version");
    if (version > kLayoutVersion) return LayoutState::Newer;
    for (const TableDef& table : SchemaTables()) {
        const std::string sql =
            "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
            "name = '" +
            std::string(table.name) + "' COLLATE NOCASE";
        if (ReadInt(db, sql.c_str()) == 0) return LayoutState::NotArcanote;
    }
    return version == kLayoutVersion ? LayoutState::Current : LayoutState::Older;
}

std::string LayoutProblem(std::string_view path, LayoutState state) {
    switch (state) {
        case LayoutState::Current:
            return {};
        case LayoutState::Older:
            return std::string(path) + Text(kTextOlderDatabase);
        case LayoutState::Newer:
            return std::string(path) + Text(kTextNewerDatabase);
        case LayoutState::NotArcanote:
            break;
    }
    return std::string(path) + Text(kTextNotArcanoteDatabase);
}

std::string DatabaseFileProblem(const std::string& path) {
    if (path.empty() || !FileExists(path)) return path + "\r\n" + Text(kTextNotFoundCannotContinue);
    try {
        const ReadOnlyDatabase database(path);
    } catch (const AppError& e) {
        return e.what();
    }
    return {};
}

void StampLayout() {
    Execute("PRAGMA user_version = " + std::to_string(kLayoutVersion));
}

void MigrateLayout() {
    WriteLog("Database layout " + std::to_string(ReadInt(DatabaseHandle(), "PRAGMA user_version")) +
             " brought to " + std::to_string(kLayoutVersion) + ": " + OpenDatabasePath());
    Transaction transaction;
    for (const TableDef& table : SchemaTables())
        for (const ColumnDef& column : table.columns)
            if (FromTheList(table.name, column)) DecodeColumn(table.name, column.name);
    // Every machine of the list has a driver status but the devices; a file
    // that never held the status keeps its rows.
    if (QueryValue("SELECT count(*) FROM Data WHERE ifnull(DriverStatus, '') <> ''") != "0")
        Execute("DELETE FROM Data WHERE ifnull(DriverStatus, '') = ''");
    Execute(kCreateDeviceRefTable);
    Execute("CREATE INDEX IF NOT EXISTS IX_DeviceRef_Name ON DeviceRef (Name, Device)");
    StampLayout();
    transaction.Commit();
}

}  // namespace arc
