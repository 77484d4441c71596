// Running an external program and waiting for it, stopped when its task is cancelled.

#include <fcntl.h>
#include <signal.h>
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
#include "core/ProgramOutput.h"

extern char** environ;

namespace arc {
namespace {

constexpr int kProcRunAndWait = 26;
constexpr auto kPollInterval = std::chrono::milliseconds(20);

int ExitCode(int status) {
    if (WIFSIGNALED(status)) return -1000 - WTERMSIG(status);
    return WEXITSTATUS(status);
}

int WaitBlocking(pid_t pid) {
    int status = 0;
    pid_t done = 0;
    while ((done = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
    }
    return done == pid ? ExitCode(status) : -1 - errno;
}

/// Waits for the program; once `stop` says so, kills its process group.
int Wait(pid_t pid, const StopCheck& stop) {
    if (!stop) return WaitBlocking(pid);
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid && (WIFEXITED(status) || WIFSIGNALED(status))) return ExitCode(status);
        if (done < 0 && errno != EINTR) return -1 - errno;
        if (stop()) {
            ::kill(-pid, SIGKILL);
            return WaitBlocking(pid);
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

/// Starts the program: 0 and its id, or errno.
/// Starts the program, in a process group of its own when `ownGroup`.
int Start(const std::vector<std::string>& argv, bool searchPath,
          const posix_spawn_file_actions_t* actions, pid_t& pid, bool ownGroup = false) {
    if (argv.empty() || argv.front().empty()) return ENOENT;
    std::vector<char*> pointers;
    for (const std::string& arg : argv)
        pointers.push_back(const_cast<char*>(arg.c_str()));
    pointers.push_back(nullptr);
    posix_spawnattr_t attributes;
    ::posix_spawnattr_init(&attributes);
    if (ownGroup) {
        ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        ::posix_spawnattr_setpgroup(&attributes, 0);
    }
    const int error =
        searchPath
            ? ::posix_spawnp(&pid, pointers[0], actions, &attributes, pointers.data(), environ)
            : ::posix_spawn(&pid, pointers[0], actions, &attributes, pointers.data(), environ);
    ::posix_spawnattr_destroy(&attributes);
    return error;
}

int Spawn(const std::vector<std::string>& argv, bool searchPath, const StopCheck& stop) {
    pid_t pid = 0;
    const int error = Start(argv, searchPath, nullptr, pid, static_cast<bool>(stop));
    if (error != 0) return -1 - error;
    return Wait(pid, stop);
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

int RunAndWait(std::string_view commandLine, const StopCheck& stop) {
    int result = -1 - EINVAL;
    Guarded(kProcRunAndWait, [&] {
        result = Spawn({"/bin/sh", "-c", std::string(commandLine)}, false, stop);
        // The shell says 127 (not found) or 126 (cannot run) when the program
        // itself could not be started; report that as a start failure.
        if (result == 127 || result == 126) {
            const int problem = StartProblem(FirstWord(commandLine));
            if (problem != 0) result = -1 - problem;
        }
    });
    return result;
}

int RunProgramAndWait(const std::vector<std::string>& argv, const StopCheck& stop) {
    int result = -1 - EINVAL;
    Guarded(kProcRunAndWait, [&] {
        const bool searchPath = !argv.empty() && argv.front().find('/') == std::string::npos;
        result = Spawn(argv, searchPath, stop);
    });
    return result;
}

ProgramOutput::ProgramOutput(const std::vector<std::string>& argv) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        result_ = -1 - errno;
        return;
    }
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    const bool searchPath = !argv.empty() && argv.front().find('/') == std::string::npos;
    const int error = Start(argv, searchPath, &actions, pid_);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (error != 0) {
        pid_ = -1;
        result_ = -1 - error;
        ::close(ends[0]);
        return;
    }
    stream_ = ::fdopen(ends[0], "rb");
    if (!stream_) ::close(ends[0]);
}

int ProgramOutput::Finish() {
    if (stream_) std::fclose(stream_);
    stream_ = nullptr;
    if (pid_ < 0) return result_;
    result_ = WaitBlocking(pid_);
    pid_ = -1;
    return result_;
}

ProgramOutput::~ProgramOutput() {
    if (pid_ > 0) ::kill(pid_, SIGKILL);
    Finish();
}

}  // namespace arc
