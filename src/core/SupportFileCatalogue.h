#pragma once
// The support files, one row each: where the file lives, its settings slot,
// and how the build, the update window and command, the download list and the
// translation window show it. Every one of them loops over this table, so a
// new support file is a new enumerator, its row here and its importer in
// build/SupportFiles.cpp. The table's invariants are checked at compile time
// in SupportFileCatalogue.cpp.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace arc {

/// The support files, in the order the build imports them (one row each below).
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

/// A set of support files, one bit per file.
using SupportFileSet = std::uint32_t;

constexpr SupportFileSet SetOf(std::initializer_list<SupportFile> files) {
    SupportFileSet set = 0;
    for (SupportFile file : files)
        set |= SupportFileSet{1} << static_cast<int>(file);
    return set;
}

/// What a new translation dictionary collects from a file.
enum class DictionaryNames {
    None,
    SectionNames,  ///< "[Maze]" lines: the names between the brackets
    Values,        ///< "pacman=Maze" lines: the values
};

/// The file's place in the download list ("Arcanote.url.inf" and the window).
struct DownloadColumns {
    int entry = -1;                ///< entry index; -1: not downloaded
    std::string_view label;        ///< caption and key ("Nplayers")
    std::string_view mame32Label;  ///< the Mame32 edition's entry, right after ("Nplayers32")
    std::string_view site;         ///< default site publishing it (and its Mame32 edition)
};

/// The file's place in the translation window and dictionary.
struct TranslationColumns {
    int row = -1;              ///< row of the window; -1: not translated
    std::string_view section;  ///< dictionary section ("[PLAYERS]")
    DictionaryNames names = DictionaryNames::None;
};

struct SupportFileRow {
    SupportFile file;
    std::string_view name;      ///< "nPlayers.ini": the default name under the emulator's folders
    std::string_view folder;    ///< "dat" or "ini": the program's own folder (and the emulator's
                                ///< history or category path)
    std::string_view fileName;  ///< "nplayers.ini": the program folder's copy, any case
    int slot;                   ///< DataFilePaths slot
    SupportFileSet coveredBy = 0;  ///< the build skips the file when one of these was read
    int updateBox;                 ///< check box of the update window (1 up; 0 is the emulator)
    std::string_view caption;      ///< "Nplayers.ini": in the update and translation windows
    std::string_view option;       ///< "--nplayers": the update command's option
    DownloadColumns download = {};
    TranslationColumns translation = {};
};

namespace catalogue_sites {
inline constexpr std::string_view kCatver = "https://www.progettosnaps.net/catver/";
inline constexpr std::string_view kNPlayers = "https://nplayers.arcadebelgium.be/";
}  // namespace catalogue_sites

// clang-format off
inline constexpr auto kSupportFileCatalogue = std::to_array<SupportFileRow>({
    {.file = SupportFile::Mameinfo, .name = "Mameinfo.dat",
     .folder = "dat", .fileName = "mameinfo.dat", .slot = 15,
     .updateBox = 16, .caption = "Mameinfo.dat", .option = "--mameinfo",
     .download = {6, "MameInfo", "", "https://mameinfo.mameworld.info/"},
     .translation = {7, "[MAMEINFO]", DictionaryNames::None}},
    {.file = SupportFile::Wizsort, .name = "Wizsort.ini",
     .folder = "ini", .fileName = "wizsort.ini", .slot = 14,
     .updateBox = 10, .caption = "Wizsort.ini", .option = "--wizsort",
     .download = {3, "Wizsort", "", catalogue_sites::kCatver},
     .translation = {3, "[WIZ]", DictionaryNames::Values}},
    {.file = SupportFile::Catver, .name = "Catver.ini",
     .folder = "ini", .fileName = "catver.ini", .slot = 1,
     .updateBox = 4, .caption = "Catver.ini", .option = "--catver",
     .download = {1, "Catver", "Cat32", catalogue_sites::kCatver},
     .translation = {2, "[WIZ]", DictionaryNames::Values}},
    {.file = SupportFile::Hiscore, .name = "Hiscore.dat",
     .folder = "dat", .fileName = "hiscore.dat", .slot = 13,
     .updateBox = 14, .caption = "Hiscore.dat", .option = "--hiscore",
     .download = {9, "Hiscore", "", "https://highscore.mameworld.info/"}},
    {.file = SupportFile::Command, .name = "Command.dat",
     .folder = "dat", .fileName = "command.dat", .slot = 12,
     .updateBox = 12, .caption = "Command.dat", .option = "--command",
     .download = {8, "Command", "", "https://www.progettosnaps.net/command/"}},
    {.file = SupportFile::Cheat, .name = "Cheat.dat",
     .folder = "dat", .fileName = "cheat.dat", .slot = 11,
     .updateBox = 11, .caption = "Cheat.dat", .option = "--cheat",
     .download = {7, "Cheat", "", "https://www.mamecheat.co.uk/"}},
    {.file = SupportFile::Controls, .name = "Controls.ini",
     .folder = "ini", .fileName = "controls.ini", .slot = 16,
     .updateBox = 13, .caption = "Controls.dat", .option = "--controls",
     .download = {10, "Controls", "", "https://www.progettosnaps.net/controls/"}},
    {.file = SupportFile::Genre, .name = "Genre.ini",
     .folder = "ini", .fileName = "genre.ini", .slot = 2,
     .coveredBy = SetOf({SupportFile::Wizsort}),
     .updateBox = 5, .caption = "Genre.ini", .option = "--genre",
     .translation = {1, "[WIZ]", DictionaryNames::SectionNames}},
    {.file = SupportFile::Catlist, .name = "Catlist.ini",
     .folder = "ini", .fileName = "Catlist.ini", .slot = 10,
     .coveredBy = SetOf({SupportFile::Catver, SupportFile::Wizsort}),
     .updateBox = 3, .caption = "Catlist.ini", .option = "--catlist",
     .translation = {0, "[WIZ]", DictionaryNames::SectionNames}},
    {.file = SupportFile::Mature, .name = "Mature.ini",
     .folder = "ini", .fileName = "mature.ini", .slot = 9,
     .coveredBy = SetOf({SupportFile::Wizsort}),
     .updateBox = 6, .caption = "Mature.ini", .option = "--mature"},
    {.file = SupportFile::Version, .name = "Version.ini",
     .folder = "ini", .fileName = "version.ini", .slot = 3,
     .coveredBy = SetOf({SupportFile::Catver, SupportFile::Wizsort}),
     .updateBox = 17, .caption = "Version.ini", .option = "--version-ini"},
    {.file = SupportFile::NPlayers, .name = "nPlayers.ini",
     .folder = "ini", .fileName = "nplayers.ini", .slot = 4,
     .updateBox = 8, .caption = "Nplayers.ini", .option = "--nplayers",
     .download = {4, "Nplayers", "Nplayers32", catalogue_sites::kNPlayers},
     .translation = {5, "[PLAYERS]", DictionaryNames::Values}},
    {.file = SupportFile::Multiplayer, .name = "Multiplayer.ini",
     .folder = "ini", .fileName = "multiplayer.ini", .slot = 5,
     .coveredBy = SetOf({SupportFile::NPlayers}),
     .updateBox = 7, .caption = "Multiplayer.ini", .option = "--multiplayer",
     .translation = {4, "[PLAYERS]", DictionaryNames::SectionNames}},
    {.file = SupportFile::Alltime, .name = "Alltime.ini",
     .folder = "ini", .fileName = "alltime.ini", .slot = 6,
     .coveredBy = SetOf({SupportFile::Wizsort}),
     .updateBox = 1, .caption = "Alltime.ini", .option = "--alltime"},
    {.file = SupportFile::Aspect, .name = "Aspect.ini",
     .folder = "ini", .fileName = "aspect.ini", .slot = 7,
     .updateBox = 2, .caption = "Aspect.ini", .option = "--aspect"},
    {.file = SupportFile::Resolution, .name = "Resolution.ini",
     .folder = "ini", .fileName = "resolution.ini", .slot = 8,
     .coveredBy = SetOf({SupportFile::Wizsort}),
     .updateBox = 9, .caption = "Resolution.ini", .option = "--resolution"},
    {.file = SupportFile::History, .name = "History.dat",
     .folder = "dat", .fileName = "history.dat", .slot = 0,
     .updateBox = 15, .caption = "History.dat", .option = "--history",
     .download = {0, "History", "", "https://www.arcade-history.com/"},
     .translation = {6, "[HISTORY]", DictionaryNames::None}},
});
// clang-format on

inline constexpr int kSupportFileCount = static_cast<int>(kSupportFileCatalogue.size());

constexpr const SupportFileRow& RowOf(SupportFile file) {
    return kSupportFileCatalogue[static_cast<std::size_t>(file)];
}

/// The DataFilePaths slot of a file.
constexpr int SlotOf(SupportFile file) {
    return RowOf(file).slot;
}

/// The row whose settings slot is `slot` (0 .. kSupportFileCount - 1).
const SupportFileRow& RowOfSlot(int slot);

/// The program folder's own copy: program folder + folder + "/" + file name,
/// the name matched without regard to case.
std::string OwnSupportFilePath(SupportFile file);

}  // namespace arc
