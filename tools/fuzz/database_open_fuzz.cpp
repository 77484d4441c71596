// Fuzz target for a hostile database file: the input is opened as the shared
// database and read-only beside it, then read as the commands read it.

#include <cstdint>
#include <filesystem>
#include <string>

#include "FuzzSupport.h"
#include "core/ErrorGuard.h"
#include "database/Database.h"
#include "sheets/StatisticsPage.h"

using namespace arc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ResetForInput();
    std::error_code ec;
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        std::filesystem::remove(fuzz::WriteInput("hostile.mdb", "") + suffix, ec);
    const std::string path = fuzz::WriteInput("hostile.mdb", data, size);
    try {
        const ReadOnlyDatabase reader(path);
        (void)reader.HasTable("Data");
    } catch (const AppError&) {
    }
    if (!OpenDatabase(path)) return 0;
    try {
        if (TableExists("Versions")) (void)QueryValue("SELECT VersionMame FROM Versions");
        if (TableExists("Data")) {
            (void)QueryValue("SELECT count(*) FROM Data WHERE GameName LIKE 'P*'");
            (void)StatisticsBlock("");
        }
    } catch (const AppError&) {
    }
    CloseDatabase();
    return 0;
}
