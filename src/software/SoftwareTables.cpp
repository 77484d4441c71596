#include "software/SoftwareTables.h"

#include "database/Database.h"

namespace arc {

void CreateSoftwareTables() {
    Execute(
        "CREATE TABLE IF NOT EXISTS SoftwareList (ListName VARCHAR(255) COLLATE NOCASE PRIMARY "
        "KEY, Description TEXT COLLATE NOCASE);"
        "CREATE TABLE IF NOT EXISTS Software (Id INTEGER PRIMARY KEY, ListName VARCHAR(255) "
        "COLLATE NOCASE, Name VARCHAR(255) COLLATE NOCASE, CloneOf VARCHAR(255) COLLATE NOCASE, "
        "Supported TEXT COLLATE NOCASE, Description TEXT COLLATE NOCASE, Year TEXT COLLATE "
        "NOCASE, Publisher TEXT COLLATE NOCASE, Owned INTEGER NOT NULL DEFAULT 0);"
        "CREATE INDEX IF NOT EXISTS IX_Software_ListName ON Software (ListName, Name);"
        // The rows of an item are kept together, in the order of its file:
        // keyed by the item, then a number that only grows.
        "CREATE TABLE IF NOT EXISTS SoftwareInfo (SoftwareId INTEGER, Seq INTEGER, Kind TEXT, "
        "Name TEXT COLLATE NOCASE, Value TEXT COLLATE NOCASE, PRIMARY KEY (SoftwareId, Seq)) "
        "WITHOUT ROWID;"
        "CREATE TABLE IF NOT EXISTS SoftwarePart (SoftwareId INTEGER, Id INTEGER, Name TEXT "
        "COLLATE NOCASE, Interface TEXT COLLATE NOCASE, Features TEXT COLLATE NOCASE, PRIMARY KEY "
        "(SoftwareId, Id)) WITHOUT ROWID;"
        "CREATE TABLE IF NOT EXISTS SoftwareRom (SoftwareId INTEGER, Seq INTEGER, PartId INTEGER, "
        "Area TEXT COLLATE NOCASE, Kind TEXT, Name TEXT COLLATE NOCASE, Size INTEGER, Crc TEXT, "
        "Sha1 TEXT, Status TEXT, PRIMARY KEY (SoftwareId, Seq)) WITHOUT ROWID");
}

bool HasSoftwareTables() {
    return TableExists("Software") && TableExists("SoftwareList");
}

}  // namespace arc
