#pragma once
// Names told in a message: one a line, at most a screenful of them.

#include <string>
#include <vector>

namespace arc {

/// Each name on a line of its own after a line break, at most 20 of them,
/// then "(+N)" for the rest.
inline std::string NameList(const std::vector<std::string>& names) {
    constexpr std::size_t kShown = 20;
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < kShown; ++i)
        text += "\n" + names[i];
    if (names.size() > kShown) text += "\n(+" + std::to_string(names.size() - kShown) + ")";
    return text;
}

}  // namespace arc
