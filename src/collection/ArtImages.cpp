#include "collection/ArtImages.h"

#include <fstream>
#include <iterator>

#include "core/Files.h"
#include "zip/ZipMemoryReader.h"

namespace arc {
namespace {

bool IsArchivePath(std::string_view path) {
    return MatchesPattern(BaseName(path), "*.zip");
}

/// The whole file when it exists and is not larger than the bound.
bool ReadSmallFile(const std::string& path, std::string& bytes) {
    if (!FileExists(path)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size <= 0 || static_cast<std::uint64_t>(size) > ArtImages::kMaxImageBytes) return false;
    in.seekg(0);
    bytes.resize(static_cast<std::size_t>(size));
    return static_cast<bool>(in.read(bytes.data(), size));
}

}  // namespace

ArtImages::ArtImages() = default;
ArtImages::~ArtImages() = default;

const std::vector<std::unique_ptr<ZipMemoryReader>>& ArtImages::Archives(
    const std::string& location) {
    if (auto it = archives_.find(location); it != archives_.end()) return it->second;
    std::vector<std::string> paths;
    if (IsArchivePath(location) && FileExists(location)) {
        paths.push_back(location);
    } else if (FolderExists(location)) {
        for (const std::string& name : ListFolder(location, "*.zip", EntryKind::Files))
            paths.push_back(WithTrailingSlash(location) + name);
    }
    std::vector<std::unique_ptr<ZipMemoryReader>> readers;
    for (const std::string& path : paths) {
        auto reader = std::make_unique<ZipMemoryReader>();
        if (!reader->Open(path)) continue;
        readers.push_back(std::move(reader));
    }
    return archives_.emplace(location, std::move(readers)).first->second;
}

ArtImage ArtImages::Find(std::string_view location, std::string_view setName) {
    ArtImage image;
    if (location.empty() || setName.empty()) return image;
    const std::string where(location);
    const std::string fileName = std::string(setName) + ".png";
    if (!IsArchivePath(where)) {
        const std::string folder = WithTrailingSlash(where);
        for (const std::string& path :
             {FindNoCase(folder, fileName), FindNoCase(folder + std::string(setName), "0000.png")})
            if (ReadSmallFile(path, image.bytes)) {
                image.source = path;
                return image;
            }
    }
    for (const std::unique_ptr<ZipMemoryReader>& archive : Archives(where)) {
        const ZipEntry* entry = archive->FindByFileName(fileName);
        if (!entry || !archive->Read(*entry, image.bytes, kMaxImageBytes)) continue;
        image.source = archive->Path() + ":" + entry->name;
        return image;
    }
    image.bytes.clear();
    return image;
}

}  // namespace arc
