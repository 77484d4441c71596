#pragma once
// List my ROMs: marks the games whose archive (".zip", ".7z") or folder is in the ROM folder
// as owned (Data.GotIt) and reports how many entries were scanned and how
// many games are owned.

#include <string>

namespace arc {

struct ListMyRomsSummary {
    bool finished = false;   ///< the scan ran to its end (no cancel, no error)
    bool cancelled = false;  ///< the user cancelled the chooser or the scan
    int scanned = 0;         ///< archives and sub-folders processed
    int listed = 0;          ///< games marked as owned after the scan
};

/// True when `folder` holds a visible plain file or a sub-folder.
bool RomFolderHasEntries(const std::string& folder);

/// The game name of an archive file name: the text before its last ".",
/// without surrounding spaces.
std::string GameNameOfArchive(const std::string& fileName);

/// The "List my roms" task (main-window menu and wizard step).
ListMyRomsSummary ListMyRoms();

}  // namespace arc
