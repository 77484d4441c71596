#pragma once
// ROM sets as the emulator loads them: a ".zip" or ".7z" archive, or a folder,
// named after the set.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace arc {

/// The archive extensions of a ROM set, matched without regard to case.
inline constexpr std::string_view kRomArchivePatterns[] = {"*.zip", "*.7z"};

/// Names of the ROM archives of a folder: the ".zip" files, then the ".7z" ones.
std::vector<std::string> RomArchiveFiles(std::string_view folder);

/// The set name of an archive file name: the text before its last ".".
std::string ArchiveStem(std::string_view fileName);

/// The ROM archives of a folder, read once, looked up by set name without
/// regard to case: an action over many results costs one folder listing.
class RomArchiveIndex {
  public:
    explicit RomArchiveIndex(std::string_view romsFolder);

    /// The paths of the set's ".zip" and ".7z" archives that exist (a name in
    /// its exact case first); empty when it has none.
    std::vector<std::string> Archives(std::string_view setName) const;

  private:
    std::string folder_;
    std::unordered_map<std::string, std::vector<std::string>> byLowerName_;
};

}  // namespace arc
