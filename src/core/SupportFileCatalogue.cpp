#include "core/SupportFileCatalogue.h"

#include <stdexcept>

#include "core/Files.h"
#include "core/ProgramFolder.h"

namespace arc {
namespace {

using Row = SupportFileRow;

constexpr bool EveryRow(auto holds) {
    for (const Row& row : kSupportFileCatalogue)
        if (!holds(row)) return false;
    return true;
}

/// True when the places that `places` gives the rows (-1: none) are each
/// taken once and fill first, first + 1, ... without a gap.
constexpr bool FillWithoutGaps(auto places, int first) {
    std::array<int, 2 * kSupportFileCount> taken{};
    int count = 0;
    for (const Row& row : kSupportFileCatalogue) {
        for (int place : places(row)) {
            if (place < 0) continue;
            if (place < first || place - first >= static_cast<int>(taken.size())) return false;
            ++taken[place - first];
            ++count;
        }
    }
    for (int i = 0; i < count; ++i)
        if (taken[i] != 1) return false;
    return true;
}

static_assert(
    [] {
        for (int i = 0; i < kSupportFileCount; ++i)
            if (static_cast<int>(kSupportFileCatalogue[i].file) != i) return false;
        return true;
    }(),
    "rows in the order of the SupportFile enumerators");
static_assert(EveryRow([](const Row& row) { return row.folder == "dat" || row.folder == "ini"; }));
static_assert(EveryRow([](const Row& row) {
    return !row.name.empty() && !row.fileName.empty() && !row.caption.empty();
}));
static_assert(EveryRow([](const Row& row) { return row.slot >= 0 && row.updateBox >= 1; }),
              "every file has a settings slot and an update box");
static_assert(FillWithoutGaps([](const Row& row) { return std::array{row.slot}; }, 0));
static_assert(FillWithoutGaps([](const Row& row) { return std::array{row.updateBox}; }, 1));
static_assert(EveryRow([](const Row& row) {
                  return (row.coveredBy >> static_cast<int>(row.file)) == 0;
              }),
              "a file is covered only by files that the build reads before it");
static_assert(EveryRow([](const Row& row) {
                  if (!row.option.starts_with("--")) return false;
                  for (const Row& other : kSupportFileCatalogue)
                      if (other.file != row.file && other.option == row.option) return false;
                  return true;
              }),
              "one update option per file");
static_assert(EveryRow([](const Row& row) {
    return (row.download.entry >= 0) == !row.download.label.empty() &&
           (row.download.entry >= 0 || row.download.mame32Label.empty());
}));
static_assert(FillWithoutGaps(
    [](const Row& row) {
        const DownloadColumns& download = row.download;
        return std::array{download.entry, download.mame32Label.empty() ? -1 : download.entry + 1};
    },
    0));
static_assert(EveryRow([](const Row& row) {
    return (row.translation.row >= 0) == !row.translation.section.empty();
}));
static_assert(FillWithoutGaps([](const Row& row) { return std::array{row.translation.row}; }, 0));

}  // namespace

const SupportFileRow& RowOfSlot(int slot) {
    for (const Row& row : kSupportFileCatalogue)
        if (row.slot == slot) return row;
    throw std::out_of_range("no support file has slot " + std::to_string(slot));
}

std::string OwnSupportFilePath(SupportFile file) {
    const Row& row = RowOf(file);
    return FindNoCase(InProgramFolder(row.folder), row.fileName);
}

}  // namespace arc
