// The quick audit of a generated collection, next to the emulator's own
// -verifyroms on the same folder.
//
//   audit_bench [--work DIR] [--db FILE] [--listxml FILE] [--sets N] [--no-mame]
//
// Without --db the listxml (default: the installed emulator's -listxml) is
// imported into a database in the work folder. The ROM folder gets a split
// set of the first N games (default 45,000) and an archive per device with
// ROMs: every member has its ROM's name, size and CRC-32 (zeros, then four
// bytes forged to the CRC), deflated, so that the folder stays small. The
// audit runs three times in child processes (the last two warm), then
// `mame -verifyroms` once; wall, processor time and peak memory of each.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "ForgedCollection.h"
#include "audit/Audit.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/ScriptedUi.h"
#include "database/Database.h"
#include "xmlimport/ListXmlImport.h"

namespace fs = std::filesystem;
using namespace arc;

namespace {

using Clock = std::chrono::steady_clock;
using bench::GenerateCollection;

struct Run {
    double wallMs = 0, cpuMs = 0;
    long peakKb = 0;
    int code = 0;
};

/// Runs `body` in a child process; its wall and processor time, peak memory.
template <class Body>
Run InChild(Body&& body) {
    std::cout << std::flush;
    std::fflush(stdout);
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) std::_Exit(body());
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Run run;
    run.wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    run.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    run.peakKb = usage.ru_maxrss;
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

void Print(const std::string& what, const Run& run) {
    std::printf("%-34s wall %8.0f ms  cpu %8.0f ms  peak %6ld MB  exit %d\n", what.c_str(),
                run.wallMs, run.cpuMs, run.peakKb / 1024, run.code);
}

}  // namespace

int main(int argc, char** argv) {
    std::string work = (fs::temp_directory_path() / "arcanote-audit-bench").string();
    std::string db, listxml;
    int sets = 45000;
    const std::string emulator = fs::exists("/usr/games/mame") ? "/usr/games/mame" : "mame";
    bool mame = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool value = i + 1 < argc;
        if (arg == "--work" && value)
            work = argv[++i];
        else if (arg == "--db" && value)
            db = argv[++i];
        else if (arg == "--listxml" && value)
            listxml = argv[++i];
        else if (arg == "--sets" && value)
            sets = std::atoi(argv[++i]);
        else if (arg == "--no-mame")
            mame = false;
        else {
            std::cerr << "usage: audit_bench [--work DIR] [--db FILE] [--listxml FILE] [--sets N] "
                         "[--no-mame]\n";
            return 2;
        }
    }
    fs::create_directories(work);
    const std::string roms = work + "/roms/";
    SetProgramFolder(work + "/");
    ScopedScriptedUi ui;
    if (db.empty()) {
        db = work + "/bench.mdb";
        if (!fs::exists(db)) {
            if (listxml.empty()) {
                listxml = work + "/listxml.xml";
                if (RunAndWait(emulator + " -listxml > '" + listxml + "'") != 0) return 1;
            }
            std::string error;
            if (!CreateTemplateDatabase(db, &error) || !OpenDatabase(db)) {
                std::cerr << error << '\n';
                return 1;
            }
            const auto start = Clock::now();
            TaskProgress progress;
            if (!ImportListXml(listxml, progress)) return 1;
            std::cout << "database: " << listxml << " imported in "
                      << std::chrono::duration<double>(Clock::now() - start).count() << " s\n";
            CloseDatabase();
        }
    }
    const std::string marker = work + "/roms.sets";
    if (!OpenDatabase(db)) return 1;
    {
        std::ifstream in(marker);
        int made = -1;
        if (!(in >> made) || made != sets) {
            GenerateCollection(roms, sets);
            std::ofstream(marker) << sets;
        }
    }
    CloseDatabase();

    for (const char* pass : {"quick audit (first)", "quick audit (warm)", "quick audit (warm)"}) {
        AuditOutcome summary;
        const Run run = InChild([&] {
            if (!OpenDatabase(db)) return 1;
            TaskProgress task;
            TaskContext context(task, Ui());
            summary = RunAudit({roms, false, {}}, context);
            std::printf("  %d sets audited:", summary.audited);
            for (int i = 0; i < kVerdictCount; ++i)
                std::printf(" %d %s;", summary.counts[i],
                            std::string(VerdictText(static_cast<Verdict>(i))).c_str());
            std::printf("\n");
            std::fflush(stdout);
            CloseDatabase();
            return summary.ok() ? 0 : 1;
        });
        Print(pass, run);
    }
    if (mame) {
        const std::string report = work + "/verifyroms.txt";
        const Run run = InChild([&] {
            return RunAndWait("cd '" + work + "' && " + emulator + " -noreadconfig -rompath '" +
                              roms + "' -verifyroms > '" + report + "' 2>&1");
        });
        Print("mame -verifyroms", run);
        RunAndWait("tail -n 2 '" + report + "'");
    }
    return 0;
}
