#pragma once
// The two languages of the text table: the designed entries by position
// (unused ones are empty strings; 268 to 316 were added later), then the
// entries added since, each with its number, grouped by the range of the
// subsystem that shows it.

#include <array>
#include <string_view>
#include <vector>

#include "core/TextTable.h"

namespace arc {

inline constexpr int kDesignedTextEntries = 317;

extern const std::array<std::string_view, kDesignedTextEntries> kEnglishTexts;
extern const std::array<std::string_view, kDesignedTextEntries> kFrenchTexts;

struct AddedTextEntry {
    int number;
    std::string_view english;
    std::string_view french;
};

extern const std::vector<AddedTextEntry> kAddedTexts;

}  // namespace arc
