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
    bool ran = false;                      ///< the user confirmed and the loop started
    bool cancelled = false;                ///< stopped by the progress window's Cancel
    int done = 0;                          ///< archives deleted, moved or copied
    int missing = 0;                       ///< results whose archive is not in the ROM folder
    std::vector<std::string> kept;         ///< archives left in place because something failed
    std::vector<std::string> bothFormats;  ///< sets that had both a .zip and a .7z archive
};

/// The consents of the destructive questions of Delete, Move and Make INI (the
/// command line's options that answer them).
inline constexpr std::string_view kDeleteConsent = "--delete";
inline constexpr std::string_view kMoveConsent = "--move-to";
/// The consent to replace an existing INI file.
inline constexpr std::string_view kOverwriteConsent = "--overwrite";

/// The archive commands act on every archive of a result's set in the ROM
/// folder: its ".zip" and its ".7z" (both when it has both, and say so).
///
/// Delete: asks for confirmation; with `backup`, each archive is first copied
/// into BackupFolder and sent to the trash only when its copy is complete.
ArchiveActionOutcome DeleteResultArchives(const std::vector<SearchResult>& results, bool backup);

/// Move and Copy: ask for the destination folder and for confirmation. A moved
/// archive leaves the ROM folder only once its copy is complete.
ArchiveActionOutcome MoveResultArchives(const std::vector<SearchResult>& results);
ArchiveActionOutcome CopyResultArchives(const std::vector<SearchResult>& results);

/// The backup folder chooser: a chosen folder (with a trailing "/") becomes
/// BackupFolder and is returned; "" when cancelled.
std::string ChooseBackupFolder();

}  // namespace arc
