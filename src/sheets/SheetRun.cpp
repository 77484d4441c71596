#include "sheets/SheetRun.h"

#include "core/Files.h"
#include "core/TextFile.h"

namespace arc {

const std::array<std::string_view, kArtKinds>& ArtSheetFolders() {
    static const std::array<std::string_view, kArtKinds> folders = {
        "titles", "snap", "marquees", "cabinets", "cpanel", "flyers"};
    return folders;
}

std::string SkinFile(const SheetRun& run, std::string_view name) {
    if (run.skinFolder.empty()) return {};
    std::string path = FindNoCase(run.skinFolder, name);
    return FileExists(path) ? path : std::string();
}

std::string LoadListTemplate(const SheetRun& run, std::string_view htmlName,
                             std::string_view cssName, const std::string& fallback) {
    std::string text;
    const std::string path = SkinFile(run, htmlName);
    if (path.empty() || !ReadTextFile(path, text)) return fallback;
    std::string css = SkinFile(run, cssName);
    if (css.empty()) css = SkinFile(run, "arcanote.css");
    if (!css.empty()) ShellCopy(css, run.PagesFolder() + BaseName(css));
    return text;
}

}  // namespace arc
