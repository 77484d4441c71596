#pragma once
// The layout version a database carries (the engine's user_version) and the
// step that brings an older Arcanote database to today's layout.

#include <string>
#include <string_view>

struct sqlite3;

namespace arc {

/// 0: unstamped, made before the stamp (names kept with their XML references,
/// devices as games, no DeviceRef). 1: names decoded, devices out, DeviceRef.
inline constexpr int kLayoutVersion = 1;

enum class LayoutState {
    Current,
    Older,        ///< an Arcanote database of an earlier layout: update migrates it
    Newer,        ///< made by a later version of the program
    NotArcanote,  ///< an engine file without the designed tables
};

/// The state of the database open on `db` (an engine error throws AppError).
LayoutState ReadLayout(sqlite3* db);

/// What the user is told about the file at `path` in that state ("" when current).
std::string LayoutProblem(std::string_view path, LayoutState state);

/// What keeps the file at `path` from being read as today's database, as
/// the user is told it ("" when nothing): missing, no Arcanote database, or
/// of another layout.
std::string DatabaseFileProblem(const std::string& path);

/// Stamps today's layout on the shared connection.
void StampLayout();

/// The table of the devices each machine uses, beside the designed tables.
inline constexpr std::string_view kCreateDeviceRefTable =
    "CREATE TABLE IF NOT EXISTS DeviceRef (Name VARCHAR(255) COLLATE NOCASE, "
    "Device VARCHAR(255) COLLATE NOCASE)";

/// Brings the older Arcanote database on the shared connection to today's
/// layout in one transaction: its list's texts decoded, its devices out of
/// Data, the DeviceRef table made (empty until the next list import), the
/// stamp. Throws AppError when the engine fails (nothing is changed then).
void MigrateLayout();

}  // namespace arc
