#pragma once
// The installed emulator's own list for the benchmarks.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace arc::bench {

/// True when `mame` is on the PATH or in Debian's /usr/games.
inline bool HasEmulator() {
    return std::system("command -v mame >/dev/null 2>&1") == 0 ||
           std::filesystem::exists("/usr/games/mame");
}

/// Writes `mame -listxml` into `path`; false when there is no emulator or it failed.
inline bool WriteEmulatorList(const std::string& path) {
    if (!HasEmulator()) return false;
    const std::string command =
        "PATH=\"$PATH:/usr/games\" mame -listxml > '" + path + "' 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

}  // namespace arc::bench
