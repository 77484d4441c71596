#pragma once
// The user's favourites: marked and unmarked by set name, and exported as a
// folders INI file (the search's INI format) into the emulator's category
// folder, where the emulator's own interface can filter on it.

#include <string>
#include <string_view>
#include <vector>

#include "core/EmulatorConfig.h"
#include "core/Task.h"

namespace arc {

struct FavouritesChangeRequest {
    std::string databasePath;      ///< the built database: the sets that exist
    std::string userDatabasePath;  ///< "" for the one beside the database
    std::vector<std::string> add;
    std::vector<std::string> remove;
};

/// Marks and unmarks the sets. A set to add that is not a game of the
/// database is refused (named in the message; the others are still added);
/// a set is removed whether the database still has it or not. Outcome::done
/// counts the sets changed.
Outcome RunFavouritesChange(const FavouritesChangeRequest& request, TaskContext& context);

/// The favourites of the user database beside `databasePath` (or of
/// `userDatabasePath`), sorted; none when it does not exist yet.
std::vector<std::string> ReadFavourites(const std::string& databasePath,
                                        const std::string& userDatabasePath = {});

/// The sets that are not games of the database at `databasePath` (dropped by
/// a newer emulator, or mistyped); AppError when it cannot be read.
std::vector<std::string> SetsNotIn(const std::string& databasePath,
                                   const std::vector<std::string>& sets);

struct FavouritesExportRequest {
    std::string databasePath;
    std::string userDatabasePath;  ///< "" for the one beside the database
    std::string path;              ///< the INI file to write
    std::string folderName = "Favourites";
};

/// Writes every favourite into the INI file (its folder made when missing);
/// an existing file is replaced only after the user's (or the consent's) yes.
/// Outcome::done counts the sets written.
Outcome RunFavouritesExport(const FavouritesExportRequest& request, TaskContext& context);

/// "Favourites.ini" in the category folder of the emulator's options, laid
/// out under the emulator's folder (its ~/.mame/ when none is set).
std::string FavouritesIniPath(const EmulatorOptions& options, std::string_view emulatorFolder);

}  // namespace arc
