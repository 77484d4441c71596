#pragma once
// Line shapes shared by the INI importers.

#include <string>
#include <string_view>

#include "importers/SupportFileReader.h"

namespace arc {

/// A header line's value: the text between its first and last character.
std::string HeaderValue(std::string_view header);

/// "name = value": both parts trimmed. False when the line holds no "=" or the
/// name is empty.
bool SplitKeyValue(std::string_view line, std::string_view& name, std::string_view& value);

/// True when the reader opened its file. Otherwise ends the run the way a
/// missing file does, and reports an existing file that could not be read.
bool OpenedOrFinished(const SupportFileReader& reader, std::string_view path);

}  // namespace arc
