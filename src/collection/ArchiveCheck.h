#pragma once
// Whether an archive and the folder it was packed from hold the same things:
// every file with its size, every folder (empty ones included). A packed
// folder is trashed only once this check passes.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace arc {

/// Files (relative names with "/", and their sizes) and folders (relative
/// names ending with "/", parents of every entry included).
struct EntryList {
    std::map<std::string, std::uint64_t> files;
    std::set<std::string> folders;

    bool operator==(const EntryList&) const = default;
};

/// What the archive's central directory lists; nullopt when it cannot be read.
std::optional<EntryList> ArchiveEntryList(std::string_view archive);

/// What the folder holds; nullopt when it cannot be read whole.
std::optional<EntryList> FolderEntryList(std::string_view folder);

/// True when the archive lists exactly what the folder holds.
bool ArchiveHoldsFolder(std::string_view archive, std::string_view folder);

}  // namespace arc
