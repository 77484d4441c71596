#include "PackerArgument.h"

#include <cctype>

namespace myzip {
namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::size_t FindNoCase(std::string_view text, std::string_view needle) {
    if (needle.size() > text.size()) return std::string_view::npos;
    for (std::size_t i = 0; i + needle.size() <= text.size(); ++i) {
        bool same = true;
        for (std::size_t j = 0; same && j < needle.size(); ++j)
            same = Lower(text[i + j]) == Lower(needle[j]);
        if (same) return i;
    }
    return std::string_view::npos;
}

}  // namespace

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
    std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::optional<PackerArgument> ParsePackerArgument(std::string_view argument) {
    std::size_t comma = FindNoCase(argument, ".zip,");
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
