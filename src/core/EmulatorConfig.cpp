#include "core/EmulatorConfig.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>

#include "core/Emulator.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/TextFile.h"

extern char** environ;

namespace arc {
namespace {

using Clock = std::chrono::steady_clock;

/// More than any real -showconfig; the rest of the output is not read.
constexpr std::size_t kMaxOutput = 1 << 20;

struct Captured {
    bool started = false;
    bool timedOut = false;
    int exitCode = -1;
    std::string output;
};

/// Runs `program argument` with its standard output captured, in its own
/// process group so that a timeout stops whatever it started. Events run
/// while it works.
Captured RunCaptured(const std::string& program, const char* argument,
                     std::chrono::milliseconds timeout) {
    Captured result;
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    std::string arg0 = program;
    std::string arg1 = argument;
    char* argv[] = {arg0.data(), arg1.data(), nullptr};
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, program.c_str(), &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(pipeEnds[1]);
    if (error != 0) {
        ::close(pipeEnds[0]);
        return result;
    }
    result.started = true;

    const Clock::time_point deadline = Clock::now() + timeout;
    auto remainingMs = [&] {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        return static_cast<int>(std::clamp<long long>(left.count(), 0, 50));
    };
    bool open = true;
    char buffer[8192];
    while (open && result.output.size() < kMaxOutput) {
        if (Clock::now() >= deadline) {
            result.timedOut = true;
            break;
        }
        pollfd watch{pipeEnds[0], POLLIN, 0};
        if (::poll(&watch, 1, remainingMs()) > 0) {
            const ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
            if (got > 0) {
                result.output.append(buffer, static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                open = false;
            }
        }
    }
    ::close(pipeEnds[0]);

    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            break;
        }
        if (done < 0 && errno != EINTR) break;
        if (result.timedOut || Clock::now() >= deadline) {
            result.timedOut = true;
            ::kill(-pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (result.timedOut) ::kill(-pid, SIGKILL);  // whatever the emulator left behind
    return result;
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    return home ? home : "";
}

/// The first "name" file of the folders that exists, "" when none does.
std::string FirstFile(const std::vector<std::string>& folders, std::string_view name) {
    for (const std::string& folder : folders) {
        const std::string path = WithTrailingSlash(folder) + std::string(name);
        if (FileExists(path)) return path;
    }
    return {};
}

bool ReadIniFile(const std::string& path, EmulatorOptions& options) {
    std::string text;
    if (path.empty() || !ReadTextFile(path, text)) return false;
    ParseEmulatorOptions(text, options);
    return true;
}

std::vector<std::string> SplitList(std::string_view list) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(';', start), list.size());
        const std::string_view item = Trim(list.substr(start, end - start));
        if (!item.empty()) items.emplace_back(item);
        start = end + 1;
    }
    return items;
}

/// An entry of a search path as a full path: variables expanded, a relative
/// entry under the emulator folder, no trailing "/".
std::string Resolve(std::string_view entry, std::string_view base) {
    std::string path = ExpandPathVariables(entry);
    if (path == ".") path.clear();
    if (path.rfind("./", 0) == 0) path.erase(0, 2);
    if (path.empty() || path.front() != '/') path = std::string(base) + path;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

/// The path as it exists, with its exact spelling or else without regard to case.
std::optional<std::string> Existing(const std::string& path, bool folder) {
    auto exists = [folder](const std::string& p) {
        return folder ? FolderExists(p) : FileExists(p);
    };
    if (path.empty()) return std::nullopt;
    if (exists(path)) return path;
    const std::string found =
        path.front() == '/' ? FindNoCase("/", path.substr(1)) : FindNoCase("", path);
    if (exists(found)) return found;
    return std::nullopt;
}

/// The option's value, or the emulator's own default when it is absent.
std::vector<std::string> Entries(const EmulatorOptions& options, std::string_view name,
                                 std::string_view fallback, std::string_view base) {
    const auto it = options.find(name);
    std::vector<std::string> entries;
    for (const std::string& item : SplitList(it != options.end() ? it->second : fallback))
        entries.push_back(Resolve(item, base));
    return entries;
}

/// The folder of the last resort: `lastResort` under base, as it exists.
std::string LastResortFolder(std::string_view base, std::string_view lastResort) {
    const std::string folder = std::string(base) + std::string(lastResort);
    return WithTrailingSlash(Existing(folder, true).value_or(folder));
}

/// The first folder of the option that exists. When none does, the first
/// entry of an option the emulator gave (it makes that folder when it writes
/// there), else `lastResort` under base.
std::string FirstFolder(const EmulatorOptions& options, std::string_view name,
                        std::string_view fallback, std::string_view base,
                        std::string_view lastResort) {
    const std::vector<std::string> entries = Entries(options, name, fallback, base);
    for (const std::string& entry : entries)
        if (auto found = Existing(entry, true)) return WithTrailingSlash(*found);
    if (options.contains(name) && !entries.empty()) return WithTrailingSlash(entries.front());
    return LastResortFolder(base, lastResort);
}

/// True when the folder holds a set: a ZIP or 7z archive, or a sub-folder.
bool HoldsSets(const std::string& folder) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_directory(error)) return true;
        const std::string name = it->path().filename().string();
        if (MatchesPattern(name, "*.zip") || MatchesPattern(name, "*.7z")) return true;
    }
    return false;
}

/// True when the user can write in the folder, or make it: its nearest
/// existing parent is writable.
bool CanWriteOrMake(std::string path) {
    while (!FolderExists(path)) {
        if (FileExists(path)) return false;
        const std::size_t cut = path.find_last_of('/');
        if (cut == std::string::npos) return false;
        path.resize(cut == 0 ? 1 : cut);
    }
    return ::access(path.c_str(), W_OK | X_OK) == 0;
}

/// The ROM folder: of the emulator's rompath, the first folder that holds
/// sets, else the first the user can write to or make (in the emulator's
/// order: its own list puts the user's folder first), else the first that
/// exists, else roms/ under base.
std::string RomFolderOf(const EmulatorOptions& options, std::string_view base) {
    std::vector<std::string> existing;
    const std::vector<std::string> entries = Entries(options, "rompath", "roms", base);
    for (const std::string& entry : entries)
        if (auto found = Existing(entry, true)) existing.push_back(*found);
    for (const std::string& folder : existing)
        if (HoldsSets(folder)) return WithTrailingSlash(folder);
    for (const std::string& entry : entries) {
        const std::string folder = Existing(entry, true).value_or(entry);
        if (CanWriteOrMake(folder)) return WithTrailingSlash(folder);
    }
    if (!existing.empty()) return WithTrailingSlash(existing.front());
    return LastResortFolder(base, "roms");
}

struct ArtOption {
    std::string_view name;
    std::string_view fallback;
};

// The emulator's options for the six artwork kinds and their defaults.
constexpr std::array<ArtOption, kArtSlots> kArtOptions = {{
    {"titles_directory", "titles"},
    {"snapshot_directory", "snap"},
    {"marquees_directory", "marquees"},
    {"cabinets_directory", "cabinets;cabdevs"},
    {"cpanels_directory", "cpanel"},
    {"flyers_directory", "flyers"},
}};

constexpr int kHiscoreSlot = SlotOf(SupportFile::Hiscore);
constexpr int kCheatSlot = SlotOf(SupportFile::Cheat);
constexpr std::string_view kCheatName = RowOf(SupportFile::Cheat).name;

}  // namespace

EmulatorConfigSources DefaultEmulatorConfigSources() {
    EmulatorConfigSources sources;
    sources.executable = MameExecutable();
    const std::string home = HomeFolder();
    if (!home.empty()) sources.iniFolders.push_back(WithTrailingSlash(home) + ".mame/");
    sources.iniFolders.push_back("/etc/mame/");
    return sources;
}

void ParseEmulatorOptions(std::string_view text, EmulatorOptions& options) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line = Trim(line.substr(0, line.size() - 1));
        if (line.empty() || line.front() == '#' || line.front() == '<') continue;
        const std::size_t gap = line.find_first_of(" \t");
        if (gap == std::string_view::npos) continue;
        std::string_view value = Trim(line.substr(gap));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        options[std::string(line.substr(0, gap))] = std::string(value);
    }
}

std::string ExpandPathVariables(std::string_view path) {
    std::string result;
    std::size_t i = 0;
    if (!path.empty() && path.front() == '~' && (path.size() == 1 || path[1] == '/')) {
        result = HomeFolder();
        i = 1;
    }
    auto isNameChar = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_';
    };
    while (i < path.size()) {
        if (path[i] != '$') {
            result += path[i++];
            continue;
        }
        std::string name;
        std::size_t next = i + 1;
        if (next < path.size() && path[next] == '{') {
            const std::size_t close = path.find('}', next);
            if (close == std::string_view::npos) {
                result += path[i++];
                continue;
            }
            name = path.substr(next + 1, close - next - 1);
            next = close + 1;
        } else {
            while (next < path.size() && isNameChar(path[next]))
                name += path[next++];
        }
        if (name.empty()) {
            result += path[i++];
            continue;
        }
        if (const char* value = std::getenv(name.c_str())) result += value;
        i = next;
    }
    return result;
}

EmulatorOptions ReadEmulatorOptions(const EmulatorConfigSources& sources) {
    EmulatorOptions options;
    if (!sources.executable.empty()) {
        const Captured run = RunCaptured(sources.executable, "-showconfig", sources.timeout);
        if (run.started && !run.timedOut && run.exitCode == 0)
            ParseEmulatorOptions(run.output, options);
        if (options.empty()) {
            std::string why = !run.started   ? "it could not be started"
                              : run.timedOut ? "it gave no answer in time"
                              : run.exitCode ? "it ended with code " + std::to_string(run.exitCode)
                                             : "it printed no option";
            WriteLog(sources.executable + " -showconfig: " + why +
                     "; its ini files are read instead");
        }
    }
    if (options.empty()) {
        const std::string ini = FirstFile(sources.iniFolders, "mame.ini");
        if (!ReadIniFile(ini, options))
            WriteLog("No configuration of the emulator found; its usual folders are taken");
    }
    ReadIniFile(FirstFile(sources.iniFolders, "ui.ini"), options);
    return options;
}

EmulatorLayout LayOutEmulatorPaths(const EmulatorOptions& options, std::string_view base) {
    const std::string root = WithTrailingSlash(base);
    EmulatorLayout layout;
    layout.romsFolder = RomFolderOf(options, root);
    for (const std::string& entry : Entries(options, "hashpath", "hash", root))
        if (auto found = Existing(entry, true)) {
            layout.hashFolder = WithTrailingSlash(*found);
            break;
        }
    for (int slot = 0; slot < kArtSlots; ++slot) {
        const ArtOption& art = kArtOptions[slot];
        const std::string_view lastResort = art.fallback.substr(0, art.fallback.find(';'));
        layout.artFolders[slot] = FirstFolder(options, art.name, art.fallback, root, lastResort);
    }

    const std::string datFolder =
        FirstFolder(options, "historypath", "history;dats;.", root, "history");
    const std::string iniFolder = FirstFolder(options, "categorypath", "folders", root, "folders");
    layout.categoryFolder = iniFolder;
    // The program's dat/ files lie in the history path, its ini/ files in the
    // category path; the Cheat slot follows the cheat path below.
    for (const SupportFileRow& row : kSupportFileCatalogue)
        layout.dataFiles[row.slot] =
            FindNoCase(row.folder == "dat" ? datFolder : iniFolder, row.name);

    // Without one in the dat folder, the hiscore plugin's own hiscore.dat.
    for (const std::string& plugins : Entries(options, "pluginspath", "plugins", root)) {
        if (FileExists(layout.dataFiles[kHiscoreSlot])) break;
        if (auto found = Existing(plugins + "/hiscore/hiscore.dat", false))
            layout.dataFiles[kHiscoreSlot] = *found;
    }
    // A cheat path names a folder, or the cheat.7z / cheat.zip that stands for
    // it; the Cheat slot is a file in the folder that holds it.
    layout.dataFiles[kCheatSlot] = FindNoCase(root, kCheatName);
    for (const std::string& cheat : Entries(options, "cheatpath", "cheat", root)) {
        if (Existing(cheat, true) || Existing(cheat + ".7z", false) ||
            Existing(cheat + ".zip", false)) {
            const std::string parent = cheat.substr(0, cheat.find_last_of('/') + 1);
            layout.dataFiles[kCheatSlot] = FindNoCase(parent, kCheatName);
            break;
        }
    }
    return layout;
}

std::string LaunchRomPath(std::string_view romsFolder, const EmulatorOptions& options) {
    std::vector<std::string> folders;
    auto add = [&folders](std::string folder) {
        while (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
        if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(std::move(folder));
    };
    add(std::string(Trim(romsFolder)));
    if (const auto it = options.find("rompath"); it != options.end())
        for (const std::string& entry : SplitList(it->second))
            add(ExpandPathVariables(entry));
    std::string joined;
    for (const std::string& folder : folders)
        joined += (joined.empty() ? "" : ";") + folder;
    return joined;
}

void FollowEmulatorConfiguration(Settings& settings, bool runEmulator) {
    EmulatorConfigSources sources = DefaultEmulatorConfigSources();
    if (!runEmulator) sources.executable.clear();
    const EmulatorLayout layout =
        LayOutEmulatorPaths(ReadEmulatorOptions(sources), settings.MameFolder);
    settings.RomsFolder = layout.romsFolder;
    settings.ArtFolders = layout.artFolders;
    settings.DataFilePaths = layout.dataFiles;
}

}  // namespace arc
