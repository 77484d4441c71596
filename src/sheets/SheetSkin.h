#pragma once
// Skins: folders "<name>.skin" and archives "<name>.skin.zip" in the
// program's html/ folder.

#include <string>
#include <string_view>
#include <vector>

namespace arc {

struct SkinEntry {
    std::string name;  ///< shown in the skin list
    std::string path;  ///< the folder or the archive
};

/// The skin folders, then the skin archives, of `folder`.
std::vector<SkinEntry> ListSkins(const std::string& folder);

/// True when the skin path names an archive (ends with "zip", any case).
bool IsSkinArchive(std::string_view path);

struct SkinFolder {
    std::string folder;  ///< trailing "/"
    bool fromArchive = false;
};

/// The folder the run reads the skin from: the skin folder itself, or for an
/// archive its extraction into tempFolder + "~" + name + ".skin/".
SkinFolder ResolveSkin(const std::string& name, const std::string& path,
                       const std::string& tempFolder);

}  // namespace arc
