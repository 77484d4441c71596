#pragma once
// Reads a hash file (one software list), or the emulator's -listsoftware
// output (all of them), into chunks of the rows the writer inserts.

#include <cstdint>
#include <functional>
#include <string>

namespace arc {

struct SoftwareRowChunk;
using SoftwareRowSink = std::function<void(SoftwareRowChunk&&)>;

struct HashFileResult {
    int lists = 0;  ///< lists read whole and handed to the writer
    int items = 0;  ///< their items
    bool cancelled = false;
    std::string error;  ///< why the file was not read whole ("" when it was)
};

/// Streams the file through libxml2 without building a document, handing
/// the rows to `sink` in chunks as they are made. Each softwarelist element
/// is saved when it ends; one that an error or a cancel cuts short is rolled
/// back. A file that declares entities is refused before any of its elements
/// is read; its external DTD is never loaded. `onBytes` is told the bytes
/// read so far, from time to time, and returns false to cancel. Readings of
/// different files may run on several threads at once.
HashFileResult ReadHashFile(const std::string& path, const SoftwareRowSink& sink,
                            const std::function<bool(std::uint64_t)>& onBytes = {});

/// The fault of a file that declares entities.
inline constexpr const char* kHashEntitiesRefused =
    "declares entities, which no software list does: it was not imported";

}  // namespace arc
