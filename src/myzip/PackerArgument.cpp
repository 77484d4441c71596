#include "PackerArgument.h"

#include "core/Files.h"

namespace myzip {

std::optional<PackerArgument> ParsePackerArgument(std::string_view argument) {
    std::size_t comma = arc::ToLowerAscii(argument).find(".zip,");
    if (comma != std::string_view::npos) {
        comma += 4;
    } else {
        comma = argument.rfind(',');
        if (comma == std::string_view::npos) return std::nullopt;
    }
    PackerArgument result;
    result.archive = std::string(argument.substr(0, comma));
    std::string mask(argument.substr(comma + 1));
    for (char& c : mask)
        if (c == '\\') c = '/';
    if (result.archive.empty() || mask.empty()) return std::nullopt;

    const std::size_t slash = mask.rfind('/');
    std::string last = slash == std::string::npos ? mask : mask.substr(slash + 1);
    if (last.find_first_of("*?") != std::string::npos) {
        result.folder = slash == std::string::npos ? "." : mask.substr(0, slash);
        result.pattern = last == "*.*" ? "*" : last;
    } else {
        while (mask.size() > 1 && mask.back() == '/')
            mask.pop_back();
        result.folder = mask;
        result.pattern = "*";
    }
    if (result.folder.empty()) result.folder = "/";
    return result;
}

}  // namespace myzip
