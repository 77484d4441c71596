#pragma once
// The emulator list a benchmark runs on: the file named on its command line,
// else the installed emulator's own -listxml, written once into the work folder.

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace arc::bench {

/// `given` when not empty, else `work`/listxml.xml made by `mame -listxml`
/// (kept for the next run); "" when there is neither.
inline std::string EmulatorListXml(const std::string& given, const std::filesystem::path& work) {
    namespace fs = std::filesystem;
    if (!given.empty()) return given;
    const fs::path file = work / "listxml.xml";
    if (fs::exists(file) && fs::file_size(file) > 0) return file.string();
    if (std::system("PATH=\"$PATH:/usr/games\" command -v mame >/dev/null 2>&1") != 0) {
        std::cerr << "no emulator list: give one with --listxml FILE or install mame\n";
        return {};
    }
    fs::create_directories(work);
    std::cout << "running the emulator's -listxml into " << file.string() << '\n';
    const std::string command =
        "PATH=\"$PATH:/usr/games\" mame -listxml > '" + file.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) {
        fs::remove(file);
        std::cerr << "mame -listxml failed\n";
        return {};
    }
    return file.string();
}

}  // namespace arc::bench
