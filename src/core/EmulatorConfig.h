#pragma once
// The emulator's own configuration (its search paths and output folders) and
// the program's paths laid out from it: the ROM folder, the artwork folders
// and the support files, as today's emulator places them.

#include <array>
#include <chrono>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/Settings.h"

namespace arc {

/// Option name -> value as the emulator writes it (variables not expanded).
using EmulatorOptions = std::map<std::string, std::string, std::less<>>;

struct EmulatorConfigSources {
    /// Run with -showconfig; empty: not run.
    std::string executable;
    /// Searched in order for mame.ini (when the emulator gave nothing) and ui.ini.
    std::vector<std::string> iniFolders;
    /// Longest wait for -showconfig; the emulator is stopped after it.
    std::chrono::milliseconds timeout{5000};
};

/// The emulator the program runs (MameExecutable), ~/.mame/ and /etc/mame/.
EmulatorConfigSources DefaultEmulatorConfigSources();

/// The emulator's options: `executable -showconfig`, else the first mame.ini of
/// the ini folders; then the first ui.ini of those folders adds its options
/// (historypath, categorypath, titles_directory ...). A run that fails, hangs
/// or prints nothing is logged and the ini files are read instead. Never
/// waits longer than the timeout.
EmulatorOptions ReadEmulatorOptions(const EmulatorConfigSources& sources);

/// Adds the "name value" lines of an ini text ("#" comments, quoted values).
void ParseEmulatorOptions(std::string_view text, EmulatorOptions& options);

/// $NAME, ${NAME} and a leading "~" replaced from the environment (an unset
/// variable is empty), as the emulator does when it uses a path.
std::string ExpandPathVariables(std::string_view path);

struct EmulatorLayout {
    std::string romsFolder;
    std::array<std::string, kArtSlots> artFolders;
    std::array<std::string, kDataFileSlots> dataFiles;
    /// The first folder of the hash path (the software lists) that exists,
    /// with a trailing "/"; "" when none does.
    std::string hashFolder;
    /// The category path's folder, where the emulator reads folders INI files.
    std::string categoryFolder;
};

/// The paths from the options: each option's ";"-separated folders expanded
/// (relative ones under `base`, the emulator folder) and the first that exists
/// taken, found without regard to case when its exact spelling is missing;
/// an option that is absent has the emulator's own default. When none exists,
/// the option's first folder when the emulator gave the option, else the
/// emulator's lower-case folder under `base` (roms/, snap/, titles/ ...,
/// folders/ for the ini files, history/ for the dat files). The ROM folder is
/// the first of the rompath that holds sets, else the first the user can
/// write to or make, else the first that exists. Support files are looked
/// up without regard to case in their folder.
EmulatorLayout LayOutEmulatorPaths(const EmulatorOptions& options, std::string_view base);

/// The -rompath value of a launch: the ROM folder, then the entries of the
/// emulator's own rompath (variables expanded), each folder once, ";"-joined,
/// without trailing "/". "" when there is neither.
std::string LaunchRomPath(std::string_view romsFolder, const EmulatorOptions& options);

/// Reads the emulator's configuration (without running it when `runEmulator`
/// is false: its ini files only) and lays the ROM folder, the artwork folders
/// and the support files out under the settings' MameFolder.
void FollowEmulatorConfiguration(Settings& settings, bool runEmulator = true);

}  // namespace arc
