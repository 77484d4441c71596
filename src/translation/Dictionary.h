#pragma once
// The translation dictionary "TRANSLATE.DIC.txt": sections of "source = translation"
// lines that the user completes in a text editor.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/Settings.h"
#include "core/Task.h"

namespace arc {

struct TranslationPair {
    std::string source;
    std::string translation;
};

/// One section's entries, longest dictionary line first.
using SectionTable = std::vector<TranslationPair>;

/// Program folder + "TRANSLATE.DIC.txt".
std::string DictionaryPath();

/// The support files' defined paths, by settings slot.
using DataFilePathList = std::array<std::string, kDataFileSlots>;

struct DictionaryRequest {
    std::string path;  ///< the dictionary to write
    /// Each file's names are read from its defined path when that file
    /// exists, else from the program's own copy.
    DataFilePathList dataFilePaths;
};

using DictionaryOutcome = Outcome;

/// The program's dictionary, its names read from the files at `dataFilePaths`.
DictionaryRequest DictionaryRequestFor(const DataFilePathList& dataFilePaths);

/// Writes a new dictionary (overwriting): header, "[WIZ]" and "[PLAYERS]"
/// pre-filled with the category, genre and player names of the user's files,
/// the "[HISTORY]" examples and an empty "[MAMEINFO]". Failed when it cannot
/// be written.
DictionaryOutcome RunDictionary(const DictionaryRequest& request, TaskContext& context);

/// Creates the dictionary under the progress window when it does not exist
/// (the translation command and the edit button). True when it exists after.
bool EnsureDictionary(const DictionaryRequest& request);

/// The lines RunDictionary writes.
std::vector<std::string> DictionaryLines(const DataFilePathList& dataFilePaths);

/// The finished entries of one section ("[WIZ]", ...): comment lines, blank
/// lines and lines ending with "=" are left out; longer lines come first (file
/// order among lines of equal length). Empty when the dictionary or the section
/// is missing.
SectionTable LoadSection(std::string_view header, std::string_view path = {});

/// The same from the dictionary's lines.
SectionTable SectionFromLines(const std::vector<std::string>& lines, std::string_view header);

}  // namespace arc
