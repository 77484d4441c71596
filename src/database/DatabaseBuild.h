#pragma once
// Steps of a database build shared by the build task, the wizard and the
// command line: a fresh copy of the template, emptying, the version stamp.

#include <string>
#include <string_view>

namespace arc {

/// Puts a fresh copy of the template (program folder + "Arcanote.mdx") at
/// `databasePath`, keeping the previous file as databasePath + ".bak" (an older
/// ".bak" goes). A missing template is told with text entry 104 and gives
/// false; the caller then ends the program as designed.
bool TestArcanoteMDB(std::string_view databasePath);

/// Empties the nine tables, Data first (the database must be open).
void EmptyAllTables();

/// The emulator's version from program folder + "vermame.txt" (its first line,
/// or the second when the first is empty), trimmed; the file is deleted once
/// read. "Unknown" (text entry 111) when the file is missing or empty.
std::string ReadMameVersion();

/// Adds the Versions row: the emulator's version and the program's own.
void WriteVersionStamp(std::string_view mameVersion);

}  // namespace arc
