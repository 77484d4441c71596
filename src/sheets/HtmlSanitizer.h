#pragma once
// Text from support files and personal notes, made safe to put in a page.

#include <string>
#include <string_view>

namespace arc {

/// Keeps the markup of an allow-list and escapes every other "<" and ">":
/// "br", "b", "i", "u" and "p" without attributes, their closing tags, and
/// "a" whose only attribute is an http or https "href" (written back quoted
/// and escaped). Anything else (script, event attributes, other schemes,
/// comments, an unclosed tag) shows as text. Ampersands stay as they are: they
/// cannot open markup.
std::string SanitizeHtml(std::string_view text);

}  // namespace arc
