#include "collection/FolderText.h"

namespace arc {

std::string WithFolderSeparator(std::string_view folder) {
    std::string out(folder);
    if (!out.empty() && out.back() != '/' && out.back() != '\\') out += '/';
    return out;
}

}  // namespace arc
