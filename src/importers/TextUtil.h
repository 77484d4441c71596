#pragma once
// Small text helpers of the importers.

#include <string>
#include <string_view>
#include <vector>

namespace arc {

/// The first `count` characters of UTF-8 text (never cuts a character in two).
std::string Utf8Prefix(std::string_view text, std::size_t count);

/// The trimmed, non-empty items of a separated list ("a, b,c," gives a, b, c).
std::vector<std::string_view> SplitList(std::string_view list, char separator);

}  // namespace arc
