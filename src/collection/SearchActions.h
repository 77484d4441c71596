#pragma once
// What the search window does with its results: a Mame32 custom-folder INI
// file, and deleting, moving or copying the games' ROM archives. Each is a
// task (RunIniExport, RunArchiveAction) and a front-end step around it that
// asks for the file or folder, runs it and tells the outcome.

#include <string>
#include <string_view>
#include <vector>

#include "collection/SearchResult.h"
#include "core/Task.h"

namespace arc {

/// The lines of a Mame32 custom-folder INI file listing the results.
std::vector<std::string> Mame32FolderIniLines(const std::vector<SearchResult>& results,
                                              std::string_view folderName);

struct IniExportRequest {
    std::vector<SearchResult> results;
    std::string folderName;  ///< the section of the games
    std::string path;        ///< the file to write
};

/// Writes the file whole or not at all; an existing file is replaced only
/// when the user (or the command's consent) says so.
Outcome RunIniExport(const IniExportRequest& request, TaskContext& context);

/// Make INI: asks for the file, runs the export and says how it went. True
/// when the file was written.
bool ExportResultsToIni(const std::vector<SearchResult>& results, std::string_view folderName);

enum class ArchiveAction { Delete, Move, Copy };

struct ArchiveActionRequest {
    ArchiveAction action = ArchiveAction::Copy;
    std::vector<SearchResult> results;
    std::string romsFolder;
    std::string destination;  ///< Move and Copy: where the archives go
    bool backup = false;      ///< Delete: copy each archive into backupFolder first
    std::string backupFolder;
};

/// Outcome::done counts the archives deleted, moved or copied.
struct ArchiveActionOutcome : Outcome {
    bool ran = false;                      ///< the user confirmed and the loop started
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

/// Acts on every archive of a result's set in the ROM folder: its ".zip" and
/// its ".7z" (both when it has both, and says so), after the user's yes.
/// Delete with `backup` first copies each archive into the backup folder and
/// trashes it only when its copy is complete; a moved archive leaves the ROM
/// folder only once its copy is complete. Archives that failed make the
/// outcome partial; so do, for Copy, archives that are not in the ROM folder.
ArchiveActionOutcome RunArchiveAction(const ArchiveActionRequest& request, TaskContext& context);

/// The window's Delete, Move and Copy: the ROM and backup folders of the
/// settings, Move and Copy ask for the destination; the outcome is told.
ArchiveActionOutcome DeleteResultArchives(const std::vector<SearchResult>& results, bool backup);
ArchiveActionOutcome MoveResultArchives(const std::vector<SearchResult>& results);
ArchiveActionOutcome CopyResultArchives(const std::vector<SearchResult>& results);

/// The backup folder chooser: a chosen folder (with a trailing "/") becomes
/// BackupFolder and is returned; "" when cancelled.
std::string ChooseBackupFolder();

}  // namespace arc
