#pragma once
// What the user makes, kept apart from the built database so that a build or
// an update never replaces it: favourites, play history, ratings and extra
// emulator options per game. Rows are keyed by set name, and by list and item
// for software (the list is empty for a machine of the emulator's list), so a
// set that a new emulator drops keeps its rows.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/Database.h"

namespace arc {

/// Plays of one set: how many, their total length and the last start (seconds
/// since the epoch, 0 when never played).
struct PlayStats {
    int count = 0;
    std::int64_t totalSeconds = 0;
    std::int64_t lastPlayed = 0;
};

class UserDatabase {
  public:
    /// The user database that goes with a built database: "Arcanote.user.db"
    /// in the same folder.
    static std::string PathBeside(std::string_view databasePath);

    /// Opens the file, creating it and its tables when missing; AppError when
    /// it cannot be opened or is no database.
    explicit UserDatabase(const std::string& path);

    void SetFavourite(std::string_view set, bool favourite, std::string_view list = {});
    bool IsFavourite(std::string_view set, std::string_view list = {}) const;
    /// The favourite sets of a list, sorted by name.
    std::vector<std::string> Favourites(std::string_view list = {}) const;

    /// Records one play that started at `startedAt` and lasted `seconds`.
    void RecordPlay(std::string_view set, std::int64_t startedAt, std::int64_t seconds,
                    std::string_view list = {});
    /// The plays of every set of a list that was played.
    std::unordered_map<std::string, PlayStats> AllPlayStats(std::string_view list = {}) const;
    /// The sets of a list last played first, at most `limit`.
    std::vector<std::string> RecentlyPlayed(int limit, std::string_view list = {}) const;

    /// Stars from 0 (none) to 5.
    void SetRating(std::string_view set, int stars, std::string_view list = {});
    int Rating(std::string_view set, std::string_view list = {}) const;

    /// Extra emulator arguments remembered for a game ("" when none).
    void SetEmulatorOptions(std::string_view set, std::string_view arguments,
                            std::string_view list = {});
    std::string EmulatorOptions(std::string_view set, std::string_view list = {}) const;

    /// What a window keeps of how the user set it, by key ("" when never set).
    void SetPreference(std::string_view key, std::string_view value);
    std::string Preference(std::string_view key) const;

  private:
    WritableDatabase db_;
};

}  // namespace arc
