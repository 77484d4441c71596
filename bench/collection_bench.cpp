// List my ROMs and the search window on a real-size game database.
//
//   collection_bench [--work DIR] [--db FILE] [--listxml FILE]
//
// Without --db a database of every machine of the listxml file (45,294 for
// Debian's mame 0.251) is made in the work folder, with the support file
// fields (genre, category, Mameinfo text) filled with generated values.
// Without --listxml the installed emulator's -listxml is written into the work
// folder. The ROM folder holds 45,000 archives and 1,000 sub-folders. Each
// search-window figure is the best of three (the machine may be shared).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "EmulatorList.h"
#include "collection/ListMyRoms.h"
#include "collection/RomSets.h"
#include "collection/SearchWindowState.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/ScriptedUi.h"
#include "core/Settings.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "database/Database.h"

namespace fs = std::filesystem;
using namespace arc;

namespace {

using bench::Clock;
using bench::CpuMs;
using bench::Ms;

struct Machine {
    std::string name, title, year, maker, driver, cloneOf, romOf, rotate, players, buttons, control,
        status;
};

std::string Attribute(const std::string& line, std::string_view key) {
    const std::string pattern = " " + std::string(key) + "=\"";
    const std::size_t at = line.find(pattern);
    if (at == std::string::npos) return {};
    const std::size_t begin = at + pattern.size();
    return line.substr(begin, line.find('"', begin) - begin);
}

std::string Element(const std::string& line, std::string_view tag) {
    const std::string open = "<" + std::string(tag) + ">";
    const std::size_t at = line.find(open);
    if (at == std::string::npos) return {};
    const std::size_t begin = at + open.size();
    return line.substr(begin, line.find('<', begin) - begin);
}

std::vector<Machine> ReadMachines(const std::string& listxml) {
    std::vector<Machine> machines;
    LineReader reader(listxml, true);
    std::string line;
    Machine current;
    while (reader.Next(line)) {
        if (line.find("<machine ") != std::string::npos) {
            current = Machine{};
            current.name = Attribute(line, "name");
            current.driver = Attribute(line, "sourcefile");
            current.cloneOf = Attribute(line, "cloneof");
            current.romOf = Attribute(line, "romof");
        } else if (line.find("<description>") != std::string::npos) {
            current.title = Element(line, "description");
        } else if (line.find("<year>") != std::string::npos) {
            current.year = Element(line, "year");
        } else if (line.find("<manufacturer>") != std::string::npos) {
            current.maker = Element(line, "manufacturer");
        } else if (line.find("<display ") != std::string::npos && current.rotate.empty()) {
            current.rotate = Attribute(line, "rotate");
        } else if (line.find("<input ") != std::string::npos) {
            current.players = Attribute(line, "players");
        } else if (line.find("<control ") != std::string::npos && current.control.empty()) {
            current.control = Attribute(line, "type");
            current.buttons = Attribute(line, "buttons");
        } else if (line.find("<driver ") != std::string::npos) {
            current.status = Attribute(line, "status");
        } else if (line.find("</machine>") != std::string::npos) {
            machines.push_back(current);
        }
    }
    return machines;
}

void MakeDatabase(const std::string& path, const std::vector<Machine>& machines) {
    std::string error;
    if (!CreateTemplateDatabase(path, &error)) throw std::runtime_error(error);
    OpenDatabase(path);
    {
        Transaction transaction;
        Statement insert(
            "INSERT INTO Data (InternalName, GameName, driver, CloneOf, romof, Year, "
            "Manufacturer, videoorientation, nPlayers, InputButtons, Controls, DriverStatus, "
            "Genre, Category, Mature, Bios, MameInfo, GotIt, Working) "
            "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,FALSE,TRUE)");
        auto orNull = [](const std::string& s) {
            return s.empty() ? std::optional<std::string>() : std::optional(s);
        };
        std::size_t i = 0;
        for (const Machine& m : machines) {
            ++i;
            const std::string genre = "Genre " + std::to_string(i % 37);
            const std::string category = "Category / " + std::to_string(i % 412);
            const std::string info(300 + (i * 7919) % 1200, static_cast<char>('a' + i % 26));
            insert.Bind(1, m.name).Bind(2, m.title).Bind(3, orNull(m.driver));
            insert.Bind(4, orNull(m.cloneOf)).Bind(5, orNull(m.romOf)).Bind(6, orNull(m.year));
            insert.Bind(7, orNull(m.maker)).Bind(8, orNull(m.rotate)).Bind(9, orNull(m.players));
            insert.Bind(10, orNull(m.buttons)).Bind(11, orNull(m.control));
            insert.Bind(12, orNull(m.status)).Bind(13, genre).Bind(14, category);
            insert.Bind(15, i % 19 == 0).Bind(16, orNull(m.romOf == m.cloneOf ? "" : m.romOf));
            insert.Bind(17, info).Run();
        }
        transaction.Commit();
    }
    CloseDatabase();
}

void MakeRomFolder(const std::string& folder, const std::vector<Machine>& machines) {
    fs::create_directories(folder);
    for (std::size_t i = 0; i < 45000; ++i) {
        const std::string name =
            i < machines.size() ? machines[i].name : "unknown" + std::to_string(i);
        std::ofstream(folder + name + ".zip");
    }
    for (std::size_t i = 0; i < 1000; ++i) {
        const std::size_t m = 45000 + i;
        fs::create_directories(
            folder + (m < machines.size() ? machines[m].name : "folder" + std::to_string(i)));
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string work = (fs::temp_directory_path() / "arcanote-collection-bench").string();
    std::string db, listxml;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--work") work = argv[i + 1];
        if (arg == "--db") db = argv[i + 1];
        if (arg == "--listxml") listxml = argv[i + 1];
    }
    work = WithTrailingSlash(work);
    fs::create_directories(work);
    SetProgramFolder(work);
    TheSettings() = DefaultSettings();
    BuildTextTable();

    const std::string roms = work + "roms/";
    if (db.empty() || !fs::exists(roms)) {
        listxml = bench::EmulatorListXml(listxml, work);
        if (listxml.empty()) return 1;
        auto start = Clock::now();
        const std::vector<Machine> machines = ReadMachines(listxml);
        std::printf("read %zu machines from %s in %.0f ms\n", machines.size(), listxml.c_str(),
                    Ms(start));
        if (db.empty()) {
            db = work + "bench.mdb";
            if (!fs::exists(db)) MakeDatabase(db, machines);
        }
        if (!fs::exists(roms)) MakeRomFolder(roms, machines);
    }
    TheSettings().DatabasePath = db;
    TheSettings().RomsFolder = roms;

    ScopedScriptedUi scripted;  // confirms the database, keeps the messages
    for (int run = 1; run <= 2; ++run) {
        scripted.ui.QueueFile(db);
        const auto start = Clock::now();
        const double cpu = CpuMs();
        const ListMyRomsOutcome summary = ListMyRoms();
        std::printf("list-roms run %d: %.0f ms wall, %.0f ms cpu (%d scanned, %d listed)\n", run,
                    Ms(start), CpuMs() - cpu, summary.scanned, summary.owned);
    }

    SearchWindowState window;
    auto start = Clock::now();
    double cpu = CpuMs();
    double openWall = 1e9, openCpu = 1e9;
    for (int run = 0; run < 3; ++run) {
        if (run > 0) {
            window.Close();
            CloseDatabase();
        }
        start = Clock::now();
        cpu = CpuMs();
        if (!window.Open()) return 1;
        openWall = std::min(openWall, Ms(start));
        openCpu = std::min(openCpu, CpuMs() - cpu);
    }
    std::printf("search window open, 14 combos filled: %.0f ms wall, %.0f ms cpu (target 300 ms)\n",
                openWall, openCpu);
    start = Clock::now();
    cpu = CpuMs();
    window.FillCombos();
    std::printf("combos filled again: %.0f ms wall, %.0f ms cpu\n", Ms(start), CpuMs() - cpu);

    struct Case {
        const char* label;
        int criterion;
        std::string value;
        std::string keyword;
    };
    const std::vector<Case> cases = {
        {"every game", -1, "", ""},
        {"year 1984", kYearCriterion, "1984", ""},
        {"manufacturer Capcom", kManufacturerCriterion, "Capcom", ""},
        {"keyword 'pac'", -1, "", "pac"},
        {"missing roms", kAvailableCriterion, "", ""},
        {"clones only", kClonesCriterion, "", ""},
    };
    for (const Case& c : cases) {
        for (SearchCombo& combo : window.combos)
            combo.text = combo.items[0];
        if (c.criterion >= 0) {
            window.combos[c.criterion].text =
                c.value.empty()
                    ? window.combos[c.criterion].items[c.criterion == kAvailableCriterion ? 2 : 1]
                    : c.value;
        }
        window.keyword = c.keyword;
        double best = 1e9, worst = 0, bestCpu = 1e9;
        for (int run = 0; run < 3; ++run) {
            start = Clock::now();
            cpu = CpuMs();
            window.Find();
            const double ms = Ms(start);
            best = std::min(best, ms);
            worst = std::max(worst, ms);
            bestCpu = std::min(bestCpu, CpuMs() - cpu);
        }
        std::printf(
            "search %-20s %6zu results: wall best %.0f / worst %.0f ms, cpu %.0f ms (target 150 "
            "ms)\n",
            c.label, window.results.size(), best, worst, bestCpu);
    }

    // The archive commands find every result's .zip and .7z from one listing.
    for (SearchCombo& combo : window.combos)
        combo.text = combo.items[0];
    window.keyword.clear();
    window.Find();
    start = Clock::now();
    cpu = CpuMs();
    const RomArchiveIndex index(roms);
    std::size_t archives = 0;
    for (const SearchResult& result : window.results)
        archives += index.Archives(result.internalName).size();
    std::printf("archives of %zu results: %zu found in %.0f ms wall, %.0f ms cpu\n",
                window.results.size(), archives, Ms(start), CpuMs() - cpu);
    window.Close();
    CloseDatabase();
    return 0;
}
