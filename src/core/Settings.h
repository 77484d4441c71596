#pragma once
// All lasting configuration: one flat record kept in the
// "Arcanote.inf" of the program folder.

#include <array>
#include <string>
#include <string_view>

namespace arc {

inline constexpr int kDataFileSlots = 17;
inline constexpr int kArtSlots = 6;

/// Support-file slots of DataFilePaths.
enum DataSlot : int {
    kHistoryDat = 0,
    kCatverIni = 1,
    kGenreIni = 2,
    kVersionIni = 3,
    kNPlayersIni = 4,
    kMultiplayerIni = 5,
    kAlltimeIni = 6,
    kAspectIni = 7,
    kResolutionIni = 8,
    kMatureIni = 9,
    kCatlistIni = 10,
    kCheatDat = 11,
    kCommandDat = 12,
    kHiscoreDat = 13,
    kWizsortIni = 14,
    kMameinfoDat = 15,
    kControlsIni = 16,
};

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
    std::array<int, 14> WindowLeft{};    ///< slots 1..13 (twips); 0 or less: not saved
    std::array<int, 14> WindowTop{};     ///< slots 1..13
    std::array<int, 14> WindowWidth{};   ///< slots 1..13 (twips); 0 or less: not saved
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

/// File names of the support files ("History.dat", "Genre.ini", ...), slots 0..16.
const std::array<std::string_view, kDataFileSlots>& DataFileNames();

/// Reads program folder + "Arcanote.inf" into TheSettings() by the partial-load
/// rules. True when read at least up to the language line. Sets the main
/// window state to -1 first.
bool LoadSettings();

/// Writes the lines (temporary file renamed over the target). An empty
/// path means program folder + "Arcanote.inf". False on failure (error block logged).
bool SaveSettings(std::string_view path = {});

/// The lines of a settings record, as SaveSettings writes them.
std::array<std::string, kSettingsLines> SettingsFileLines(const Settings& settings);

/// Fills State().TempFolder: $TMPDIR, else /tmp, else program folder + "Temp".
void SetTempFolder();

/// An empty BackupFolder becomes program folder + "BACKUP/" (created when missing).
void EnsureBackupFolder();

}  // namespace arc
