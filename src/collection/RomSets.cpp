#include "collection/RomSets.h"

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

std::vector<std::string> RomSetArchives(std::string_view romsFolder, std::string_view setName) {
    std::vector<std::string> archives;
    const std::string folder = WithFolderSeparator(romsFolder);
    if (folder.empty()) return archives;
    for (std::string_view pattern : kRomArchivePatterns) {
        const std::string path =
            FindNoCase(folder, std::string(setName) + std::string(pattern.substr(1)));
        if (FileExists(path)) archives.push_back(path);
    }
    return archives;
}

}  // namespace arc
