#pragma once
// The seventeen support files as the build and the update window see them:
// their DataFilePaths slot, their name under the program folder, their
// importer, the path rule and the build's order with its skips.

#include <string>
#include <string_view>
#include <vector>

namespace arc {

class DataValues;

enum class SupportFile {
    Mameinfo,
    Wizsort,
    Catver,
    Hiscore,
    Command,
    Cheat,
    Controls,
    Genre,
    Catlist,
    Mature,
    Version,
    NPlayers,
    Multiplayer,
    Alltime,
    Aspect,
    Resolution,
    History,
};
inline constexpr int kSupportFileCount = 17;

struct SupportFileInfo {
    std::string_view name;      ///< "Mameinfo.dat"
    int slot;                   ///< DataFilePaths slot
    std::string_view folder;    ///< "dat" or "ini" under the program folder
    std::string_view fileName;  ///< name under that folder, found without regard to case
    bool (*import)(std::string_view path, DataValues* values);
};

const SupportFileInfo& InfoOf(SupportFile file);

/// The program folder's own copy: program folder + folder + "/" + name, the
/// name matched without regard to case.
std::string OwnSupportFilePath(SupportFile file);

/// The path rule: with UseDefinedPaths the DataFilePaths slot, else the
/// program folder's copy; when the first choice does not exist, the other.
std::string SupportFilePath(SupportFile file);

/// True when the importer has something to read at `path` (History.dat also
/// with a history.xml beside it).
bool SupportFileFound(SupportFile file, const std::string& path);

/// Resolves the path and runs the importer; its result.
bool RunSupportImporter(SupportFile file);

/// The build's importers in their order, each skipped when a file that
/// covers it better was read (Wizsort, Catver, nPlayers), the notes copied
/// after History.dat; stops at a cancel or a database error. Their Data values
/// are written once per set, before the notes. Returns the importers that
/// found their file.
std::vector<SupportFile> RunBuildImporters();

}  // namespace arc
