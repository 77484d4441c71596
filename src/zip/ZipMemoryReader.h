#pragma once
// Reads members of one archive into memory, without writing any file: the
// central directory is read once, members are then found by file name.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "zip/ZipDirectory.h"
#include "zip/ZipFileReader.h"
#include "zip/ZipMemberWriter.h"

namespace arc {

class ZipMemoryReader {
  public:
    /// Opens the archive and reads its directory. False when it cannot be read,
    /// is not an archive, spans several disks or its directory is damaged.
    bool Open(std::string_view path);

    /// The member whose file name (the part after its last "/") is `fileName`
    /// without regard to case; a member at the root is preferred. nullptr when none.
    const ZipEntry* FindByFileName(std::string_view fileName) const;

    /// The member's bytes, checked as an extraction checks them. False when it
    /// is larger than `maxBytes`, unreadable, damaged or compressed by another
    /// method than stored and deflate.
    bool Read(const ZipEntry& entry, std::string& bytes, std::uint64_t maxBytes);

    /// The archive given to Open.
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    ZipFileReader file_;
    std::vector<ZipEntry> entries_;
    /// Lower-cased file name -> index into entries_.
    std::unordered_map<std::string, std::size_t> byFileName_;
    ZipMemberWriter decoder_;
};

}  // namespace arc
