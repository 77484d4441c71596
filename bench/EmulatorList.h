#pragma once
// The emulator list a benchmark runs on: the file named on its command line,
// else the installed emulator's own -listxml.

#include <cstdlib>
#include <filesystem>
#include <iostream>
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

/// `given` when not empty, else `work`/listxml.xml made by `mame -listxml`
/// (kept for the next run); "" when there is neither.
inline std::string EmulatorListXml(const std::string& given, const std::filesystem::path& work) {
    namespace fs = std::filesystem;
    if (!given.empty()) return given;
    const fs::path file = work / "listxml.xml";
    if (fs::exists(file) && fs::file_size(file) > 0) return file.string();
    fs::create_directories(work);
    std::cout << "running the emulator's -listxml into " << file.string() << '\n';
    if (!WriteEmulatorList(file.string())) {
        fs::remove(file);
        std::cerr << "no emulator list: give one as an argument or install mame\n";
        return {};
    }
    return file.string();
}

}  // namespace arc::bench
