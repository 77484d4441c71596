#include "core/Emulator.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "core/Files.h"
#include "core/Settings.h"

namespace arc {
namespace {

bool IsExecutable(const std::string& path) {
    return FileExists(path) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string MameExecutable() {
    return MameExecutable(TheSettings().MameExe, TheSettings().MameFolder);
}

std::string MameExecutable(std::string_view mameExe, std::string_view mameFolder) {
    const std::string exe(mameExe);
    if (IsExecutable(exe)) return exe;
    if (!mameFolder.empty()) {
        const std::string inFolder = WithTrailingSlash(mameFolder) + "mame";
        if (IsExecutable(inFolder)) return inFolder;
    }
    std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        const std::string folder = path.substr(start, end - start);
        if (!folder.empty() && IsExecutable(WithTrailingSlash(folder) + "mame"))
            return WithTrailingSlash(folder) + "mame";
        start = end + 1;
    }
    // Debian installs the emulator outside the usual PATH; used when no
    // executable was named.
    if (exe.empty() && IsExecutable("/usr/games/mame")) return "/usr/games/mame";
    return {};
}

}  // namespace arc
