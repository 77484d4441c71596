#pragma once
// The error convention: every operation registers its fixed procedure number
// on entry; an exception inside it is caught at its boundary, written as an
// error block, and the operation returns its current result.

#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

namespace arc {

/// A run-time error with the design's error number ("53 File not found").
class AppError : public std::runtime_error {
  public:
    AppError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }

  private:
    int number_;
};

/// Thrown by the log at the sixth error block of a task: the task unwinds,
/// its cleanup runs, and its edge reports it failed with message(). Not a
/// std::exception, so handlers of ordinary errors let it through.
class ErrorLimitReached {
  public:
    explicit ErrorLimitReached(std::string message) : message_(std::move(message)) {}
    const std::string& message() const { return message_; }

  private:
    std::string message_;
};

/// The error blocks of one task, counted on its own thread: the count starts
/// again when the scope opens and the enclosing count comes back when it closes.
class TaskErrorScope {
  public:
    TaskErrorScope();
    ~TaskErrorScope();
    TaskErrorScope(const TaskErrorScope&) = delete;
    TaskErrorScope& operator=(const TaskErrorScope&) = delete;

  private:
    int previous_;
};

/// The procedure number of the operation now running on the calling thread
/// (the error block's tracking number); ProcedureScope sets it for a scope.
int CurrentProcedure();
void SetCurrentProcedure(int procedure);

/// Counts one more error block of the calling thread's task; its count.
int CountTaskError();

/// Error numbers of the original platform used in error blocks.
namespace err {
inline constexpr int kInvalidCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kSubscript = 9;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kFileNotFound = 53;
inline constexpr int kBadFileMode = 54;
inline constexpr int kFileAlreadyOpen = 55;
inline constexpr int kDeviceIo = 57;
inline constexpr int kFileExists = 58;
inline constexpr int kDiskFull = 61;
inline constexpr int kPastEndOfFile = 62;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kPathFileAccess = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kDatabase = 3000;  ///< database engine error (description from SQLite)
}  // namespace err

/// Maps a system error to the platform's error number.
int ErrorNumberFor(const std::error_code& code);

/// Registers a procedure number for the lifetime of the scope (the previous
/// number comes back when the scope ends).
class ProcedureScope {
  public:
    explicit ProcedureScope(int procedure);
    ~ProcedureScope();
    ProcedureScope(const ProcedureScope&) = delete;
    ProcedureScope& operator=(const ProcedureScope&) = delete;

  private:
    int previous_;
};

/// Inside a catch block: writes the error block of the exception in flight.
/// ErrorLimitReached is not written but thrown on.
void ReportCurrentException();

/// Inside a catch block: the description of the exception in flight (for a
/// task that tells the user what failed).
std::string CurrentExceptionText();

/// Runs body as operation `procedure`: an exception is written as an error
/// block and swallowed (except ErrorLimitReached, which ends the task). Returns false when the body
/// ended by an error.
template <class Body>
bool Guarded(int procedure, Body&& body) {
    ProcedureScope scope(procedure);
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const ErrorLimitReached&) {
        throw;
    } catch (...) {
        ReportCurrentException();
        return false;
    }
}

/// Runs body as operation `procedure` like Guarded; returns the description of
/// the error that ended it, nothing when it ran to its end.
template <class Body>
std::optional<std::string> GuardedFailure(int procedure, Body&& body) {
    ProcedureScope scope(procedure);
    try {
        std::forward<Body>(body)();
        return std::nullopt;
    } catch (const ErrorLimitReached&) {
        throw;
    } catch (...) {
        ReportCurrentException();
        return CurrentExceptionText();
    }
}

}  // namespace arc
