// Times the whole database build against the listxml import alone, and each
// support-file importer per line, on files of real size.
//
//   build_bench [LISTXML] [--keep DIR] [--build-only | --ini-only] [--with-wizsort]
//               [--runs N] [--emulator EXE]
//
// Without LISTXML (or --listxml FILE) the installed emulator's -listxml is
// written into the work folder. The support files are synthetic, written from
// its set names: History.dat 30,000 entries, Mameinfo.dat 20,000, Command.dat
// 10,000, every INI file one line per set. --keep leaves the work folder (its
// Arcanote.mdb is the built database until the importers run again; skip that
// with --build-only). Wizsort.ini is timed alone unless --with-wizsort puts it
// in the build, where it skips six files. The import alone and the build run
// in turns N times (default 3); the best time of each counts.
// Targets: build <= 1.25 x import, INI <= 2 us/line.
//
// --emulator EXE times instead, in turns, `EXE -listxml > /dev/null` and the
// build from that emulator as `arcanote-cli build --fresh-list --mame EXE`
// runs it (its list imported while it prints, the same support files), each
// in a child process: wall and processor time (the emulator's included), the
// build process's own peak resident memory (VmHWM) and the load average
// before each run. Target: the build at most 1.1 x the emulator alone, wall,
// under 150 MB.

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "EmulatorList.h"
#include "SyntheticSupportFiles.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "database/Schema.h"
#include "importers/Importers.h"
#include "pipeline/BuildPipeline.h"
#include "pipeline/SupportFiles.h"
#include "pipeline/UpdateTask.h"
#include "xmlimport/ListXmlImport.h"

namespace fs = std::filesystem;

namespace {

/// Wall and processor time of a piece of work (the machine may be shared).
struct Timer {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    double cpu = CpuNow();
    static double CpuNow() {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
               usage.ru_stime.tv_usec / 1e6;
    }
    double Wall() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
    }
    double Cpu() const { return CpuNow() - cpu; }
};

long LineCount(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    long lines = 0;
    std::string line;
    while (std::getline(in, line))
        ++lines;
    return lines;
}

struct IniCase {
    const char* name;
    std::string file;
    arc::SupportFile source;
};

/// Every importer again on the built database, in one transaction as the
/// update window runs it, timed per line: each value written at once (as the
/// update did before), then as the update runs it now (the lists' values
/// collected, each set written once).
void RunEachImporter(const std::string& home) {
    using F = arc::SupportFile;
    arc::OpenDatabase(home + "Arcanote.mdb");
    if (const char* cache = std::getenv("BENCH_CACHE_KB"))
        arc::Execute(std::string("PRAGMA cache_size=-") + cache);
    const IniCase cases[] = {
        {"Catver.ini", home + "ini/catver.ini", F::Catver},
        {"nPlayers.ini", home + "ini/nplayers.ini", F::NPlayers},
        {"Genre.ini", home + "ini/genre.ini", F::Genre},
        {"Catlist.ini", home + "ini/Catlist.ini", F::Catlist},
        {"Version.ini", home + "ini/version.ini", F::Version},
        {"Multiplayer.ini", home + "ini/multiplayer.ini", F::Multiplayer},
        {"Alltime.ini", home + "ini/alltime.ini", F::Alltime},
        {"Aspect.ini", home + "ini/aspect.ini", F::Aspect},
        {"Resolution.ini", home + "ini/resolution.ini", F::Resolution},
        {"Controls.ini", home + "ini/controls.ini", F::Controls},
        {"Mature.ini", home + "ini/mature.ini", F::Mature},
        {"Wizsort.ini", home + "wizsort.ini", F::Wizsort},
        {"Cheat.dat", home + "dat/cheat.dat", F::Cheat},
        {"Hiscore.dat", home + "dat/hiscore.dat", F::Hiscore},
        {"Command.dat", home + "dat/command.dat", F::Command},
        {"Mameinfo.dat", home + "dat/mameinfo.dat", F::Mameinfo},
        {"History.dat", home + "dat/history.dat", F::History},
    };
    std::printf("%-16s %7s  %21s  %21s\n", "", "lines", "at once: cpu us/line",
                "update: cpu us/line");
    for (const IniCase& c : cases) {
        const long lines = LineCount(c.file);
        double cpu[2] = {};
        for (int now = 0; now < 2; ++now) {
            arc::TaskProgress progress;
            Timer timer;
            {
                arc::Transaction transaction;
                if (now)
                    arc::RunUpdateImporter(c.source, c.file, progress);
                else
                    arc::ImporterOf(c.source)(c.file, progress, nullptr);
                transaction.Commit();
            }
            cpu[now] = timer.Cpu() * 1e6 / static_cast<double>(lines);
        }
        std::printf("%-16s %7ld  %21.2f  %21.2f\n", c.name, lines, cpu[0], cpu[1]);
    }
    arc::CloseDatabase();
}

std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one;
    in >> one;
    return one;
}

/// This process's peak resident memory in kB (VmHWM).
long PeakResidentKb() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.starts_with("VmHWM:")) return std::atol(line.c_str() + 6);
    return 0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

/// The emulator's -listxml alone and the build from it, in turns.
int RunAgainstEmulator(const std::string& home, const std::string& emulator, int runs) {
    using arc::bench::Measure;
    arc::TheSettings().MameExe = emulator;
    arc::TheSettings().DatabasePath = home + "Arcanote.mdb";
    std::vector<double> alone, built;
    std::printf("%-4s %-6s %-34s %8s %8s %9s\n", "run", "load", "", "wall s", "cpu s", "peak MB");
    for (int run = 1; run <= runs; ++run) {
        const std::string load = LoadAverage();
        const arc::bench::Run listing = Measure("emulator", [&] {
            const std::string command = "'" + emulator + "' -listxml > /dev/null 2>&1";
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            return 127;
        });
        std::printf("%-4d %-6s %-34s %8.2f %8.2f %9s\n", run, load.c_str(),
                    (emulator + " -listxml > /dev/null").c_str(), listing.wall, listing.cpu, "");
        const std::string buildLoad = LoadAverage();
        fs::remove(home + "Arcanote.mdb");
        fs::remove(home + "Arcanote.mdb.bak");
        fs::remove(home + "listxml.txt");
        fs::remove(home + "peak.txt");
        const arc::bench::Run build = Measure("build", [&] {
            arc::TaskProgress progress;
            arc::TaskContext context(progress, arc::Ui());
            arc::ImportChoices choices;
            choices.refreshList = true;
            const arc::BuildOutcome outcome = arc::RunBuild(
                arc::BuildRequestFrom(arc::TheSettings(), home + "Arcanote.mdb", choices), context);
            std::ofstream(home + "peak.txt") << PeakResidentKb() << '\n';
            return outcome.result == arc::BuildResult::Built ? 0 : 1;
        });
        long peakKb = 0;
        std::ifstream(home + "peak.txt") >> peakKb;
        std::printf("%-4d %-6s %-34s %8.2f %8.2f %9.1f%s\n", run, buildLoad.c_str(),
                    "streamed build (emulator included)", build.wall, build.cpu, peakKb / 1024.0,
                    build.status == 0 ? "" : "  FAILED");
        if (build.status != 0 || listing.status != 0) return 1;
        alone.push_back(listing.wall);
        built.push_back(build.wall);
    }
    std::printf(
        "build / emulator alone, wall: best %.2f s / %.2f s = %.2fx, median %.2f s / %.2f s = "
        "%.2fx (target at most 1.1x)\n",
        *std::min_element(built.begin(), built.end()),
        *std::min_element(alone.begin(), alone.end()),
        *std::min_element(built.begin(), built.end()) /
            *std::min_element(alone.begin(), alone.end()),
        Median(built), Median(alone), Median(built) / Median(alone));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string listxml;
    std::string keep;
    bool iniOnly = false;
    bool buildOnly = false;
    bool withWizsort = false;  // the build reads Wizsort.ini and skips six files
    int runs = 3;
    std::string emulator;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--listxml" && i + 1 < argc)
            listxml = argv[++i];
        else if (option == "--keep" && i + 1 < argc)
            keep = argv[++i];
        else if (option == "--ini-only")
            iniOnly = true;  // reuse the database of a kept run
        else if (option == "--build-only")
            buildOnly = true;
        else if (option == "--with-wizsort")
            withWizsort = true;
        else if (option == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (option == "--emulator" && i + 1 < argc)
            emulator = argv[++i];
        else if (!option.starts_with("--"))
            listxml = option;
        else {
            std::cerr << "usage: build_bench [LISTXML] [--keep DIR] [--build-only | --ini-only] "
                         "[--with-wizsort] [--runs N] [--emulator EXE]\n";
            return 2;
        }
    }
    const fs::path work = keep.empty() ? fs::temp_directory_path() /
                                             ("arcanote-build-bench-" + std::to_string(getpid()))
                                       : fs::path(keep);
    fs::create_directories(work / "dat");
    fs::create_directories(work / "ini");
    if (listxml.empty() && !iniOnly) {
        listxml = (work / "emulator-listxml.xml").string();
        std::cout << "running the emulator's -listxml into " << listxml << '\n';
        if (!arc::bench::WriteEmulatorList(listxml)) {
            std::cerr << "build_bench: no LISTXML given and the emulator's -listxml failed\n";
            return 2;
        }
    }
    if (!iniOnly && !fs::exists(listxml)) {
        std::cerr << "build_bench: no listxml at " << listxml << '\n';
        return 2;
    }
    const std::string home = work.string() + "/";
    arc::bench::UseBenchHome(home);

    if (!iniOnly) {
        const std::vector<std::string> names = arc::bench::SetNamesOf(listxml);
        std::cout << "sets in listxml: " << names.size() << '\n';
        using namespace arc::bench;
        WriteHistory(home + "dat/history.dat", names, 30000);
        WriteMameinfo(home + "dat/mameinfo.dat", names, 20000);
        WriteCommand(home + "dat/command.dat", names, 10000);
        WriteColonList(home + "dat/cheat.dat", names, 3);
        WriteColonList(home + "dat/hiscore.dat", names, 2);
        WriteCatver(home + "ini/catver.ini", names);
        WriteKeyList(home + "ini/nplayers.ini", names, "NPlayers");
        for (const char* file :
             {"genre.ini", "Catlist.ini", "version.ini", "multiplayer.ini", "alltime.ini",
              "aspect.ini", "resolution.ini", "controls.ini", "mature.ini"})
            WriteSectionList(home + "ini/" + file, names);
        WriteKeyList(home + "wizsort.ini", names, "Year");
        if (withWizsort) fs::copy_file(home + "wizsort.ini", home + "ini/wizsort.ini");

        fs::remove(home + "listxml.txt");
        std::string error;
        if (!arc::CreateTemplateDatabase(home + "Arcanote.mdx", &error)) {
            std::cerr << error << '\n';
            return 1;
        }
        if (!emulator.empty()) {
            const int code = RunAgainstEmulator(home, emulator, runs);
            if (keep.empty()) fs::remove_all(work);
            return code;
        }
        fs::create_symlink(fs::absolute(listxml), home + "listxml.txt");

        // The listxml import alone into a fresh copy of the template, the
        // build's importers on that copy, then the whole build, in turns; the
        // best of the runs counts (the machine may be shared).
        { std::ofstream(home + "vermame.txt") << "MAME v0.251 (bench)\n"; }
        arc::TheSettings().DatabasePath = home + "Arcanote.mdb";
        double xmlWall = 1e9, xmlCpu = 1e9, buildWall = 1e9, buildCpu = 1e9;
        double supportWall = 1e9, supportCpu = 1e9;
        for (int run = 0; run < runs; ++run) {
            fs::remove(home + "xml-only.mdb");
            fs::copy_file(home + "Arcanote.mdx", home + "xml-only.mdb");
            Timer xml;
            arc::OpenDatabase(home + "xml-only.mdb", arc::DatabaseUse::Build);
            arc::TaskProgress progress;
            arc::ImportListXml(home + "listxml.txt", progress);
            arc::CloseDatabase();
            xmlWall = std::min(xmlWall, xml.Wall());
            xmlCpu = std::min(xmlCpu, xml.Cpu());
            // The build's importers alone, on that database.
            Timer support;
            arc::OpenDatabase(home + "xml-only.mdb", arc::DatabaseUse::Build);
            arc::RunBuildImporters({}, progress);
            arc::CloseDatabase();
            supportWall = std::min(supportWall, support.Wall());
            supportCpu = std::min(supportCpu, support.Cpu());

            fs::remove(home + "Arcanote.mdb");
            fs::remove(home + "Arcanote.mdb.bak");
            Timer build;
            arc::TaskProgress buildProgress;
            arc::TaskContext context(buildProgress, arc::Ui());
            const arc::BuildResult outcome =
                arc::RunBuild(arc::BuildRequestFrom(arc::TheSettings(), home + "Arcanote.mdb", {}),
                              context)
                    .result;
            buildWall = std::min(buildWall, build.Wall());
            buildCpu = std::min(buildCpu, build.Cpu());
            if (outcome != arc::BuildResult::Built) {
                std::cerr << "build_bench: the build did not complete\n";
                return 1;
            }
        }
        std::printf("listxml import alone : %7.2f s wall %7.2f s cpu\n", xmlWall, xmlCpu);
        std::printf(
            "whole build          : %7.2f s wall %7.2f s cpu  (%.2f x the import in cpu, "
            "%.2f x in wall; target <= 1.25)\n",
            buildWall, buildCpu, buildCpu / xmlCpu, buildWall / xmlWall);
        long lines = 0;
        for (const auto& entry : fs::recursive_directory_iterator(work))
            if (entry.is_regular_file() && (entry.path().parent_path() == work / "dat" ||
                                            entry.path().parent_path() == work / "ini"))
                lines += LineCount(entry.path().string());
        std::printf(
            "its importers alone  : %7.2f s wall %7.2f s cpu  (%ld lines in dat/ and ini/, "
            "with those the build skips: %.2f us/line in cpu)\n",
            supportWall, supportCpu, lines, supportCpu * 1e6 / static_cast<double>(lines));
    }

    if (!buildOnly) {
        std::cout << "each importer alone on the built database (update mode):\n";
        RunEachImporter(home);
    }
    if (keep.empty()) fs::remove_all(work);
    return 0;
}
