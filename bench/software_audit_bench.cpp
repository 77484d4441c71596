// The owned scan and the quick audit of N software sets (default 10,000) on
// a warm cache. The software lists of the hash folder are imported into a
// database in a work folder, then the first N items with ROMs get an archive
// <roms>/<list>/<item>.zip whose members have their ROMs' names, sizes and
// CRC-32. The scan and the audit run three times in child processes (the
// last two warm); target: under 2 s.
//
//   software_audit_bench [--hash FOLDER] [--items N]

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "ForgedZip.h"
#include "SoftwareDatabase.h"
#include "audit/SoftwareAudit.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/ScriptedUi.h"
#include "core/Task.h"
#include "database/Database.h"
#include "software/OwnedSoftware.h"
#include "software/SoftwareImport.h"

namespace fs = std::filesystem;
using namespace arc;

namespace {

/// An archive for each of the first `count` items whose ROMs all have a CRC.
int GenerateSets(const std::string& roms, int count) {
    Statement items(
        "SELECT s.Id, s.ListName, s.Name FROM Software s WHERE EXISTS (SELECT 1 FROM SoftwareRom "
        "r WHERE r.SoftwareId = s.Id) AND NOT EXISTS (SELECT 1 FROM SoftwareRom r WHERE "
        "r.SoftwareId = s.Id AND (r.Kind <> 'rom' OR r.Crc IS NULL OR r.Size < 4 OR r.Size >= "
        "4294967295)) ORDER BY s.Id LIMIT ?");
    items.Bind(1, count);
    Statement romsOf("SELECT DISTINCT Name, Size, Crc FROM SoftwareRom WHERE SoftwareId = ?");
    int written = 0;
    while (items.Step()) {
        std::vector<bench::Member> members;
        romsOf.Bind(1, items.ColumnInt(0));
        while (romsOf.Step())
            members.push_back({romsOf.ColumnText(0),
                               static_cast<std::uint64_t>(romsOf.ColumnInt(1)),
                               static_cast<std::uint32_t>(
                                   std::strtoul(romsOf.ColumnText(2).c_str(), nullptr, 16))});
        romsOf.Reset();
        const std::string folder = roms + items.ColumnText(1) + "/";
        fs::create_directories(folder);
        bench::WriteZip(folder + items.ColumnText(2) + ".zip", members);
        ++written;
    }
    return written;
}

int ScanAndAudit(const std::string& database, const std::string& roms) {
    if (!OpenDatabase(database)) return 1;
    ScopedScriptedUi scripted;
    TaskProgress progress;
    TaskContext context(progress, scripted.ui);
    const OwnedSoftwareOutcome owned = RunOwnedSoftwareScan({roms}, context);
    SoftwareAuditRequest request;
    request.romsFolder = roms;
    const SoftwareAuditOutcome audit = RunSoftwareAudit(request, context);
    std::cout << "  " << owned.message << "; " << audit.message << '\n';
    CloseDatabase();
    return owned.ok() && !audit.failed() ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
    std::string hash = "/usr/share/games/mame/hash/";
    int count = 10000;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--hash") hash = argv[i + 1];
        if (option == "--items") count = std::atoi(argv[i + 1]);
    }
    const fs::path work =
        fs::temp_directory_path() / ("arcanote-bench-" + std::to_string(getpid()));
    fs::create_directories(work);
    SetProgramFolder(work.string());
    const std::string database = (work / "software.mdb").string();
    const std::string roms = (work / "roms").string() + "/";
    const auto imported = bench::ImportIntoNewDatabase(database, hash);
    if (!imported) return 1;
    std::cout << imported->message << '\n';
    const int sets = GenerateSets(roms, count);
    CloseDatabase();
    std::cout << sets << " software sets written under " << roms << '\n';

    std::vector<bench::Run> runs;
    for (int run = 0; run < 3; ++run)
        runs.push_back(bench::Measure("scan + quick audit " + std::to_string(run + 1),
                                      [&] { return ScanAndAudit(database, roms); }));
    std::printf("\n%-26s %9s %9s %10s %7s\n", "run", "wall s", "cpu s", "peak MB", "exit");
    for (const bench::Run& run : runs)
        std::printf("%-26s %9.2f %9.2f %10.1f %7d\n", run.name.c_str(), run.wall, run.cpu,
                    run.peakKb / 1024.0, run.status);
    std::printf("\nwarm: %.2f s wall for %d sets (target under 2 s)\n", runs.back().wall, sets);
    std::error_code ec;
    fs::remove_all(work, ec);
    return runs.back().status == 0 && runs.back().wall < 2.0 ? 0 : 1;
}
