#pragma once
// What the user has of a ROM set: the members of its ".zip" and ".7z"
// archives and the files of its folder, with their sizes and CRC-32 (and
// SHA-1 when the contents are read), and the SHA-1 of a CHD disk image.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "collection/RomSets.h"

namespace arc {

struct SetMember {
    std::string name;  ///< "/" between folders
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
    std::string sha1;      ///< lower-case hex when the contents were read, else ""
    bool damaged = false;  ///< its data does not give its size and CRC-32
};

struct SetFiles {
    bool owned = false;  ///< an archive or a folder of the set exists
    std::string error;   ///< why a file of the set could not be read ("" when all were)
    std::vector<SetMember> members;
    std::string folder;  ///< the set's folder with a trailing "/" ("" when none)
};

/// The ROM folder listed once: archives and sub-folders looked up by set name
/// without regard to case.
class RomFolder {
  public:
    explicit RomFolder(std::string_view folder);

    bool Owns(std::string_view set) const;
    /// The set's folder with a trailing "/" ("" when it has none).
    std::string FolderOf(std::string_view set) const;
    /// The set's members. ZIP members come from the central directory unless
    /// `readContents`, which also inflates them for their SHA-1; ".7z"
    /// archives and folders are always read (they hold no usable CRC list).
    /// Reading ends early, with an error, once `stop` says so.
    SetFiles Read(std::string_view set, bool readContents,
                  const std::function<bool()>& stop = {}) const;

  private:
    std::string folder_;
    RomArchiveIndex archives_;
    std::unordered_map<std::string, std::string> folders_;  // lower-case name -> name
};

/// The SHA-1 a CHD header (versions 3 to 5) records for the whole disk, or
/// nullopt with the reason in `error`.
std::optional<std::string> ChdSha1(const std::string& path, std::string& error);

}  // namespace arc
