#include "core/Settings.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "core/AppState.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"

namespace arc {
namespace {

constexpr int kProcSetTempFolder = 8;
constexpr int kProcEnsureBackupFolder = 9;

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home) return WithTrailingSlash(home);
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return WithTrailingSlash(entry->pw_dir);
    return "/";
}

/// A folder that exists (created when missing) and that we may write into.
bool UsableFolder(const std::string& folder) {
    if (folder.empty()) return false;
    if (!FolderExists(folder)) {
        MakeFolder(folder);
        LetEventsRun();
    }
    return FolderExists(folder) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

Settings& TheSettings() {
    static Settings settings;
    return settings;
}

const std::array<std::string_view, kDataFileSlots>& DataFileRelativeNames() {
    static constexpr std::array<std::string_view, kDataFileSlots> names = {
        "History.dat",         "Catver.ini",          "Folders/Genre.ini",
        "Folders/Version.ini", "nPlayers.ini",        "Multiplayer.ini",
        "Folders/Alltime.ini", "Folders/Aspect.ini",  "Folders/Resolution.ini",
        "Folders/Mature.ini",  "Folders/Catlist.ini", "Cheat.dat",
        "Command.dat",         "Hiscore.dat",         "Wizsort.ini",
        "Mameinfo.dat",        "Controls.ini"};
    return names;
}

const std::array<std::string_view, kArtSlots>& ArtSubfolderNames() {
    static constexpr std::array<std::string_view, kArtSlots> names = {
        "Titles/", "Snap/", "Marquees/", "Cabinets/", "Cpanel/", "Flyers/"};
    return names;
}

Settings DefaultSettings() {
    // The original defaults lived under "C:\MAME\" and "C:\MAME32\"; here
    // they live under the home folder.
    const std::string home = HomeFolder();
    const std::string mame = home + "mame/";
    const std::string mame32 = home + "mame32/";
    Settings s;
    s.DatabasePath = InProgramFolder("Arcanote.mdb");
    s.MameFolder = mame;
    s.RomsFolder = mame + "ROMS/";
    s.DataFilePaths = {
        mame + "History.dat",
        mame + "Catver.ini",
        mame32 + "Folders/Genre.ini",
        mame32 + "Folders/Version.ini",
        mame + "nPlayers.ini",
        mame32 + "Multiplayer.ini",
        mame32 + "Folders/Alltime.ini",
        mame32 + "Folders/Aspect.ini",
        mame32 + "Folders/Resolution.ini",
        mame32 + "Folders/Mature.ini",
        mame32 + "Folders/Catlist.ini",
        mame + "Cheat.dat",
        mame + "Command.dat",
        mame + "Hiscore.dat",
        mame + "Wizsort.ini",
        mame + "Mameinfo.dat",
        mame + "Controls.ini",
    };
    for (int slot = 0; slot < kArtSlots; ++slot)
        s.ArtFolders[slot] = mame32 + std::string(ArtSubfolderNames()[slot]);
    s.HtmlFolder = ProgramFolder();
    s.Language = 0;
    s.MainWindow.State = -1;
    s.SearchOption = 1;
    return s;
}

void SetTempFolder() {
    Guarded(kProcSetTempFolder, [] {
        std::string folder;
        const char* tmpdir = std::getenv("TMPDIR");
        if (tmpdir && *tmpdir && UsableFolder(tmpdir)) {
            folder = tmpdir;
        } else if (UsableFolder("/tmp")) {
            folder = "/tmp";
        } else if (UsableFolder(InProgramFolder("Temp"))) {
            folder = InProgramFolder("Temp");
        } else {
            folder = ProgramFolder();
        }
        State().TempFolder = WithTrailingSlash(folder);
        DebugLog("TEMP PATH = " + State().TempFolder);
    });
}

void EnsureBackupFolder() {
    Guarded(kProcEnsureBackupFolder, [] {
        Settings& s = TheSettings();
        if (!s.BackupFolder.empty()) return;
        s.BackupFolder = InProgramFolder("BACKUP/");
        MakeFolder(s.BackupFolder);
    });
}

}  // namespace arc
