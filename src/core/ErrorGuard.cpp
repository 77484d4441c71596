#include "core/ErrorGuard.h"

#include <filesystem>
#include <new>

#include "core/Log.h"

namespace arc {

int ErrorNumberFor(const std::error_code& code) {
    if (code == std::errc::no_such_file_or_directory) return err::kFileNotFound;
    if (code == std::errc::not_a_directory) return err::kPathNotFound;
    if (code == std::errc::permission_denied || code == std::errc::operation_not_permitted ||
        code == std::errc::read_only_file_system)
        return err::kPermissionDenied;
    if (code == std::errc::file_exists) return err::kFileExists;
    if (code == std::errc::no_space_on_device) return err::kDiskFull;
    if (code == std::errc::io_error) return err::kDeviceIo;
    if (code == std::errc::not_enough_memory) return err::kOutOfMemory;
    if (code == std::errc::is_a_directory) return err::kPathFileAccess;
    return err::kPathFileAccess;
}

namespace {

// Per thread: a task on a worker thread counts its own errors and names its
// own procedures while the UI thread goes on.
thread_local int t_procedure = 0;
thread_local int t_taskErrors = 0;

}  // namespace

int CurrentProcedure() {
    return t_procedure;
}

void SetCurrentProcedure(int procedure) {
    t_procedure = procedure;
}

int CountTaskError() {
    return ++t_taskErrors;
}

ProcedureScope::ProcedureScope(int procedure) : previous_(t_procedure) {
    t_procedure = procedure;
}

ProcedureScope::~ProcedureScope() {
    t_procedure = previous_;
}

TaskErrorScope::TaskErrorScope() : previous_(t_taskErrors) {
    t_taskErrors = 0;
}

TaskErrorScope::~TaskErrorScope() {
    t_taskErrors = previous_;
}

void ReportCurrentException() {
    try {
        throw;
    } catch (const ErrorLimitReached&) {
        throw;
    } catch (const AppError& e) {
        WriteErrorBlock(e.number(), e.what());
    } catch (const std::filesystem::filesystem_error& e) {
        WriteErrorBlock(ErrorNumberFor(e.code()), e.what());
    } catch (const std::system_error& e) {
        WriteErrorBlock(ErrorNumberFor(e.code()), e.what());
    } catch (const std::bad_alloc&) {
        WriteErrorBlock(err::kOutOfMemory, "Out of memory");
    } catch (const std::out_of_range& e) {
        WriteErrorBlock(err::kSubscript, std::string("Subscript out of range: ") + e.what());
    } catch (const std::invalid_argument& e) {
        WriteErrorBlock(err::kTypeMismatch, std::string("Type mismatch: ") + e.what());
    } catch (const std::exception& e) {
        WriteErrorBlock(err::kInvalidCall, e.what());
    } catch (...) {
        WriteErrorBlock(err::kInvalidCall, "Unknown error");
    }
}

std::string CurrentExceptionText() {
    try {
        throw;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown error";
    }
}

}  // namespace arc
