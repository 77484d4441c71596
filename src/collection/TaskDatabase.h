#pragma once
// The database a collection task was asked to work on, opened for the task.

#include <string>

#include "database/Database.h"

namespace arc {

/// Opens `path` as the shared connection for the scope without asking
/// anything: "" when it is open, else a message naming the database (missing,
/// not a database, or without the game table).
std::string OpenTaskDatabase(DatabaseScope& scope, const std::string& path);

/// The message of a database that cannot be read, naming it.
std::string UnreadableDatabase(const std::string& path, const std::string& reason);

}  // namespace arc
