#pragma once
// The end record and the central directory of an archive, Zip64 included.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "zip/ZipFileReader.h"

namespace arc {

/// One member of the central directory.
struct ZipEntry {
    std::string name;  ///< UTF-8, "/" between folders
    std::uint64_t compressedSize = 0;
    std::uint64_t uncompressedSize = 0;
    std::uint32_t date = 0;  ///< DOS date
    std::uint32_t time = 0;  ///< DOS time
    std::uint64_t localHeaderOffset = 0;
    std::uint32_t crc32 = 0;
    std::uint16_t method = 0;
    std::uint16_t flags = 0;

    /// A folder entry: its name ends with "/".
    bool IsFolder() const { return !name.empty() && name.back() == '/'; }
};

struct ZipEndRecord {
    std::uint64_t position = 0;  ///< 0-based offset of the end record
    std::uint32_t thisDisk = 0;
    std::uint32_t directoryDisk = 0;
    std::uint64_t totalEntries = 0;  ///< zero-size entries included
    std::uint64_t directorySize = 0;
    std::uint64_t directoryOffset = 0;
    std::uint64_t prefixBytes = 0;  ///< data before the archive proper (self-extractors)
    bool zip64 = false;
    std::string comment;

    bool Spanned() const { return thisDisk != directoryDisk; }
};

/// Offset of the last end-record signature within the last 64 KiB + 22 bytes
/// of the file that leaves room for the 22-byte record; nullopt when none.
std::optional<std::uint64_t> FindEndRecord(const ZipFileReader& file);

/// Reads the end record at `position`, the Zip64 end record when the classic
/// one points to it, and works out bytes prepended to the archive.
bool ReadEndRecord(const ZipFileReader& file, std::uint64_t position, ZipEndRecord& end);

/// Whether entries of uncompressed size 0 (folders and empty files) are read.
enum class EmptyEntries { Skip, Keep };

/// Reads the central directory into `entries`. `yield` runs between entries.
/// False when the directory is damaged (the entries read before the damage
/// are kept).
bool ReadCentralDirectory(const ZipFileReader& file, const ZipEndRecord& end,
                          std::vector<ZipEntry>& entries, const std::function<void()>& yield,
                          EmptyEntries empty = EmptyEntries::Skip);

}  // namespace arc
