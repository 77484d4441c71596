#include "sheets/SheetSkin.h"

#include "core/Files.h"

namespace arc {

std::vector<SkinEntry> ListSkins(const std::string& folder) {
    std::vector<SkinEntry> skins;
    const std::string base = WithTrailingSlash(folder);
    for (const std::string& name : ListFolder(base, "*.skin", EntryKind::Folders)) {
        skins.push_back({name.substr(0, name.rfind('.')), base + name});
    }
    constexpr std::string_view kArchiveEnd = ".skin.zip";
    for (const std::string& name : ListFolder(base, "*.skin.zip", EntryKind::Files)) {
        const std::size_t end = ToLowerAscii(name).find(kArchiveEnd);
        skins.push_back({name.substr(0, end), base + name});
    }
    return skins;
}

bool IsSkinArchive(std::string_view path) {
    return path.size() >= 3 && ToLowerAscii(path.substr(path.size() - 3)) == "zip";
}

}  // namespace arc
