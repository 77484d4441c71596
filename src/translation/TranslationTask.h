#pragma once
// The translation of support files with the dictionary as a task: the files
// the catalogue gives a translation row (and today's history.xml after them),
// each translated with its dictionary section.

#include <array>
#include <string>
#include <string_view>

#include "core/Settings.h"
#include "core/SupportFileCatalogue.h"
#include "core/Task.h"

namespace arc {

/// The catalogue's translated files, then history.xml.
inline constexpr int kTranslationRows = [] {
    int count = 1;
    for (const SupportFileRow& row : kSupportFileCatalogue)
        count += row.translation.row >= 0 ? 1 : 0;
    return count;
}();

/// File name of row i ("Catlist.ini", ..., "Mameinfo.dat", "history.xml").
std::string_view TranslationRowName(int row);
/// "dat" or "ini": the folder of row i's file.
std::string_view TranslationRowFolder(int row);
/// Row of a file name given with or without its extension, any case; -1 none.
int TranslationRowOfName(std::string_view name);

/// The file of each row: the defined path when that file exists, else the
/// program's own dat/ or ini/ file; history.xml beside the defined History
/// file, else the program's own.
std::array<std::string, kTranslationRows> TranslationPaths(
    const std::array<std::string, kDataFileSlots>& definedPaths);

enum class TranslationResult { NotTicked, NoEntries, Translated, Missing, Failed, Cancelled };

struct TranslationRequest {
    std::array<std::string, kTranslationRows> paths;
    std::array<bool, kTranslationRows> ticked{};
};

struct TranslationOutcome : Outcome {
    std::array<TranslationResult, kTranslationRows> results{};
};

/// What a translation did: the files it wrote, or that it wrote none, then
/// the files it could not translate.
std::string TranslationEndMessage(const std::array<std::string, kTranslationRows>& paths,
                                  const std::array<TranslationResult, kTranslationRows>& results);

/// Translates each ticked file in place with its dictionary section. A file
/// that is missing, or whose section has no finished entry, is left; the
/// outcome fails when a file could not be written, and is cancelled when the
/// user cancelled. The message is TranslationEndMessage.
TranslationOutcome RunTranslation(const TranslationRequest& request, TaskContext& context);

}  // namespace arc
