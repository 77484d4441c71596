// Times a whole sheet run (every page, list, index and statistics) on a
// database of the emulator's list, next to a plain "cp -r" of the tree it
// wrote, once with the built-in template and once with a skin (by default the
// shipped Marquee skin, which holds every marker of the game page).
//
//   sheets_bench [--listxml FILE | --db FILE] [--work DIR] [--skin DIR] [--repeat N]
//
// Without --listxml or --db the installed emulator's -listxml is written into
// the work folder. The trees of both runs stay in the work folder (site/ and
// site-skin/) for comparison with another build's. Each figure is the best of
// N rounds (default 3): the best wall time and, apart, the best CPU time.

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>

#include "EmulatorList.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/ScriptedUi.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "database/Schema.h"
#include "sheets/SheetWindowState.h"
#include "xmlimport/ListXmlImport.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Timing {
    double wall = 0;
    double cpu = 0;
};

// User + system CPU seconds of this process (or of its finished children).
double CpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// ext4 without a journal skips, when it allocates an inode, every inode freed
// in the last 5 seconds (5 minutes while its table block is unwritten), with
// one block look-up each: right after the removal of a 40,000-file tree,
// creating files costs several times more. Both the run and the copy start
// after the earlier removals are written out and aged.
void Settle() {
    ::sync();
    std::this_thread::sleep_for(std::chrono::seconds(6));
}

bool BuildDatabase(const std::string& listxml, const std::string& database) {
    std::string error;
    if (!arc::CreateTemplateDatabase(database, &error)) {
        std::cerr << error << '\n';
        return false;
    }
    if (!arc::OpenDatabase(database)) return false;
    arc::TaskProgress progress;
    arc::ImportListXmlFast(listxml, progress);
    arc::Execute("INSERT INTO Versions (VersionMame, VersionArcanote) VALUES ('bench', '1.0.0')");
    arc::CloseDatabase();
    return true;
}

Timing TimeRun(const std::string& out, const std::string& skinName) {
    arc::TheSettings().DefaultSkin = skinName;
    arc::SheetWindowState window;
    window.Load(false);
    window.text1 = out;
    const double cpu = CpuSeconds(RUSAGE_SELF);
    const auto start = Clock::now();
    const arc::SheetsOutcome result = window.MakeWithoutQuestions();
    Timing timing{Seconds(start), CpuSeconds(RUSAGE_SELF) - cpu};
    if (!result.ok()) std::cerr << "the run did not complete\n";
    return timing;
}

Timing TimeCopy(const std::string& from, const std::string& to) {
    const double cpu = CpuSeconds(RUSAGE_CHILDREN);
    const auto start = Clock::now();
    if (std::system(("cp -r '" + from + "' '" + to + "'").c_str()) != 0) std::cerr << "cp failed\n";
    return {Seconds(start), CpuSeconds(RUSAGE_CHILDREN) - cpu};
}

Timing Best(const Timing& a, const Timing& b) {
    return {std::min(a.wall, b.wall), std::min(a.cpu, b.cpu)};
}

// The run into `out`, then "cp -r" of what it wrote, each from a settled disk;
// the best of `repeats` rounds of each (the machine may be shared).
void Compare(const std::string& label, const std::string& out, const std::string& skinName,
             int repeats) {
    const std::string copy = out + "-copy";
    Timing run{1e9, 1e9}, cp{1e9, 1e9};
    for (int round = 0; round < repeats; ++round) {
        fs::remove_all(out);
        fs::remove_all(copy);
        Settle();
        run = Best(run, TimeRun(out + "/", skinName));
        Settle();
        cp = Best(cp, TimeCopy(out, copy));
    }
    std::size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(out))
        files += entry.is_regular_file() ? 1 : 0;
    fs::remove_all(copy);
    std::printf("%s (%zu files)\n", label.c_str(), files);
    std::printf("  run:   %6.2f s wall, %6.2f s CPU\n", run.wall, run.cpu);
    std::printf("  cp -r: %6.2f s wall, %6.2f s CPU\n", cp.wall, cp.cpu);
    std::printf("  run / cp -r: %.2f wall, %.2f CPU\n", run.wall / cp.wall, run.cpu / cp.cpu);
}

}  // namespace

int main(int argc, char** argv) {
    std::string listxml;
    std::string database;
    std::string work = (fs::temp_directory_path() / "arcanote-sheets-bench").string();
    std::string skin = ARCANOTE_SOURCE_DIR "/data/program/html/Marquee.skin";
    int repeats = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--listxml")
            listxml = argv[i + 1];
        else if (arg == "--db")
            database = argv[i + 1];
        else if (arg == "--work")
            work = argv[i + 1];
        else if (arg == "--skin")
            skin = argv[i + 1];
        else if (arg == "--repeat")
            repeats = std::max(1, std::atoi(argv[i + 1]));
    }
    fs::create_directories(work + "/html");
    arc::SetProgramFolder(work);
    setenv("TMPDIR", work.c_str(), 1);  // the skins unpack beside the work
    arc::TheSettings() = arc::DefaultSettings();
    for (int k = 0; k < 6; ++k)
        arc::TheSettings().ArtFolders[k] = work + "/no-art/";
    arc::BuildTextTable();
    arc::ScopedScriptedUi ui;

    if (database.empty()) {
        database = work + "/bench.mdb";
        if (!fs::exists(database)) {
            listxml = arc::bench::EmulatorListXml(listxml, work);
            if (listxml.empty()) return 1;
            const auto start = Clock::now();
            if (!BuildDatabase(listxml, database)) return 1;
            std::cout << "database built from " << listxml << " in " << Seconds(start) << " s\n";
        }
    }
    arc::TheSettings().DatabasePath = database;
    arc::OpenDatabase(database);
    std::cout << "games: " << arc::QueryValue("SELECT COUNT(*) FROM Data") << "\n";
    arc::CloseDatabase();

    Compare("built-in template, no art", work + "/site", "", repeats);
    if (!fs::exists(skin)) {
        std::cout << "no skin at " << skin << "\n";
        return 0;
    }
    fs::remove_all(work + "/html/Bench.skin");
    fs::copy(skin, work + "/html/Bench.skin", fs::copy_options::recursive);
    Compare("skin " + fs::path(skin).filename().string() + ", no art", work + "/site-skin", "Bench",
            repeats);
    return 0;
}
