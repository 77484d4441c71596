#pragma once
// The program folder: where the settings, log, database, support files, skins
// and notes live beside the program.

#include <optional>
#include <string>
#include <string_view>

namespace arc {

/// The program folder with a trailing "/" (set once at start).
const std::string& ProgramFolder();

/// Sets the program folder; a trailing "/" is added when missing.
void SetProgramFolder(std::string_view folder);

/// ProgramFolder() + name.
std::string InProgramFolder(std::string_view name);

/// Finds the program folder: `home` when given (created when missing); else the
/// executable's folder when it holds the template "Arcanote.mdx" and is
/// writable; else $XDG_DATA_HOME/arcanote (default ~/.local/share/arcanote).
/// A `home` or data folder is filled with the shipped files it lacks (even
/// when it already holds a template), from the install's share folder or else
/// from the executable's folder; files it has are never replaced. Returns
/// nullopt with a message in `error` when no usable folder can be had.
std::optional<std::string> ResolveProgramFolder(const std::optional<std::string>& home,
                                                std::string_view executablePath,
                                                std::string* error);

}  // namespace arc
