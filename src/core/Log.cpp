#include "core/Log.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <mutex>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/TextTable.h"
#include "core/UiService.h"

namespace arc {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

/// One writer at a time: a task on a worker thread, the threads a task runs
/// and the UI thread all log.
std::mutex& LogMutex() {
    static std::mutex mutex;
    return mutex;
}

void AppendLines(std::initializer_list<std::string_view> lines) {
    const std::lock_guard lock(LogMutex());
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(LogFilePath().c_str(), "ab"));
    if (!file) return;  // an unwritable log is skipped, never reported
    for (std::string_view line : lines) {
        std::fwrite(line.data(), 1, line.size(), file.get());
        std::fwrite("\r\n", 1, 2, file.get());
    }
}

/// The log's own state, program-wide like the log file. The procedure number
/// and the running task's error count are per thread (core/ErrorGuard).
struct LogState {
    std::atomic<bool> debug = false;
    std::atomic<int> errorBlocks = 0;  ///< since start
};

LogState& TheLog() {
    static LogState state;
    return state;
}

}  // namespace

bool DebugLogging() {
    return TheLog().debug;
}

void SetDebugLogging(bool on) {
    TheLog().debug = on;
}

int ErrorBlockCount() {
    return TheLog().errorBlocks;
}

void ResetLog() {
    TheLog().debug = false;
    TheLog().errorBlocks = 0;
}

std::string LogFilePath() {
    return InProgramFolder("Arcanote.log.txt");
}

void WriteLog(std::string_view line) {
    if (line.empty()) return;
    AppendLines({line});
}

void DebugLog(std::string_view line) {
    if (TheLog().debug) WriteLog(line);
}

std::string NowStamp() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    return buffer;
}

void WriteErrorBlock(int errorNumber, std::string_view description) {
    const std::string first = "<START DEBUGGING> " + NowStamp();
    const std::string second = "TRACKING BUG NUMBER = " + std::to_string(CurrentProcedure());
    const std::string third = std::to_string(errorNumber) + " " + std::string(description);
    AppendLines({first, second, third, "<END>", " "});
    ++TheLog().errorBlocks;
    if (CountTaskError() > 5) {
        AppendLines({kErrorLimitLine});
        Ui().OpenWithDefaultApp(LogFilePath());
        throw ErrorLimitReached(std::string(kErrorLimitLine) + "\n" + LogFilePath());
    }
}

bool ToggleDebugLogging() {
    LogState& state = TheLog();
    if (state.debug) {
        state.debug = false;
        WriteLog("<DEBUG OFF> " + NowStamp());
        return false;
    }
    state.debug = true;
    if (FileExists(LogFilePath())) {
        if (Ui().Message(WithLineBreaks(Text(kTextDeleteLogFile)), MsgButtons::YesNo,
                         MsgIcon::Question) == MsgAnswer::Yes) {
            DeleteFileIfExists(LogFilePath());
        }
    }
    WriteLog("<DEBUG ON> " + NowStamp());
    return true;
}

}  // namespace arc
