// The full-text index on a built database with full-size History, Mameinfo
// and Command texts (build_bench --build-only --keep DIR leaves one).
//
//   fulltext_bench DATABASE [--runs N]
//
// Builds the index on a copy of the database, then times each query of a
// fixed list through the index (best of N, default 5) and, as the reference in
// the same run, the same words found by a LIKE scan of the texts.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "database/Database.h"
#include "database/FullTextIndex.h"

namespace fs = std::filesystem;
using namespace arc;

namespace {

using bench::Clock;
using bench::Ms;

// Words of every entry, of some and of none, alone and together.
constexpr const char* kQueries[] = {"the",         "game makers", "playable", "sound fix",
                                    "recommended", "gorilla",     "weigh",    "mario kart"};

/// The reference: every word looked for with LIKE in the History and Mameinfo texts.
int ScanCount(const ReadOnlyDatabase& db, const std::string& words) {
    std::string sql =
        "SELECT count(*) FROM Data d LEFT JOIN History h ON h.CodeHistory = d.CodeHistory WHERE 1";
    for (const std::string& word : FullTextWords(words))
        sql +=
            " AND (coalesce(h.Description, '') || coalesce(h.trivia, '') || "
            "coalesce(h.technical, '') || coalesce(d.MameInfo, '') LIKE '*" +
            word + "*')";
    Statement count(db, sql);
    return count.Step() ? static_cast<int>(count.ColumnInt(0)) : 0;
}

template <class Body>
double BestOf(int runs, Body&& body) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        body();
        best = std::min(best, Ms(start));
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: fulltext_bench DATABASE [--runs N]\n";
        return 2;
    }
    int runs = 5;
    if (argc >= 4 && std::string(argv[2]) == "--runs") runs = std::max(1, std::atoi(argv[3]));
    const fs::path copy = fs::temp_directory_path() / "fulltext_bench.mdb";
    fs::copy_file(argv[1], copy, fs::copy_options::overwrite_existing);
    if (!OpenDatabase(copy.string())) {
        std::cerr << argv[1] << ": not a database\n";
        return 1;
    }
    const auto start = Clock::now();
    const double cpuStart = bench::CpuMs();
    BuildFullTextIndex();
    std::printf("index built: %.0f ms wall, %.0f ms CPU; games %s, History rows %s\n", Ms(start),
                bench::CpuMs() - cpuStart, QueryValue("SELECT count(*) FROM Data").c_str(),
                QueryValue("SELECT count(*) FROM History").c_str());
    CloseDatabase();

    const ReadOnlyDatabase db(copy.string());
    std::printf("%-14s %8s %10s %12s %8s\n", "query", "matches", "index ms", "LIKE scan ms",
                "ratio");
    double worst = 0;
    for (const char* query : kQueries) {
        std::size_t matches = 0;
        const double indexed = BestOf(runs, [&] { matches = SearchFullText(&db, query).size(); });
        int scanned = 0;
        const double scan = BestOf(std::min(runs, 2), [&] { scanned = ScanCount(db, query); });
        worst = std::max(worst, indexed);
        std::printf("%-14s %8zu %10.1f %12.1f %8.3f   (scan found %d)\n", query, matches, indexed,
                    scan, indexed / scan, scanned);
    }
    std::printf("slowest query through the index: %.1f ms (target: under 100 ms)\n", worst);
    fs::remove(copy);
    return 0;
}
