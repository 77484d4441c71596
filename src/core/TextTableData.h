#pragma once
// The two languages of the text table (empty strings for unused entries).

#include <array>
#include <string_view>

#include "core/TextTable.h"

namespace arc {

extern const std::array<std::string_view, kTextEntries> kEnglishTexts;
extern const std::array<std::string_view, kTextEntries> kFrenchTexts;

}  // namespace arc
