#pragma once
// Which emulator the program runs.

#include <string>
#include <string_view>

namespace arc {

/// The emulator to run: MameExe, else MameFolder + "mame", else "mame" on the
/// PATH, else (no MameExe named) Debian's /usr/games/mame; "" when none exists.
std::string MameExecutable();
/// The same for the given executable and folder instead of the settings'.
std::string MameExecutable(std::string_view mameExe, std::string_view mameFolder);

}  // namespace arc
