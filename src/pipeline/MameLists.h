#pragma once
// The emulator's two lists in the program folder: "listxml.txt" (-listxml)
// and "vermame.txt" (-help), made by a "tmp.sh" script when missing. The
// emulator writes them under temporary names; they take their own names only
// when the emulator succeeded, so a failed run never leaves a list to reuse.

#include <string>

#include "core/Emulator.h"

namespace arc {

/// The script "tmp.sh" for the given emulator: its two command lines (only the
/// -help line when `versionOnly`), writing the temporary files and stopping at
/// the first command that fails.
std::string MameListsScript(const std::string& executable, bool versionOnly);

/// True when the file looks like a whole emulator list: its root element
/// `<mame` near the start and its closing `</mame>` at the end.
bool IsCompleteListXml(const std::string& path);

/// The emulator a run names: its executable and its folder (the settings'
/// MameExe and MameFolder, or a command's option).
struct EmulatorNames {
    std::string exe;
    std::string folder;
};

/// Makes sure "listxml.txt" (a complete list) and "vermame.txt" (not empty)
/// exist, running the emulator through "tmp.sh" when one is missing. False,
/// told to the user, when the emulator cannot be found, ends with an error or
/// gives a list cut short; no list is kept then.
bool RunMameLists(const EmulatorNames& emulator);

}  // namespace arc
