#pragma once
// Text operations of the page builders: marker replacement, line breaks,
// image paths.

#include <string>
#include <string_view>

namespace arc {

/// Replaces every occurrence of `marker` (case-sensitive) by `value`.
void ReplaceAll(std::string& text, std::string_view marker, std::string_view value);

/// Each CR LF becomes "<br>" + CR LF (the long texts of the game page).
std::string WithHtmlBreaks(std::string_view text);

/// Every "\" becomes "/".
std::string ToSlashPath(std::string_view path);

/// "file:///" followed by the slashed path (an absolute Unix path keeps a
/// single leading slash after the scheme's three).
std::string ToFileUrl(std::string_view path);

/// Writes a page whole through a temporary file renamed over `path` (a page
/// in the way is replaced, never written through). Throws AppError when the
/// page cannot be written; nothing is then left under its name.
void WritePage(const std::string& path, std::string_view bytes);

}  // namespace arc
