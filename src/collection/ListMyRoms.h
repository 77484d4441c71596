#pragma once
// List my ROMs: makes the owned marks of the database (Data.GotIt) match the
// ROM folder: a game whose archive (".zip", ".7z") or folder is there is
// owned, and only those are.

#include <string>

#include "core/Task.h"

namespace arc {

struct ListMyRomsRequest {
    std::string databasePath;
    std::string romsFolder;
};

struct ListMyRomsOutcome : Outcome {
    int scanned = 0;          ///< archives and sub-folders processed
    int owned = 0;            ///< games owned after the scan
    int added = 0;            ///< games marked that were not owned before
    int noLongerFound = 0;    ///< games owned before whose set is no longer there
    bool noRomFound = false;  ///< the folder held nothing to scan
    int ownedSoftware = -1;   ///< software items owned after the scan (-1: no software lists)
};

/// True when `folder` holds a visible plain file or a sub-folder.
bool RomFolderHasEntries(const std::string& folder);

/// The game name of an archive file name: the text before its last ".",
/// without surrounding spaces.
std::string GameNameOfArchive(const std::string& fileName);

/// Marks the sets found in the folder and, when the scan ran to its end,
/// clears the marks of the sets that are no longer there; then, when the
/// database holds software lists, marks the items of <folder>/<list>/. A cancel keeps the
/// marks made so far and clears none.
ListMyRomsOutcome RunListMyRoms(const ListMyRomsRequest& request, TaskContext& context);

/// The summary shown at the end: entries scanned, games owned, added and no
/// longer found.
std::string ListMyRomsSummary(const ListMyRomsOutcome& outcome);

/// The menu command and the wizard step: the database and ROM folder of the
/// settings, the progress window, the summary or the failure told. A wizard
/// step asks for no database and does not tell a listing that completed.
ListMyRomsOutcome ListMyRoms(bool wizardStep = false);

}  // namespace arc
