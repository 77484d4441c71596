#pragma once
// What the search window does with its results: a Mame32 custom-folder INI
// file, and deleting, moving or copying the games' ROM archives.

#include <string>
#include <string_view>
#include <vector>

#include "collection/SearchResult.h"

namespace arc {

/// The lines of a Mame32 custom-folder INI file listing the results.
std::vector<std::string> Mame32FolderIniLines(const std::vector<SearchResult>& results,
                                              std::string_view folderName);

/// Make INI: asks for the file (and whether to overwrite it), writes it
/// whole or not at all, and says so. True when the file was written.
bool ExportResultsToIni(const std::vector<SearchResult>& results, std::string_view folderName);

struct ArchiveActionOutcome {
    bool ran = false;               ///< the user confirmed and the loop started
    bool cancelled = false;         ///< stopped by the progress window's Cancel
    int done = 0;                   ///< archives deleted, moved or copied
    int missing = 0;                ///< results whose archive is not in the ROM folder
    std::vector<std::string> kept;  ///< archives left in place because something failed
};

/// Delete: asks for confirmation; with `backup`, each archive is first copied
/// into BackupFolder and deleted only when its copy is complete.
ArchiveActionOutcome DeleteResultArchives(const std::vector<SearchResult>& results, bool backup);

/// Move and Copy: ask for the destination folder and for confirmation. A moved
/// archive leaves the ROM folder only once its copy is complete.
ArchiveActionOutcome MoveResultArchives(const std::vector<SearchResult>& results);
ArchiveActionOutcome CopyResultArchives(const std::vector<SearchResult>& results);

/// The backup folder chooser: a chosen folder (with a trailing "/") becomes
/// BackupFolder and is returned; "" when cancelled.
std::string ChooseBackupFolder();

}  // namespace arc
