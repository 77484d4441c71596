#pragma once
// Pictures of a game read into memory from the artwork folders: a loose
// "<set>.png", the emulator's own "<set>/0000.png", or a "<set>.png" inside
// one of the folder's ZIP archives (or inside the archive the setting names).
// Nothing is written to disk.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace arc {

class ZipMemoryReader;

/// A picture read into memory.
struct ArtImage {
    std::string bytes;   ///< "" when none was found
    std::string source;  ///< the file, or "archive.zip:member"
};

class ArtImages {
  public:
    ArtImages();
    ~ArtImages();
    ArtImages(const ArtImages&) = delete;
    ArtImages& operator=(const ArtImages&) = delete;

    /// Pictures larger than this are left out.
    static constexpr std::uint64_t kMaxImageBytes = 32u << 20;

    /// The picture of `setName` in the art folder (or archive) `location`.
    /// Archives are opened once and kept for the next look-ups.
    ArtImage Find(std::string_view location, std::string_view setName);

  private:
    /// The readable archives of a location, opened on first use.
    const std::vector<std::unique_ptr<ZipMemoryReader>>& Archives(const std::string& location);

    std::map<std::string, std::vector<std::unique_ptr<ZipMemoryReader>>, std::less<>> archives_;
};

}  // namespace arc
