// Times a whole sheet run (every page, list, index and statistics) on a
// database of a real -listxml, next to a plain "cp -r" of the tree it wrote,
// then the same run with a skin holding every marker of the game page.
//
//   sheets_bench [--listxml FILE | --db FILE] [--work DIR] [--skin DIR]

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "core/AppState.h"
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

bool BuildDatabase(const std::string& listxml, const std::string& database) {
    std::string error;
    if (!arc::CreateTemplateDatabase(database, &error)) {
        std::cerr << error << '\n';
        return false;
    }
    if (!arc::OpenDatabase(database)) return false;
    arc::ImportListXmlFast(listxml);
    arc::Execute("INSERT INTO Versions (VersionMame, VersionArcanote) VALUES ('bench', '1.0.0')");
    arc::CloseDatabase();
    return true;
}

double TimeRun(const std::string& out, const std::string& skinName) {
    fs::remove_all(out);
    arc::TheSettings().DefaultSkin = skinName;
    arc::SheetWindowState window;
    window.Load(false);
    window.text1 = out;
    const double cpu = CpuSeconds(RUSAGE_SELF);
    const auto start = Clock::now();
    const arc::SheetRunResult result = window.MakeWithoutQuestions();
    const double seconds = Seconds(start);
    if (!result.completed) std::cerr << "the run did not complete\n";
    std::cout << "  (" << out << ": " << CpuSeconds(RUSAGE_SELF) - cpu << " s of CPU)\n";
    return seconds;
}

double TimeCopy(const std::string& from, const std::string& to) {
    fs::remove_all(to);
    const double cpu = CpuSeconds(RUSAGE_CHILDREN);
    const auto start = Clock::now();
    if (std::system(("cp -r '" + from + "' '" + to + "'").c_str()) != 0) std::cerr << "cp failed\n";
    const double seconds = Seconds(start);
    std::cout << "  (cp -r: " << CpuSeconds(RUSAGE_CHILDREN) - cpu << " s of CPU)\n";
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    std::string listxml = "/work/mamedata/listxml.txt";
    std::string database;
    std::string work = (fs::temp_directory_path() / "arcanote-sheets-bench").string();
    std::string skin = (fs::path(argv[0]).parent_path() / "../bin/html/Marquee.skin").string();
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
    }
    fs::create_directories(work + "/html");
    arc::SetProgramFolder(work);
    arc::State().TempFolder = work + "/";
    arc::TheSettings() = arc::DefaultSettings();
    for (int k = 0; k < 6; ++k)
        arc::TheSettings().ArtFolders[k] = work + "/no-art/";
    arc::BuildTextTable();
    arc::ScopedScriptedUi ui;

    if (database.empty()) {
        database = work + "/bench.mdb";
        if (!fs::exists(database)) {
            const auto start = Clock::now();
            if (!BuildDatabase(listxml, database)) return 1;
            std::cout << "database built from " << listxml << " in " << Seconds(start) << " s\n";
        }
    }
    arc::TheSettings().DatabasePath = database;
    arc::OpenDatabase(database);
    const std::string games = arc::QueryValue("SELECT COUNT(*) FROM Data");
    arc::CloseDatabase();

    const double builtIn = TimeRun(work + "/site/", "");
    const double copy = TimeCopy(work + "/site", work + "/site-copy");
    std::cout << "games: " << games << "\n"
              << "built-in template, no art: " << builtIn << " s\n"
              << "cp -r of the tree:         " << copy << " s (run / cp = " << builtIn / copy
              << ")\n";

    fs::remove_all(work + "/site-copy");
    if (fs::exists(skin)) {
        fs::remove_all(work + "/html/Bench.skin");
        fs::copy(skin, work + "/html/Bench.skin", fs::copy_options::recursive);
        const double skinned = TimeRun(work + "/site-skin/", "Bench");
        std::cout << "skin with every marker:    " << skinned << " s (" << skinned / builtIn
                  << " x the built-in run)\n";
    } else {
        std::cout << "no skin at " << skin << "\n";
    }
    return 0;
}
