#pragma once
// The seventeen support-file importers. Each updates the open database by set
// name and returns true when its file existed and the run was not cancelled.
// They report the bytes read to `progress` and stop once it was cancelled; the
// progress window and the menus are their caller's. With `values` (a build),
// the Data fields they set are collected there and written by its Write();
// without (the update), each value is written at once, and the history
// importers drop the rows no set uses any more.

#include <string_view>

namespace arc {

class DataValues;
class TaskProgress;

using Importer = bool (*)(std::string_view path, TaskProgress& progress, DataValues* values);

// History.dat, or history.xml beside it / in its place.
bool ImportHistory(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);
/// history.xml: the same rows and links as History.dat.
bool ImportHistoryXml(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);

// Section lists: one header per value, one set name per line.
/// Resolution.ini -> Resolution
bool ImportResolution(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);
/// Aspect.ini -> Aspect
bool ImportAspect(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);
/// Alltime.ini -> Year
bool ImportYear(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);
/// Multiplayer.ini -> nPlayers
bool ImportMultiplayer(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);
/// Version.ini -> VerAdded
bool ImportVersion(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);
/// Catlist.ini -> Category
bool ImportCategory(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);
/// Genre.ini -> Genre
bool ImportGenre(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);
/// Controls.ini -> Controls
bool ImportControls(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);
// Key list and name list.
/// nPlayers.ini "set=value" -> nPlayers
bool ImportNPlayers(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);
/// Mature.ini names -> Mature
bool ImportMature(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);
// Several key lists.
/// Catver.ini: [Category] and [VerAdded]
bool ImportCatver(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);
/// Wizsort.ini sections
bool ImportWizsort(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);

// Flag and text DAT files.
bool ImportCheat(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);
bool ImportHiscore(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);
bool ImportCommand(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);
bool ImportMameinfo(std::string_view path, TaskProgress& progress, DataValues* values = nullptr);

}  // namespace arc
