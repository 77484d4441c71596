#pragma once
// The seventeen support-file importers. Each updates the open database by set
// name and returns true when its file existed and the run was not cancelled.
// They follow the long-task protocol (byte progress, events, cancel) but leave
// the progress window and the menus to their caller.

#include <string_view>

namespace arc {

// History.dat, or history.xml beside it / in its place.
bool ImportHistory(std::string_view path);
/// history.xml: the same rows and links as History.dat.
bool ImportHistoryXml(std::string_view path);

// Section lists: one header per value, one set name per line.
bool ImportResolution(std::string_view path);   ///< Resolution.ini -> Resolution
bool ImportAspect(std::string_view path);       ///< Aspect.ini -> Aspect
bool ImportYear(std::string_view path);         ///< Alltime.ini -> Year
bool ImportMultiplayer(std::string_view path);  ///< Multiplayer.ini -> nPlayers
bool ImportVersion(std::string_view path);      ///< Version.ini -> VerAdded
bool ImportCategory(std::string_view path);     ///< Catlist.ini -> Category
bool ImportGenre(std::string_view path);        ///< Genre.ini -> Genre
bool ImportControls(std::string_view path);     ///< Controls.ini -> Controls
// Key list and name list.
bool ImportNPlayers(std::string_view path);  ///< nPlayers.ini "set=value" -> nPlayers
bool ImportMature(std::string_view path);    ///< Mature.ini names -> Mature
// Several key lists.
bool ImportCatver(std::string_view path);   ///< [Category] and [VerAdded]
bool ImportWizsort(std::string_view path);  ///< Wizsort.ini sections

// Flag and text DAT files.
bool ImportCheat(std::string_view path);
bool ImportHiscore(std::string_view path);
bool ImportCommand(std::string_view path);
bool ImportMameinfo(std::string_view path);

}  // namespace arc
