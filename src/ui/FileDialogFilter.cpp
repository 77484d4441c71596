#include "ui/FileDialogFilter.h"

#include <string>
#include <vector>

#include "core/Files.h"

namespace arc::ui {
namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) end = text.size();
        parts.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string CaseBlind(std::string_view pattern) {
    if (pattern == "*.*") return "*";
    std::string result;
    for (char c : pattern) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter) {
            result += c;
            continue;
        }
        const char lower = static_cast<char>(c | 0x20);
        result += '[';
        result += lower;
        result += static_cast<char>(lower & ~0x20);
        result += ']';
    }
    return result;
}

}  // namespace

NameFilters ToNameFilters(std::string_view filter, std::string_view initialName) {
    NameFilters result;
    std::vector<std::string> parts = Split(filter, '|');
    if (!parts.empty() && parts.back().empty()) parts.pop_back();
    const std::string name = BaseName(initialName);
    bool matched = false;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        const std::string description(Trim(parts[i]));
        std::vector<std::string> patterns =
            i + 1 < parts.size() ? Split(parts[i + 1], ';') : std::vector<std::string>{};
        QStringList qtPatterns;
        for (const std::string& raw : patterns) {
            const std::string pattern(Trim(raw));
            if (pattern.empty()) continue;
            qtPatterns << QString::fromStdString(CaseBlind(pattern));
            const std::string plain = pattern == "*.*" ? "*" : pattern;
            if (!matched && !name.empty() && MatchesPattern(name, plain)) {
                matched = true;
                result.selected = static_cast<int>(result.filters.size());
            }
        }
        if (qtPatterns.isEmpty()) qtPatterns << "*";
        result.filters << QString::fromStdString(description) + " (" + qtPatterns.join(' ') + ")";
    }
    return result;
}

}  // namespace arc::ui
