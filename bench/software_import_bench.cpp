// Times the import of every installed software list into a fresh database
// against `xmllint --stream --noout` over the same files, each in a child
// process so that its peak resident memory is its own.
//
//   software_import_bench [--hash FOLDER] [--keep DATABASE]
//
// FOLDER defaults to /usr/share/games/mame/hash; --keep copies the database
// made to DATABASE (to compare its rows with another build's).

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "SoftwareDatabase.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/ScriptedUi.h"
#include "core/Task.h"
#include "database/Database.h"
#include "software/SoftwareImport.h"

namespace fs = std::filesystem;
using arc::bench::Measure;
using arc::bench::Run;

namespace {

int Import(const std::string& hash, const fs::path& folder) {
    arc::SetProgramFolder(folder.string());
    const std::string database = (folder / "software.mdb").string();
    const auto imported = arc::bench::ImportIntoNewDatabase(database, hash);
    if (!imported) return 1;
    const arc::SoftwareImportOutcome& outcome = *imported;
    std::cout << "  " << outcome.lists << " lists, " << outcome.items << " items; rows:";
    for (const char* table : {"Software", "SoftwareInfo", "SoftwarePart", "SoftwareRom"})
        std::cout << ' ' << table << ' '
                  << arc::QueryValue(std::string("SELECT count(*) FROM ") + table);
    std::cout << '\n';
    arc::CloseDatabase();
    return outcome.ok() ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
    std::string hash = "/usr/share/games/mame/hash/";
    std::string keep;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--hash") hash = argv[i + 1];
        if (std::string(argv[i]) == "--keep") keep = argv[i + 1];
    }
    std::vector<std::string> files;
    std::uintmax_t bytes = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(hash, ec))
        if (entry.path().extension() == ".xml") {
            files.push_back(entry.path().string());
            bytes += entry.file_size();
        }
    if (files.empty()) {
        std::cerr << "no hash files in " << hash << '\n';
        return 1;
    }
    std::sort(files.begin(), files.end());
    std::cout << files.size() << " hash files in " << hash << " (" << bytes / (1 << 20) << " MB)\n";
    const fs::path folder =
        fs::temp_directory_path() / ("arcanote-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);

    std::vector<Run> runs;
    runs.push_back(Measure("xmllint --stream --noout", [&] {
        std::vector<char*> args = {const_cast<char*>("xmllint"), const_cast<char*>("--stream"),
                                   const_cast<char*>("--noout")};
        for (std::string& file : files)
            args.push_back(file.data());
        args.push_back(nullptr);
        execvp("xmllint", args.data());
        return 127;
    }));
    runs.push_back(Measure("software import", [&] { return Import(hash, folder); }));

    std::printf("\n%-26s %9s %9s %10s %7s\n", "run", "wall s", "cpu s", "peak MB", "exit");
    for (const Run& run : runs)
        std::printf("%-26s %9.2f %9.2f %10.1f %7d\n", run.name.c_str(), run.wall, run.cpu,
                    run.peakKb / 1024.0, run.status);
    std::printf(
        "\nsoftware import / xmllint: %.2fx wall, %.2fx cpu (target at most 1.0x); peak %.1f MB "
        "(target under 150 MB)\n",
        runs[1].wall / runs[0].wall, runs[1].cpu / runs[0].cpu, runs[1].peakKb / 1024.0);
    if (!keep.empty())
        fs::copy_file(folder / "software.mdb", keep, fs::copy_options::overwrite_existing, ec);
    fs::remove_all(folder, ec);
    return runs[0].status == 0 && runs[1].status == 0 ? 0 : 1;
}
