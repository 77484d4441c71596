#pragma once
// All lasting configuration: one flat record kept in the
// "Arcanote.inf" of the program folder.

#include <array>
#include <string>
#include <string_view>

#include "core/SupportFileCatalogue.h"

namespace arc {

/// Support-file slots of DataFilePaths: SlotOf(SupportFile) gives each file's.
inline constexpr int kDataFileSlots = kSupportFileCount;
inline constexpr int kArtSlots = 6;

/// Artwork slots of ArtFolders.
enum ArtSlot : int {
    kTitles = 0,
    kSnapshots = 1,
    kMarquees = 2,
    kCabinets = 3,
    kControlPanels = 4,
    kFlyers = 5,
};

/// The designed 49 lines and a last one with the tool windows' sizes, which
/// an older file lacks.
inline constexpr int kSettingsLines = 50;

struct MainWindowGeometry {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int State = -1;  ///< 0 normal, 1 minimized, 2 maximized; -1 nothing read
};

struct Settings {
    std::string DatabasePath;
    std::string MameFolder;
    std::string RomsFolder;
    std::array<std::string, kDataFileSlots> DataFilePaths;
    std::array<std::string, kArtSlots> ArtFolders;
    std::string HtmlFolder;
    int Language = 0;  ///< 0 English, 1 French, 2 other (English texts)
    std::string MameExe;
    std::string DefaultSkin;
    MainWindowGeometry MainWindow;
    std::array<int, 13> SheetOptions{};  ///< slots 1..12
    std::array<int, 14> WindowLeft{};    ///< slots 1..13 (15 per pixel); 0 or less: not saved
    std::array<int, 14> WindowTop{};     ///< slots 1..13
    std::array<int, 14> WindowWidth{};   ///< slots 1..13 (15 per pixel); 0 or less: not saved
    std::array<int, 14> WindowHeight{};  ///< slots 1..13
    std::array<int, 3> XmlOptions{};     ///< slots 1..2
    std::string BackupFolder;
    int SearchOption = 1;
    std::string ZipAllSource;
    std::string ZipAllDest;
    std::string ImageSource;
    std::string UpdateDatabasePath;
    std::string UpdateFileChoices;
};

/// The program's settings.
Settings& TheSettings();

/// The start-up defaults: program-folder paths, the emulator folder $HOME/mame/
/// and the emulator's own folders under it (LayOutEmulatorPaths, no
/// configuration read).
Settings DefaultSettings();

/// Reads program folder + "Arcanote.inf" into TheSettings() by the partial-load
/// rules. True when read at least up to the language line. Sets the main
/// window state to -1 first. A file that is no settings file is refused
/// (RefusedSettingsFile) and nothing of it is read.
bool LoadSettings();

/// The settings file that the last LoadSettings refused ("" when none): a
/// file holding what no settings file holds. It is kept as it is: the
/// defaults are used and SaveSettings does not write over it.
const std::string& RefusedSettingsFile();

/// Writes the lines of SettingsFileLines (temporary file renamed over the target). An empty
/// path means program folder + "Arcanote.inf". False on failure (error block logged).
bool SaveSettings(std::string_view path = {});

/// "Arcanote.inf" keeps the first 17 support-file slots in lines 4 to 20; the
/// slots of files added after them follow the window sizes (line 50), one a line.
inline constexpr int kSlotsInPlace = 17;
inline constexpr int kSettingsFileLines = kSettingsLines + kDataFileSlots - kSlotsInPlace;

/// The lines of a settings record, as SaveSettings writes them.
std::array<std::string, kSettingsFileLines> SettingsFileLines(const Settings& settings);

/// The folder for temporary files, trailing "/": $TMPDIR, else /tmp, else
/// program folder + "Temp", else the program folder. The front ends find it
/// once and pass it in the requests that need it.
std::string FindTempFolder();

/// An empty BackupFolder becomes program folder + "BACKUP/" (created when missing).
void EnsureBackupFolder();

}  // namespace arc
