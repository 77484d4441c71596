// How soon a cancelled task stops: the real-list build (listxml import,
// support files, index) runs on a worker thread, as on the desktop, and is
// cancelled after a growing delay; the time from the cancel to the end of the
// task is printed for each delay, with the step the task was at.
//
//   cancel_bench LISTXML [--step MS] [--from MS] [--software HASHDIR]
//                [--sheets | --list-roms [--all-owned] | --audit [--full]]
//                [--roms DIR] [--sets N]
//                [--to MS]
//
// With --sheets, a sheets run over the built database is cancelled instead;
// with --list-roms or --audit, List my ROMs or the quick audit of a forged
// collection (the first N games of the database, default every one, and its
// devices; kept in DIR for the next run when --roms is given); --full audits
// the members' contents; --all-owned marks every game owned before each List
// my ROMs (with a small --sets, most marks are cleared). --to ends the sweep
// at that delay.
//
// The target is at most 200 ms at any point.

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <thread>

#include "BenchClock.h"
#include "ForgedCollection.h"
#include "SyntheticSupportFiles.h"
#include "audit/Audit.h"
#include "collection/ListMyRoms.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "database/Schema.h"
#include "pipeline/BuildPipeline.h"
#include "sheets/SheetWindowState.h"
#include "sheets/SheetsTask.h"

namespace fs = std::filesystem;
using arc::bench::Clock;
using arc::bench::Ms;

int main(int argc, char** argv) {
    std::string listxml;
    int stepMs = 250;
    int fromMs = 0;
    std::string hash;
    enum class Mode { Build, Sheets, ListRoms, Audit } mode = Mode::Build;
    std::string roms;
    int sets = 1 << 20;
    bool full = false;
    bool allOwned = false;
    int toMs = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--step" && i + 1 < argc)
            stepMs = std::max(20, std::atoi(argv[++i]));
        else if (option == "--from" && i + 1 < argc)
            fromMs = std::max(0, std::atoi(argv[++i]));
        else if (option == "--sheets")
            mode = Mode::Sheets;
        else if (option == "--list-roms")
            mode = Mode::ListRoms;
        else if (option == "--audit")
            mode = Mode::Audit;
        else if (option == "--full")
            full = true;
        else if (option == "--all-owned")
            allOwned = true;
        else if (option == "--to" && i + 1 < argc)
            toMs = std::max(0, std::atoi(argv[++i]));
        else if (option == "--roms" && i + 1 < argc)
            roms = argv[++i];
        else if (option == "--sets" && i + 1 < argc)
            sets = std::max(1, std::atoi(argv[++i]));
        else if (option == "--software" && i + 1 < argc)
            hash = argv[++i];
        else if (!option.starts_with("--"))
            listxml = option;
    }
    if (listxml.empty() || !fs::exists(listxml)) {
        std::cerr
            << "usage: cancel_bench LISTXML [--step MS] [--from MS] [--software HASHDIR] "
               "[--sheets | --list-roms [--all-owned] | --audit [--full]] [--roms DIR] [--sets N] "
               "[--to MS]\n";
        return 2;
    }
    const fs::path work =
        fs::temp_directory_path() / ("arcanote-cancel-" + std::to_string(getpid()));
    fs::create_directories(work / "dat");
    fs::create_directories(work / "ini");
    const std::string home = work.string() + "/";
    arc::bench::UseBenchHome(home);
    {
        using namespace arc::bench;
        const std::vector<std::string> names = SetNamesOf(listxml);
        WriteHistory(home + "dat/history.dat", names, 30000);
        WriteMameinfo(home + "dat/mameinfo.dat", names, 20000);
        WriteCommand(home + "dat/command.dat", names, 10000);
        WriteColonList(home + "dat/cheat.dat", names, 3);
        WriteCatver(home + "ini/catver.ini", names);
    }
    fs::create_symlink(fs::absolute(listxml), home + "listxml.txt");
    { std::ofstream(home + "vermame.txt") << "MAME v0.251 (bench)\n"; }
    std::string error;
    if (!arc::CreateTemplateDatabase(home + "Arcanote.mdx", &error)) {
        std::cerr << error << '\n';
        return 1;
    }
    arc::BuildRequest request =
        arc::BuildRequestFrom(arc::TheSettings(), home + "Arcanote.mdb", {});
    if (!hash.empty()) request.software = arc::SoftwareImportRequest{hash, "", home};

    using Task = std::function<arc::Outcome(arc::TaskContext&)>;
    Task task = [&](arc::TaskContext& context) -> arc::Outcome {
        return arc::RunBuild(request, context);
    };
    if (mode != Mode::Build) {
        arc::TaskProgress progress;
        arc::TaskContext context(progress, arc::Ui());
        if (!arc::RunBuild(request, context).ok()) return 1;
    }
    const std::string database = home + "Arcanote.mdb";
    if (mode == Mode::ListRoms || mode == Mode::Audit) {
        roms = roms.empty() ? home + "roms/" : arc::WithTrailingSlash(roms);
        if (!arc::OpenDatabase(database)) return 1;
        const std::string marker = roms + "forged.sets";
        std::ifstream in(marker);
        int made = -1;
        if (!(in >> made) || made != sets) {
            arc::bench::GenerateCollection(roms, sets);
            std::ofstream(marker) << sets;
        }
        if (mode == Mode::ListRoms) arc::CloseDatabase();
    }
    if (mode == Mode::ListRoms) {
        const arc::ListMyRomsRequest listRequest{database, roms};
        task = [listRequest, allOwned](arc::TaskContext& context) -> arc::Outcome {
            if (allOwned) {
                // Every game owned before: the sets not found are cleared.
                arc::DatabaseScope database;
                if (!database.Open(listRequest.databasePath)) return arc::Outcome::Failure("open");
                arc::Execute("UPDATE Data SET GotIt=TRUE");
            }
            return arc::RunListMyRoms(listRequest, context);
        };
    } else if (mode == Mode::Audit) {
        // As the audit window: the database is open before the task starts.
        const arc::AuditRequest auditRequest{roms, full, {}};
        task = [auditRequest](arc::TaskContext& context) -> arc::Outcome {
            return arc::RunAudit(auditRequest, context);
        };
    } else if (mode == Mode::Sheets) {
        arc::TheSettings().DatabasePath = database;
        arc::SheetWindowState window;
        window.Load(false);
        window.text1 = home + "site/";
        const arc::SheetsRequest sheetsRequest = window.BuildRequest();
        task = [sheetsRequest](arc::TaskContext& context) -> arc::Outcome {
            return arc::RunSheets(sheetsRequest, context);
        };
    }
    std::printf("%9s  %9s  %-40s\n", "cancel at", "stopped", "step");
    double worst = 0;
    for (int delay = fromMs + stepMs; toMs == 0 || delay <= toMs; delay += stepMs) {
        arc::TaskProgress progress;
        arc::Outcome outcome;
        Clock::time_point end;
        std::thread worker([&] {
            arc::TaskContext context(progress, arc::Ui());
            outcome = task(context);
            end = Clock::now();
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        const std::string step = progress.Label().substr(0, 40) + " (" +
                                 std::to_string(progress.Done()) + "/" +
                                 std::to_string(progress.Total()) + ")";
        const Clock::time_point cancel = Clock::now();
        progress.Cancel();
        worker.join();
        if (mode == Mode::Sheets && !(outcome.ok() && end < cancel)) fs::remove_all(home + "site");
        if (outcome.ok() && end < cancel) {
            std::printf("the task ended after %d ms without a cancel (%s); worst stop: %.0f ms\n",
                        delay, outcome.message.c_str(), worst);
            break;
        }
        const double stopped = std::chrono::duration<double, std::milli>(end - cancel).count();
        worst = std::max(worst, stopped);
        std::printf("%7d ms  %6.0f ms  %s%s\n", delay, stopped, step.c_str(),
                    outcome.cancelled() ? "" : "  (not cancelled!)");
        std::fflush(stdout);
    }
    arc::CloseDatabase();
    fs::remove_all(work);
    return worst <= 200 ? 0 : 1;
}
