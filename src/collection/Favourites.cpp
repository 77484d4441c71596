#include "collection/Favourites.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "collection/SearchActions.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/TextTable.h"
#include "database/UserDatabase.h"

namespace arc {
namespace {

constexpr int kChangeProcedure = 690;
constexpr int kExportProcedure = 691;

std::string UserPath(const std::string& databasePath, const std::string& userDatabasePath) {
    return userDatabasePath.empty() ? UserDatabase::PathBeside(databasePath) : userDatabasePath;
}

}  // namespace

Outcome RunFavouritesChange(const FavouritesChangeRequest& request, TaskContext&) {
    int changed = 0;
    std::vector<std::string> unknown;
    const std::optional<std::string> error = GuardedFailure(kChangeProcedure, [&] {
        UserDatabase user(UserPath(request.databasePath, request.userDatabasePath));
        unknown = SetsNotIn(request.databasePath, request.add);
        for (const std::string& set : request.add) {
            if (std::find(unknown.begin(), unknown.end(), set) != unknown.end()) continue;
            user.SetFavourite(set, true);
            ++changed;
        }
        for (const std::string& set : request.remove) {
            if (!user.IsFavourite(set)) continue;
            user.SetFavourite(set, false);
            ++changed;
        }
    });
    if (error) return Outcome::Failure(*error);
    if (unknown.empty()) {
        Outcome outcome = Outcome::Success();
        outcome.done = changed;
        return outcome;
    }
    std::string names;
    for (const std::string& set : unknown)
        names += (names.empty() ? "" : ", ") + set;
    return Outcome::Partly(changed, static_cast<int>(unknown.size()),
                           TextWith(kTextNotAGameOf, {names, request.databasePath}));
}

std::vector<std::string> SetsNotIn(const std::string& databasePath,
                                   const std::vector<std::string>& sets) {
    std::vector<std::string> missing;
    if (sets.empty()) return missing;
    const ReadOnlyDatabase games(databasePath);
    Statement game(games, "SELECT 1 FROM Data WHERE InternalName = ?");
    for (const std::string& set : sets) {
        game.Bind(1, set);
        if (!game.Step()) missing.push_back(set);
        game.Reset();
    }
    return missing;
}

std::vector<std::string> ReadFavourites(const std::string& databasePath,
                                        const std::string& userDatabasePath) {
    const std::string path = UserPath(databasePath, userDatabasePath);
    if (!FileExists(path)) return {};
    return UserDatabase(path).Favourites();
}

Outcome RunFavouritesExport(const FavouritesExportRequest& request, TaskContext& context) {
    std::vector<SearchResult> sets;
    const std::optional<std::string> error = GuardedFailure(kExportProcedure, [&] {
        for (std::string& set : ReadFavourites(request.databasePath, request.userDatabasePath))
            sets.push_back({std::move(set), {}});
    });
    if (error) return Outcome::Failure(*error);
    // The category folder may not have been made by the emulator yet.
    const std::filesystem::path folder = std::filesystem::path(request.path).parent_path();
    std::error_code madeNot;
    if (!folder.empty()) std::filesystem::create_directories(folder, madeNot);
    if (madeNot)
        return Outcome::Failure(request.path + "\n" + Text(kTextFileNotWritten) + "\n" +
                                madeNot.message());
    Outcome outcome = RunIniExport({sets, request.folderName, request.path}, context);
    if (!outcome.ok()) return outcome;
    outcome.done = static_cast<int>(sets.size());
    outcome.message = TextWith(kTextFavouritesWritten, {std::to_string(sets.size()), request.path});
    return outcome;
}

std::string FavouritesIniPath(const EmulatorOptions& options, std::string_view emulatorFolder) {
    std::string base(emulatorFolder);
    if (base.empty()) {
        const char* home = std::getenv("HOME");
        base = WithTrailingSlash(home ? home : "") + ".mame/";
    }
    return WithTrailingSlash(LayOutEmulatorPaths(options, WithTrailingSlash(base)).categoryFolder) +
           "Favourites.ini";
}

}  // namespace arc
