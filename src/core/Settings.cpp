#include "core/Settings.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "core/EmulatorConfig.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"

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
    }
    return FolderExists(folder) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

Settings& TheSettings() {
    static Settings settings;
    return settings;
}

Settings DefaultSettings() {
    // The emulator's own folders under $HOME/mame/ (its lower-case Linux
    // layout); FollowEmulatorConfiguration reads its configuration on top.
    Settings s;
    s.DatabasePath = InProgramFolder("Arcanote.mdb");
    s.MameFolder = HomeFolder() + "mame/";
    const EmulatorLayout layout = LayOutEmulatorPaths({}, s.MameFolder);
    s.RomsFolder = layout.romsFolder;
    s.ArtFolders = layout.artFolders;
    s.DataFilePaths = layout.dataFiles;
    s.HtmlFolder = ProgramFolder();
    s.Language = 0;
    s.MainWindow.State = -1;
    s.SearchOption = 1;
    return s;
}

std::string FindTempFolder() {
    std::string folder;
    Guarded(kProcSetTempFolder, [&folder] {
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
        folder = WithTrailingSlash(folder);
        DebugLog("TEMP PATH = " + folder);
    });
    return folder;
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
