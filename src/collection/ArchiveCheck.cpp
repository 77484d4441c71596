#include "collection/ArchiveCheck.h"

#include <filesystem>

#include "zip/Unzip.h"

namespace arc {

namespace fs = std::filesystem;

namespace {

/// Adds every parent folder of `name` ("a/b/c" gives "a/" and "a/b/").
void AddParents(std::string_view name, std::set<std::string>& folders) {
    for (std::size_t slash = name.find('/');
         slash != std::string_view::npos && slash + 1 < name.size();
         slash = name.find('/', slash + 1))
        folders.insert(std::string(name.substr(0, slash + 1)));
}

}  // namespace

std::optional<EntryList> ArchiveEntryList(std::string_view archive) {
    const ZipListing listing = ListZip(archive);
    if (!listing.ok()) return std::nullopt;
    EntryList list;
    for (const ZipMemberInfo& member : listing.members) {
        AddParents(member.name, list.folders);
        if (member.name.ends_with('/')) {
            list.folders.insert(member.name);
        } else if (!list.files.emplace(member.name, member.size).second) {
            return std::nullopt;  // a name twice: one of them would be lost on extraction
        }
    }
    return list;
}

std::optional<EntryList> FolderEntryList(std::string_view folder) {
    EntryList list;
    const fs::path root(folder);
    std::error_code ec;
    fs::recursive_directory_iterator it(root, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().lexically_relative(root).generic_string();
        std::error_code entryError;
        if (it->is_directory(entryError)) {
            list.folders.insert(name + "/");
            continue;
        }
        const std::uintmax_t size = it->file_size(entryError);
        if (entryError) return std::nullopt;
        list.files.emplace(name, size);
    }
    if (ec) return std::nullopt;
    return list;
}

bool ArchiveHoldsFolder(std::string_view archive, std::string_view folder) {
    const std::optional<EntryList> packed = ArchiveEntryList(archive);
    const std::optional<EntryList> source = FolderEntryList(folder);
    return packed && source && *packed == *source;
}

}  // namespace arc
