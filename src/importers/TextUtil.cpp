#include "importers/TextUtil.h"

#include "core/Files.h"

namespace arc {

std::string Utf8Prefix(std::string_view text, std::size_t count) {
    std::size_t i = 0;
    for (std::size_t characters = 0; i < text.size(); ++i) {
        const bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (starts && characters++ == count) break;
    }
    return std::string(text.substr(0, i));
}

std::vector<std::string_view> SplitList(std::string_view list, char separator) {
    std::vector<std::string_view> items;
    while (!list.empty()) {
        const std::size_t at = list.find(separator);
        const std::string_view item = Trim(list.substr(0, at));
        if (!item.empty()) items.push_back(item);
        if (at == std::string_view::npos) break;
        list.remove_prefix(at + 1);
    }
    return items;
}

}  // namespace arc
