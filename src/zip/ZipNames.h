#pragma once
// Member names of ZIP archives: decoding to UTF-8 and the checks that keep
// extraction inside its destination folder.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace arc {

/// Code page 437 bytes to UTF-8.
std::string Cp437ToUtf8(std::string_view bytes);

/// A stored name or comment as UTF-8: UTF-8 when the entry says so or when the
/// bytes are valid UTF-8, else code page 437.
std::string DecodeZipText(std::string_view bytes, bool flaggedUtf8);

/// Every "\" turned into "/": archives made on other systems use either.
std::string WithForwardSlashes(std::string_view name);

/// The relative path a member may be written to, or nullopt when the name
/// would leave the destination: absolute, a ".." component, a NUL byte, or
/// nothing left once empty and "." components are dropped.
std::optional<std::string> SafeRelativePath(std::string_view name);

}  // namespace arc
