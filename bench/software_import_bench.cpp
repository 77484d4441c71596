// Times the import of every installed software list into a fresh database
// against `xmllint --stream --noout` over the same files, each in a child
// process so that its peak resident memory is its own.
//
//   software_import_bench [--hash FOLDER] [--runs N] [--keep DATABASE] [--update]
//
// FOLDER defaults to /usr/share/games/mame/hash; the two are run N times in
// turn (default 1), each round with the load average at its start; --keep
// copies the database made to DATABASE (to compare its rows with another
// build's). The database is opened as a build opens its new file, or with
// --update as an update opens the user's.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

int Import(const std::string& hash, const fs::path& folder, bool tell, bool update) {
    arc::SetProgramFolder(folder.string());
    const std::string database = (folder / "software.mdb").string();
    // The software step of a build (its new file opened as a build opens
    // it), or of an update (the user's database, its write-ahead log).
    const auto imported =
        update ? arc::bench::ImportIntoNewDatabase(database, hash, arc::DatabaseUse::Update, false)
               : arc::bench::ImportIntoNewDatabase(database, hash, arc::DatabaseUse::Build);
    if (!imported) return 1;
    const arc::SoftwareImportOutcome& outcome = *imported;
    if (tell) {
        std::cout << "  " << outcome.lists << " lists, " << outcome.items << " items; rows:";
        for (const char* table : {"Software", "SoftwareInfo", "SoftwarePart", "SoftwareRom"})
            std::cout << ' ' << table << ' '
                      << arc::QueryValue(std::string("SELECT count(*) FROM ") + table);
        std::cout << '\n';
    }
    arc::CloseDatabase();
    return outcome.ok() ? 0 : 3;
}

std::string LoadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five;
    file >> one >> five;
    return one + " " + five;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string hash = "/usr/share/games/mame/hash/";
    std::string keep;
    int rounds = 1;
    bool update = false;
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--update") update = true;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--hash") hash = argv[i + 1];
        if (std::string(argv[i]) == "--keep") keep = argv[i + 1];
        if (std::string(argv[i]) == "--runs") rounds = std::max(1, std::atoi(argv[i + 1]));
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

    // The two runs side by side, `rounds` times: on a shared machine the
    // ratio of one round is what compares.
    std::vector<double> wallRatios, cpuRatios;
    long peakKb = 0;
    bool ok = true;
    std::printf("\n%-6s %-14s %-26s %9s %9s %10s %7s\n", "round", "load average", "run", "wall s",
                "cpu s", "peak MB", "exit");
    for (int round = 1; round <= rounds; ++round) {
        const std::string load = LoadAverage();
        const Run xmllint = Measure("xmllint --stream --noout", [&] {
            std::vector<char*> args = {const_cast<char*>("xmllint"), const_cast<char*>("--stream"),
                                       const_cast<char*>("--noout")};
            for (std::string& file : files)
                args.push_back(file.data());
            args.push_back(nullptr);
            execvp("xmllint", args.data());
            return 127;
        });
        const Run import = Measure(update ? "software import (update)" : "software import",
                                   [&] { return Import(hash, folder, round == 1, update); });
        for (const Run* run : {&xmllint, &import})
            std::printf("%-6d %-14s %-26s %9.2f %9.2f %10.1f %7d\n", round, load.c_str(),
                        run->name.c_str(), run->wall, run->cpu, run->peakKb / 1024.0, run->status);
        wallRatios.push_back(import.wall / xmllint.wall);
        cpuRatios.push_back(import.cpu / xmllint.cpu);
        peakKb = std::max(peakKb, import.peakKb);
        ok = ok && xmllint.status == 0 && import.status == 0;
    }
    std::printf(
        "\nsoftware import / xmllint, median of %d: %.2fx wall (best %.2fx), %.2fx cpu (target "
        "at most 1.0x); peak %.1f MB (target under 150 MB)\n",
        rounds, Median(wallRatios), *std::min_element(wallRatios.begin(), wallRatios.end()),
        Median(cpuRatios), peakKb / 1024.0);
    if (!keep.empty())
        fs::copy_file(folder / "software.mdb", keep, fs::copy_options::overwrite_existing, ec);
    fs::remove_all(folder, ec);
    return ok ? 0 : 1;
}
