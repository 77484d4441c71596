#pragma once
// The UI text table: 301 entries in English or French, read by number.

#include <array>
#include <string>
#include <string_view>

namespace arc {

inline constexpr int kTextEntries = 301;

/// Entry n of the current table; an empty string outside 0..300.
const std::string& Text(int n);

/// Fills entries 0..267 for the current Language (1 French, anything else
/// English) and refreshes ArtLabels; logs "LANGUAGE = n" when logging is on.
void BuildTextTable();

/// Copies of entries 0..5, the captions of the six artwork kinds.
const std::array<std::string, 6>& ArtLabels();

/// The English or French text of entry n, whatever the current language.
std::string_view EnglishText(int n);
std::string_view FrenchText(int n);

/// Each "|" replaced by a line break.
std::string WithLineBreaks(std::string_view text);

}  // namespace arc
