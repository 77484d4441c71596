#include "importers/HistoryFiles.h"

#include <fstream>

#include "core/Files.h"

namespace arc {

bool LooksLikeXml(std::string_view path) {
    std::ifstream file{std::string(path), std::ios::binary};
    char head[256] = {};
    file.read(head, sizeof head);
    std::string_view text(head, static_cast<std::size_t>(file.gcount()));
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return false;
    text.remove_prefix(first);
    return text.substr(0, 5) == "<?xml" || text.substr(0, 8) == "<history";
}

std::string HistoryXmlBeside(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string_view::npos
                                   ? std::string("./")
                                   : std::string(path.substr(0, slash + 1));
    const std::string xml = FindNoCase(folder, "history.xml");
    return FileExists(xml) ? xml : std::string();
}

}  // namespace arc
