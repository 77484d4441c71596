#include "database/Schema.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/Files.h"
#include "database/Database.h"
#include "database/Layout.h"

namespace arc {
namespace {

using T = ColumnType;

std::vector<TableDef> MakeTables() {
    auto text = [](std::string_view name) { return ColumnDef{name, T::Text}; };
    auto memo = [](std::string_view name) { return ColumnDef{name, T::Memo}; };
    auto yesNo = [](std::string_view name) { return ColumnDef{name, T::YesNo}; };
    auto texts = [&](std::initializer_list<std::string_view> names) {
        std::vector<ColumnDef> columns;
        for (std::string_view name : names)
            columns.push_back(text(name));
        return columns;
    };
    std::vector<TableDef> tables;
    tables.push_back({"Data",
                      {text("InternalName"),
                       text("GameName"),
                       text("driver"),
                       text("CloneOf"),
                       text("romof"),
                       text("sampleof"),
                       yesNo("Working"),
                       text("Year"),
                       text("Manufacturer"),
                       text("samplename"),
                       text("videoscreen"),
                       text("videoorientation"),
                       text("Resolution"),
                       text("Aspect"),
                       text("Refresh"),
                       text("Colors"),
                       text("soundchannels"),
                       text("nPlayers"),
                       text("Controls"),
                       text("InputButtons"),
                       text("inputcoins"),
                       text("inputservice"),
                       text("inputtilt"),
                       text("DriverStatus"),
                       text("driveremulation"),
                       text("drivercolor"),
                       yesNo("CorrectColors"),
                       text("driversound"),
                       yesNo("Sound"),
                       text("drivergraphic"),
                       text("drivercocktail"),
                       yesNo("ScreenFlip"),
                       text("driverprotection"),
                       ColumnDef{"CodeHistory", T::Long},
                       text("Category"),
                       text("Genre"),
                       text("VerAdded"),
                       yesNo("Mature"),
                       text("Bios"),
                       yesNo("Cheat"),
                       yesNo("Hiscore"),
                       memo("MameInfo"),
                       memo("MyNotes"),
                       yesNo("GotIt")}});
    tables.push_back(
        {"History",
         {ColumnDef{"CodeHistory", T::AutoNumber}, text("yearmanufacturer"), memo("Description"),
          memo("technical"), memo("trivia"), memo("updates"), memo("scoring"),
          memo("tipsandtricks"), memo("series"), memo("staff"), memo("ports"), memo("sources")}});
    tables.push_back(
        {"Command", {text("InternalName"), ColumnDef{"cmd", T::Text, 50}, memo("info")}});
    tables.push_back({"Versions", texts({"VersionMame", "VersionArcanote"})});
    tables.push_back({"BiosSet", texts({"InternalName", "BiosSetName", "biossetdescription",
                                        "biossetdefault"})});
    tables.push_back({"Rom", texts({"InternalName", "RomName", "Rombios", "Romsize", "Romcrc",
                                    "Rommd5", "Romsha1", "Rommerge", "Romregion", "Romoffset",
                                    "Romstatus", "Romdispose", "Romsoundonly"})});
    tables.push_back({"Disk", texts({"InternalName", "diskName", "diskmd5", "disksha1", "diskmerge",
                                     "diskregion", "diskIndex", "diskStatus"})});
    tables.push_back(
        {"Chip", texts({"InternalName", "chipname", "chiptype", "chipsoundonly", "chipclock"})});
    tables.push_back(
        {"DipSwitch", texts({"InternalName", "dipswitchname", "dipvaluename", "dipvaluedefault"})});
    return tables;
}

std::string ColumnSql(const ColumnDef& column) {
    std::string sql = "\"" + std::string(column.name) + "\" ";
    switch (column.type) {
        case T::Text:
            sql += "VARCHAR(" + std::to_string(column.size) + ") COLLATE NOCASE";
            break;
        case T::Memo:
            sql += "TEXT COLLATE NOCASE";
            break;
        case T::YesNo:
            sql += "BOOLEAN";
            break;
        case T::Long:
            sql += "INTEGER";
            break;
        case T::AutoNumber:
            sql += "INTEGER PRIMARY KEY AUTOINCREMENT";
            break;
    }
    return sql;
}

}  // namespace

const std::vector<TableDef>& SchemaTables() {
    static const std::vector<TableDef> tables = MakeTables();
    return tables;
}

const TableDef* FindTable(std::string_view name) {
    for (const TableDef& table : SchemaTables())
        if (EqualsNoCase(table.name, name)) return &table;
    return nullptr;
}

std::string InternalNameIndexName(std::string_view table) {
    return "IX_" + std::string(table) + "_InternalName";
}

std::string InternalNameIndexStatement(std::string_view table) {
    const TableDef* def = FindTable(table);
    if (!def) return {};
    for (const ColumnDef& column : def->columns)
        if (column.name == "InternalName")
            return "CREATE INDEX IF NOT EXISTS \"" + InternalNameIndexName(def->name) + "\" ON \"" +
                   std::string(def->name) + "\" (InternalName)";
    return {};
}

std::vector<std::string> SchemaStatements() {
    std::vector<std::string> statements;
    for (const TableDef& table : SchemaTables()) {
        const std::string name(table.name);
        std::string sql = "CREATE TABLE \"" + name + "\" (";
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            if (i > 0) sql += ", ";
            sql += ColumnSql(table.columns[i]);
        }
        statements.push_back(sql + ")");
        for (const ColumnDef& column : table.columns) {
            const std::string field(column.name);
            if (column.name == "InternalName")
                statements.push_back(InternalNameIndexStatement(table.name));
            // Text columns shorter than the default keep only their first
            // characters, as a fixed-size field would.
            if (column.type == T::Text && column.size < 255) {
                const std::string size = std::to_string(column.size);
                const std::string events[2][2] = {{"INSERT", "_Insert"},
                                                  {"UPDATE OF \"" + field + "\"", "_Update"}};
                for (const auto& [event, suffix] : events)
                    statements.push_back(
                        "CREATE TRIGGER \"TR_" + name + "_" + field + suffix + "\" AFTER " + event +
                        " ON \"" + name + "\" WHEN length(NEW.\"" + field + "\") > " + size +
                        " BEGIN UPDATE \"" + name + "\" SET \"" + field + "\" = substr(NEW.\"" +
                        field + "\", 1, " + size + ") WHERE rowid = NEW.rowid; END");
            }
        }
    }
    return statements;
}

bool CreateTemplateDatabase(const std::string& path, std::string* error) {
    const std::string temporary = path + ".new";
    std::error_code ec;
    std::filesystem::remove(temporary, ec);
    PrepareEngine();
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(temporary.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
    std::string message;
    if (rc == SQLITE_OK) {
        std::string script = "BEGIN;";
        for (const std::string& statement : SchemaStatements())
            script += statement + ";";
        script += "PRAGMA user_version = " + std::to_string(kLayoutVersion) + ";COMMIT;";
        char* text = nullptr;
        rc = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &text);
        if (text) {
            message = text;
            sqlite3_free(text);
        }
    } else {
        message = db ? sqlite3_errmsg(db) : "cannot open";
    }
    sqlite3_close(db);
    if (rc == SQLITE_OK) {
        std::filesystem::rename(temporary, path, ec);
        if (ec) message = ec.message();
    }
    if (rc != SQLITE_OK || ec) {
        std::filesystem::remove(temporary, ec);
        if (error) *error = path + ": " + message;
        return false;
    }
    return true;
}

}  // namespace arc
