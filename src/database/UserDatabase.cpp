#include "database/UserDatabase.h"

#include <filesystem>

namespace arc {
namespace {

constexpr std::string_view kSchema = R"(
CREATE TABLE IF NOT EXISTS Favourite (
    ListName TEXT NOT NULL COLLATE NOCASE, SetName TEXT NOT NULL COLLATE NOCASE,
    PRIMARY KEY (ListName, SetName));
CREATE TABLE IF NOT EXISTS Play (
    ListName TEXT NOT NULL COLLATE NOCASE, SetName TEXT NOT NULL COLLATE NOCASE,
    StartedAt INTEGER NOT NULL, Seconds INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS IX_Play_Set ON Play (ListName, SetName);
CREATE TABLE IF NOT EXISTS Rating (
    ListName TEXT NOT NULL COLLATE NOCASE, SetName TEXT NOT NULL COLLATE NOCASE,
    Stars INTEGER NOT NULL, PRIMARY KEY (ListName, SetName));
CREATE TABLE IF NOT EXISTS EmulatorOptions (
    ListName TEXT NOT NULL COLLATE NOCASE, SetName TEXT NOT NULL COLLATE NOCASE,
    Arguments TEXT NOT NULL, PRIMARY KEY (ListName, SetName));
CREATE TABLE IF NOT EXISTS Preference (Key TEXT PRIMARY KEY, Value TEXT NOT NULL);
)";

}  // namespace

std::string UserDatabase::PathBeside(std::string_view databasePath) {
    const std::filesystem::path folder = std::filesystem::path(databasePath).parent_path();
    return (folder / "Arcanote.user.db").string();
}

UserDatabase::UserDatabase(const std::string& path) : db_(path) {
    db_.Execute("PRAGMA journal_mode=WAL");
    db_.Execute(kSchema);
}

void UserDatabase::SetFavourite(std::string_view set, bool favourite, std::string_view list) {
    Statement change(db_, favourite ? "INSERT OR IGNORE INTO Favourite VALUES (?, ?)"
                                    : "DELETE FROM Favourite WHERE ListName = ? AND SetName = ?");
    change.Bind(1, std::string(list)).Bind(2, set).Run();
}

bool UserDatabase::IsFavourite(std::string_view set, std::string_view list) const {
    Statement query(db_, "SELECT 1 FROM Favourite WHERE ListName = ? AND SetName = ?");
    query.Bind(1, std::string(list)).Bind(2, set);
    return query.Step();
}

std::vector<std::string> UserDatabase::Favourites(std::string_view list) const {
    Statement query(db_, "SELECT SetName FROM Favourite WHERE ListName = ? ORDER BY SetName");
    query.Bind(1, std::string(list));
    std::vector<std::string> sets;
    while (query.Step())
        sets.push_back(query.ColumnText(0));
    return sets;
}

void UserDatabase::RecordPlay(std::string_view set, std::int64_t startedAt, std::int64_t seconds,
                              std::string_view list) {
    Statement insert(db_, "INSERT INTO Play VALUES (?, ?, ?, ?)");
    insert.Bind(1, std::string(list))
        .Bind(2, set)
        .Bind(3, startedAt)
        .Bind(4, seconds < 0 ? 0 : seconds)
        .Run();
}

std::unordered_map<std::string, PlayStats> UserDatabase::AllPlayStats(std::string_view list) const {
    Statement query(db_,
                    "SELECT SetName, count(*), sum(Seconds), max(StartedAt) FROM Play "
                    "WHERE ListName = ? GROUP BY SetName");
    query.Bind(1, std::string(list));
    std::unordered_map<std::string, PlayStats> stats;
    while (query.Step())
        stats[query.ColumnText(0)] = {static_cast<int>(query.ColumnInt(1)), query.ColumnInt(2),
                                      query.ColumnInt(3)};
    return stats;
}

std::vector<std::string> UserDatabase::RecentlyPlayed(int limit, std::string_view list) const {
    Statement query(db_,
                    "SELECT SetName FROM Play WHERE ListName = ? GROUP BY SetName "
                    "ORDER BY max(StartedAt) DESC, SetName LIMIT ?");
    query.Bind(1, std::string(list)).Bind(2, limit);
    std::vector<std::string> sets;
    while (query.Step())
        sets.push_back(query.ColumnText(0));
    return sets;
}

void UserDatabase::SetRating(std::string_view set, int stars, std::string_view list) {
    if (stars <= 0) {
        Statement(db_, "DELETE FROM Rating WHERE ListName = ? AND SetName = ?")
            .Bind(1, std::string(list))
            .Bind(2, set)
            .Run();
        return;
    }
    Statement(db_, "INSERT OR REPLACE INTO Rating VALUES (?, ?, ?)")
        .Bind(1, std::string(list))
        .Bind(2, set)
        .Bind(3, stars > 5 ? 5 : stars)
        .Run();
}

int UserDatabase::Rating(std::string_view set, std::string_view list) const {
    Statement query(db_, "SELECT Stars FROM Rating WHERE ListName = ? AND SetName = ?");
    query.Bind(1, std::string(list)).Bind(2, set);
    return query.Step() ? static_cast<int>(query.ColumnInt(0)) : 0;
}

void UserDatabase::SetEmulatorOptions(std::string_view set, std::string_view arguments,
                                      std::string_view list) {
    if (arguments.find_first_not_of(" \t") == std::string_view::npos) {
        Statement(db_, "DELETE FROM EmulatorOptions WHERE ListName = ? AND SetName = ?")
            .Bind(1, std::string(list))
            .Bind(2, set)
            .Run();
        return;
    }
    Statement(db_, "INSERT OR REPLACE INTO EmulatorOptions VALUES (?, ?, ?)")
        .Bind(1, std::string(list))
        .Bind(2, set)
        .Bind(3, arguments)
        .Run();
}

std::string UserDatabase::EmulatorOptions(std::string_view set, std::string_view list) const {
    Statement query(db_,
                    "SELECT Arguments FROM EmulatorOptions WHERE ListName = ? AND SetName = ?");
    query.Bind(1, std::string(list)).Bind(2, set);
    return query.Step() ? query.ColumnText(0) : std::string();
}

void UserDatabase::SetPreference(std::string_view key, std::string_view value) {
    Statement(db_, "INSERT OR REPLACE INTO Preference VALUES (?, ?)")
        .Bind(1, key)
        .Bind(2, value)
        .Run();
}

std::string UserDatabase::Preference(std::string_view key) const {
    Statement query(db_, "SELECT Value FROM Preference WHERE Key = ?");
    query.Bind(1, key);
    return query.Step() ? query.ColumnText(0) : std::string();
}

}  // namespace arc
