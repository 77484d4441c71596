#pragma once
// The site of game sheets as one task: every input in the request, the way
// the run ended in the outcome.

#include <array>
#include <string>
#include <string_view>

#include "core/Task.h"
#include "sheets/SheetRun.h"

namespace arc {

/// The command-line option that lets a run empty a destination that is not empty.
inline constexpr std::string_view kEmptyDestinationConsent = "--empty-destination";

struct SheetsRequest {
    std::string databasePath;
    std::string htmlFolder;  ///< the destination (a trailing "/" is added)
    std::string skinName;    ///< "" for the built-in templates
    std::string skinPath;    ///< the skin's folder or ".skin.zip" archive; "" built-in
    SheetChoices choices;
    std::array<std::string, kArtKinds> artFolders;
    bool frenchPages = false;   ///< the language of the built-in game page
    std::string tempFolder;     ///< where a zipped skin is unpacked, trailing "/"
    std::string programFolder;  ///< never emptied, as the database's folder
};

struct SheetsOutcome : Outcome {
    bool databaseOpened = false;
    bool emptySelection = false;  ///< no game matched the choices
    bool told = false;            ///< the user was told why it failed (database, selection)
    int pages = 0;                ///< game pages written
    int uncleanArtArchives = 0;   ///< art archives with members that were not extracted
    std::string indexPath;        ///< the site's index page
};

/// Empties the destination when the user agrees (two questions through the
/// context; never a folder that holds the program's files), then writes the
/// whole site. Failed when the destination is not writable, the database does
/// not open, no game matches or a page cannot be written; partial when art
/// archives held members that were not extracted.
SheetsOutcome RunSheets(const SheetsRequest& request, TaskContext& context);

/// RunSheets with the progress window shown and reporting, the UI service
/// answering (the window's Make, the command line).
SheetsOutcome RunSheetsShown(const SheetsRequest& request);

/// True when emptying `folder` would touch the program folder or the
/// database's folder (the folder is one of them or holds one of them).
bool HoldsProgramFiles(const std::string& folder, const std::string& programFolder,
                       const std::string& databasePath);

/// Removes a temporary skin folder with everything in it (only a folder
/// named "~<skin>.skin" directly inside `tempFolder`).
void RemoveUnzippedSkin(const std::string& skinFolder, const std::string& tempFolder);

/// Removes the temporary files a killed run left beside the pages and pictures
/// of the site in `htmlFolder` ("name.ext" followed by "." and 8 hex digits).
/// The number removed.
int RemovePageLeftovers(const std::string& htmlFolder);

}  // namespace arc
