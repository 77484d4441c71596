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

/// Writes the bytes to `path` after deleting an existing file there. False on failure.
bool WritePage(const std::string& path, std::string_view bytes);

}  // namespace arc
