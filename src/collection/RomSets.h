#pragma once
// ROM sets as the emulator loads them: a ".zip" or ".7z" archive, or a folder,
// named after the set.

#include <string>
#include <string_view>
#include <vector>

namespace arc {

/// The archive extensions of a ROM set, matched without regard to case.
inline constexpr std::string_view kRomArchivePatterns[] = {"*.zip", "*.7z"};

/// Names of the ROM archives of a folder: the ".zip" files, then the ".7z" ones.
std::vector<std::string> RomArchiveFiles(std::string_view folder);

/// The set name of an archive file name: the text before its last ".".
std::string ArchiveStem(std::string_view fileName);

/// The existing archives of one set in the ROM folder (its ".zip" and its
/// ".7z", names matched without regard to case); empty when it has none.
std::vector<std::string> RomSetArchives(std::string_view romsFolder, std::string_view setName);

}  // namespace arc
