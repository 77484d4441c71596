// The game browser on a real-size database, headless.
//
//   browser_bench [--db FILE] [--games N]
//
// Without --db a database of N generated games (default 45,000) is made in a
// temporary folder; a database built from the emulator's list
// (arcanote-cli build --listxml ...) can be given with --db. Times the index
// read, the window opening inside the main window (targets: under 0.5 s),
// each keystroke of a typed filter and its erasure, the quick filters (under
// 100 ms each, the table redrawn) and a sort by each column.

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "collection/GameBrowserQuery.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "database/Schema.h"
#include "ui/DesktopWindows.h"
#include "ui/MainWindow.h"

namespace fs = std::filesystem;
using namespace arc;

namespace {

using bench::Clock;
using bench::CpuMs;
using bench::Ms;

/// Lets the windows lay out and paint what changed.
void Settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

bool MakeGames(const std::string& path, int games) {
    std::string error;
    if (!CreateTemplateDatabase(path, &error) || !OpenDatabase(path)) {
        std::fprintf(stderr, "browser_bench: %s\n", error.c_str());
        return false;
    }
    Execute(
        "INSERT INTO Data (InternalName, GameName, Year, Manufacturer, Category, nPlayers, "
        "DriverStatus, Working, GotIt, CloneOf, Mature) WITH RECURSIVE n(i) AS (SELECT 0 UNION "
        "ALL SELECT i + 1 FROM n WHERE i < " +
        std::to_string(games - 1) +
        ") SELECT printf('set%05d', i), printf('Street Fighter %d (World, rev %d)', i, i % 7), "
        "1975 + i % 45, 'Maker ' || (i % 700), 'Category ' || (i % 90), 1 + i % 4, CASE WHEN i "
        "% 10 = 0 THEN 'preliminary' ELSE 'good' END, 1, i % 3 = 0, CASE WHEN i % 2 = 0 THEN "
        "printf('set%05d', i + 1) END, i % 40 = 0 FROM n");
    CloseDatabase();
    return true;
}

/// Wall-clock and processor times of repeated steps (the machine may be
/// shared: processor time is what the step itself costs).
struct Figures {
    std::vector<double> ms;
    std::vector<double> cpuMs;
    Clock::time_point start;
    double cpuStart = 0;
    void Begin() {
        start = Clock::now();
        cpuStart = CpuMs();
    }
    void End() {
        ms.push_back(Ms(start));
        cpuMs.push_back(CpuMs() - cpuStart);
    }
    static double Max(const std::vector<double>& values) {
        double top = 0;
        for (double value : values)
            top = std::max(top, value);
        return top;
    }
    static double Mean(const std::vector<double>& values) {
        double sum = 0;
        for (double value : values)
            sum += value;
        return values.empty() ? 0 : sum / static_cast<double>(values.size());
    }
    void Print(const char* what) const {
        std::printf("%s: %zu, mean %.1f ms, max %.1f ms (cpu mean %.1f ms, max %.1f ms)", what,
                    ms.size(), Mean(ms), Max(ms), Mean(cpuMs), Max(cpuMs));
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    std::string database;
    int games = 45000;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--db" && i + 1 < argc) {
            database = argv[++i];
        } else if (arg == "--games" && i + 1 < argc) {
            games = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: browser_bench [--db FILE] [--games N]\n");
            return 2;
        }
    }
    const fs::path work = fs::temp_directory_path() / "arcanote-browser-bench";
    fs::remove_all(work);
    fs::create_directories(work);
    SetProgramFolder(work.string() + "/");
    TheSettings() = DefaultSettings();
    TheSettings().Language = 0;
    BuildTextTable();
    if (database.empty()) {
        database = (work / "games.mdb").string();
        const auto made = Clock::now();
        if (!MakeGames(database, games)) return 1;
        std::printf("generated %d games in %.0f ms\n", games, Ms(made));
    }
    TheSettings().DatabasePath = database;

    for (int run = 0; run < 3; ++run) {
        GameBrowserQuery query;
        const auto start = Clock::now();
        const double cpu = CpuMs();
        std::string error;
        if (!query.Load(database, &error)) {
            std::fprintf(stderr, "browser_bench: %s\n", error.c_str());
            return 1;
        }
        std::printf("index read: %d games in %.1f ms (cpu %.1f ms)\n", query.GameCount(), Ms(start),
                    CpuMs() - cpu);
    }

    ui::RegisterDesktopWindows();
    ui::MainWindow main;
    main.resize(1280, 860);
    main.show();
    Settle();
    const auto opening = Clock::now();
    const double openingCpu = CpuMs();
    QWidget* browser = main.OpenWindow("Form20");
    Settle();
    const double openMs = Ms(opening);
    const double openCpuMs = CpuMs() - openingCpu;
    std::printf("browser opened and drawn: %.1f ms (cpu %.1f ms)  [target < 500 ms]\n", openMs,
                openCpuMs);
    if (!browser) return 1;
    auto* filter = browser->findChild<QLineEdit*>("Filter");
    auto* table = browser->findChild<QTableView*>("GameTable");

    Figures keys;
    const QString word = "street fighter 2";
    for (int n = 1; n <= word.size(); ++n) {
        keys.Begin();
        filter->setText(word.left(n));
        Settle();
        keys.End();
    }
    const int typedRows = table->model()->rowCount();
    for (int n = static_cast<int>(word.size()) - 1; n >= 0; --n) {
        keys.Begin();
        filter->setText(word.left(n));
        Settle();
        keys.End();
    }
    keys.Print("filter keystrokes");
    std::printf(" (\"%s\": %d rows)  [target < 100 ms]\n", qPrintable(word), typedRows);

    Figures quick;
    for (const char* name : {"OwnedOnly", "WorkingOnly", "NoClones", "NoMature"}) {
        auto* box = browser->findChild<QCheckBox*>(name);
        for (bool on : {true, false}) {
            quick.Begin();
            box->setChecked(on);
            Settle();
            quick.End();
        }
    }
    quick.Print("quick filter toggles");
    std::printf("  [target < 100 ms]\n");

    for (int column = 0; column < table->model()->columnCount(); ++column) {
        const auto start = Clock::now();
        table->horizontalHeader()->setSortIndicator(column, Qt::DescendingOrder);
        Settle();
        std::printf("sort by %-12s %.1f ms\n",
                    qPrintable(table->model()->headerData(column, Qt::Horizontal).toString()),
                    Ms(start));
    }
    // Judged on processor time: on a shared machine the wall clock carries
    // other programs' load (on an idle one the two are close: one thread).
    const bool met =
        openCpuMs < 500 && Figures::Max(keys.cpuMs) < 100 && Figures::Max(quick.cpuMs) < 100;
    std::printf("%s (processor time; wall clock: open %.0f ms, keystroke max %.0f ms)\n",
                met ? "targets met" : "TARGETS MISSED", openMs, Figures::Max(keys.ms));
    main.close();
    fs::remove_all(work);
    return met ? 0 : 1;
}
