// Running an external program and waiting for it while the interface stays live.

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Progress.h"

extern char** environ;

namespace arc {
namespace {

constexpr int kProcRunAndWait = 26;
constexpr auto kPollInterval = std::chrono::milliseconds(100);

int Wait(pid_t pid) {
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            if (WIFEXITED(status)) return WEXITSTATUS(status);
            if (WIFSIGNALED(status)) return -1000 - WTERMSIG(status);
            continue;
        }
        if (done < 0 && errno != EINTR) return -1 - errno;
        LetEventsRunNow();
        std::this_thread::sleep_for(kPollInterval);
    }
}

int Spawn(const std::vector<std::string>& argv, bool searchPath) {
    if (argv.empty() || argv.front().empty()) return -1 - ENOENT;
    std::vector<char*> pointers;
    for (const std::string& arg : argv)
        pointers.push_back(const_cast<char*>(arg.c_str()));
    pointers.push_back(nullptr);
    pid_t pid = 0;
    const int error =
        searchPath ? ::posix_spawnp(&pid, pointers[0], nullptr, nullptr, pointers.data(), environ)
                   : ::posix_spawn(&pid, pointers[0], nullptr, nullptr, pointers.data(), environ);
    if (error != 0) return -1 - error;
    return Wait(pid);
}

/// The first word of a shell command line (double quotes removed).
std::string FirstWord(std::string_view commandLine) {
    std::string word;
    bool quoted = false;
    std::size_t i = 0;
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t'))
        ++i;
    for (; i < commandLine.size(); ++i) {
        const char c = commandLine[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == ' ' || c == '\t' || c == ';' || c == '|' || c == '&')) {
            break;
        } else {
            word += c;
        }
    }
    return word;
}

/// errno-style reason why the shell could not start `program`, or 0 when it can.
int StartProblem(const std::string& program) {
    static constexpr std::string_view kShellWords[] = {
        "exit",  "return", "cd",   "exec", "eval", ".", ":",    "set", "export", "if",    "for",
        "while", "until",  "case", "{",    "(",    "!", "test", "[",   "true",   "false", "echo"};
    if (program.empty()) return 0;
    for (std::string_view word : kShellWords)
        if (program == word) return 0;
    if (program.find('/') != std::string::npos) {
        struct stat info {};
        if (::stat(program.c_str(), &info) != 0) return ENOENT;
        if (S_ISDIR(info.st_mode) || ::access(program.c_str(), X_OK) != 0) return EACCES;
        return 0;
    }
    const char* path = std::getenv("PATH");
    std::string_view dirs = path ? path : "/usr/bin:/bin";
    while (true) {
        const std::size_t colon = dirs.find(':');
        const std::string_view dir = dirs.substr(0, colon);
        std::string candidate(dir.empty() ? std::string_view(".") : dir);
        candidate += '/';
        candidate += program;
        if (::access(candidate.c_str(), X_OK) == 0) return 0;
        if (colon == std::string_view::npos) break;
        dirs.remove_prefix(colon + 1);
    }
    return ENOENT;
}

}  // namespace

int RunAndWait(std::string_view commandLine) {
    int result = -1 - EINVAL;
    Guarded(kProcRunAndWait, [&] {
        result = Spawn({"/bin/sh", "-c", std::string(commandLine)}, false);
        // The shell says 127 (not found) or 126 (cannot run) when the program
        // itself could not be started; report that as a start failure.
        if (result == 127 || result == 126) {
            const int problem = StartProblem(FirstWord(commandLine));
            if (problem != 0) result = -1 - problem;
        }
    });
    return result;
}

int RunProgramAndWait(const std::vector<std::string>& argv) {
    int result = -1 - EINVAL;
    Guarded(kProcRunAndWait, [&] {
        const bool searchPath = !argv.empty() && argv.front().find('/') == std::string::npos;
        result = Spawn(argv, searchPath);
    });
    return result;
}

}  // namespace arc
