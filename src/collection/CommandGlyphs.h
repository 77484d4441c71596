#pragma once
// The command lists as their file means them: the direction and button codes
// ("_4", "_A") drawn as arrows and button glyphs, and the C1 control U+0097
// that some files use for their separator lines drawn as the dash it stands
// for in the Windows code page.

#include <string>
#include <string_view>

namespace arc {

/// The text with every known code replaced by its glyph; an unknown code and
/// a lone "_" stay as they are.
std::string CommandTextForDisplay(std::string_view raw);

}  // namespace arc
