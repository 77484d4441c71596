#pragma once
// Which emulator the program runs.

#include <string>

namespace arc {

/// The emulator to run: MameExe, else MameFolder + "mame", else "mame" on the
/// PATH, else (no MameExe named) Debian's /usr/games/mame; "" when none exists.
std::string MameExecutable();

}  // namespace arc
