#include "collection/RomSets.h"

#include <algorithm>

#include "collection/FolderText.h"
#include "core/Files.h"

namespace arc {

std::vector<std::string> RomArchiveFiles(std::string_view folder) {
    std::vector<std::string> names;
    for (std::string_view pattern : kRomArchivePatterns) {
        std::vector<std::string> found = ListFolder(folder, pattern, EntryKind::Files);
        names.insert(names.end(), std::make_move_iterator(found.begin()),
                     std::make_move_iterator(found.end()));
    }
    return names;
}

std::string ArchiveStem(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    return std::string(dot == std::string_view::npos ? fileName : fileName.substr(0, dot));
}

RomArchiveIndex::RomArchiveIndex(std::string_view romsFolder)
    : folder_(WithFolderSeparator(romsFolder)) {
    if (folder_.empty()) return;
    for (std::string& name : RomArchiveFiles(folder_))
        byLowerName_[ToLowerAscii(name)].push_back(std::move(name));
}

std::vector<std::string> RomArchiveIndex::Archives(std::string_view setName) const {
    std::vector<std::string> archives;
    for (std::string_view pattern : kRomArchivePatterns) {
        const std::string wanted = std::string(setName) + std::string(pattern.substr(1));
        const auto found = byLowerName_.find(ToLowerAscii(wanted));
        if (found == byLowerName_.end()) continue;
        const std::vector<std::string>& names = found->second;
        const auto exact = std::find(names.begin(), names.end(), wanted);
        archives.push_back(folder_ + (exact != names.end() ? *exact : names.front()));
    }
    return archives;
}

}  // namespace arc
