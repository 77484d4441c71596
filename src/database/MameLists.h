#pragma once
// The emulator's two lists in the program folder: "listxml.txt" (-listxml)
// and "vermame.txt" (-help), made by a "tmp.sh" script when missing.

#include <string>

#include "core/Emulator.h"

namespace arc {

/// The two command lines of "tmp.sh" for the given emulator (only the -help
/// line when `versionOnly`).
std::string MameListsScript(const std::string& executable, bool versionOnly);

/// Makes sure "listxml.txt" and "vermame.txt" exist and are not empty, running
/// the emulator through "tmp.sh" when one is missing. False only when the
/// emulator cannot be found (told to the user).
bool RunMameLists();

}  // namespace arc
