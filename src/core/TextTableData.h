#pragma once
// The two languages of the text table. Unused entries are empty strings; the
// last ones (268 to 300) are left out of the lists and empty all the same.

#include <array>
#include <string_view>

#include "core/TextTable.h"

namespace arc {

extern const std::array<std::string_view, kTextEntries> kEnglishTexts;
extern const std::array<std::string_view, kTextEntries> kFrenchTexts;

}  // namespace arc
