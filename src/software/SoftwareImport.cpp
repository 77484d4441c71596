#include "software/SoftwareImport.h"

#include <algorithm>
#include <filesystem>
#include <thread>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "database/Database.h"
#include "software/HashFileQueue.h"
#include "software/SoftwareWriterThread.h"

namespace arc {
namespace {

constexpr int kProcSoftwareImport = 700;

std::string ShellQuoted(std::string_view text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

/// The hash files of the folder, by name.
std::vector<std::string> HashFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(ec) && name.size() > 4 &&
            EqualsNoCase(std::string_view(name).substr(name.size() - 4), ".xml"))
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::uint64_t SizeOf(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    return ec ? 0 : size;
}

/// The emulator's -listsoftware output in a file of the temp folder ("" when
/// the emulator failed or listed nothing, logged, or was stopped by `stop`).
std::string ListSoftwareOutput(const SoftwareImportRequest& request, const StopCheck& stop) {
    if (request.emulator.empty() || !FileExists(request.emulator)) return {};
    const std::string folder = WithTrailingSlash(
        request.tempFolder.empty() ? std::filesystem::temp_directory_path().string()
                                   : request.tempFolder);
    const std::string output = folder + "listsoftware.xml";
    const int code = RunAndWait(
        ShellQuoted(request.emulator) + " -listsoftware > " + ShellQuoted(output) + " 2>/dev/null",
        stop);
    if (code == 0 && SizeOf(output) > 0) return output;
    WriteLog("software: " + request.emulator + " -listsoftware failed (exit code " +
             std::to_string(code) + ", " + std::to_string(SizeOf(output)) + " bytes)");
    DeleteFileIfExists(output);
    return {};
}

/// While it lives, a new database being built is written the quickest way:
/// the rollback journal in memory (a damaged list can still be undone) and no
/// waiting for the disk. A crash leaves a file the next build replaces. The
/// connection's own journal and disk waits come back at the end (a build's
/// connection waits for the disk at no time).
class NewFileWriting {
  public:
    explicit NewFileWriting(bool newFile) {
        if (!newFile) return;
        journal_ = QueryValue("PRAGMA journal_mode");
        synchronous_ = QueryValue("PRAGMA synchronous");
        active_ = EqualsNoCase(QueryValue("PRAGMA journal_mode=MEMORY"), "memory");
        if (active_) TryExecute("PRAGMA synchronous=OFF");
    }
    ~NewFileWriting() {
        if (!active_) return;
        TryExecute("PRAGMA journal_mode=" + journal_);
        TryExecute("PRAGMA synchronous=" + synchronous_);
    }
    NewFileWriting(const NewFileWriting&) = delete;
    NewFileWriting& operator=(const NewFileWriting&) = delete;

  private:
    std::string journal_;
    std::string synchronous_;
    bool active_ = false;
};

/// Reads the files into the writer; true on a cancel. The lists handed over
/// are saved, a cancel's too (its open list is rolled back).
bool ImportFiles(const std::vector<std::string>& files, TaskProgress& progress,
                 SoftwareImportOutcome& outcome) {
    std::uint64_t totalBytes = 0;
    for (const std::string& file : files)
        totalBytes += SizeOf(file);
    progress.SetTotal(static_cast<int>(totalBytes / 1024));
    SoftwareWriterThread writer;
    // The files are independent: several are read at once, the writer takes
    // them in order.
    const int readings = std::thread::hardware_concurrency() > 1 ? 2 : 1;
    HashFileQueue queue(files, readings);
    std::size_t next = 0;
    auto going = [&](std::uint64_t bytes) {
        progress.SetLabel(BaseName(files[std::min(next, files.size() - 1)]));
        return progress.Step(static_cast<int>(bytes / 1024));
    };
    while (const auto read = queue.Next(
               [&](SoftwareRowChunk&& chunk) { writer.Ship(std::move(chunk)); }, going)) {
        ++next;
        const HashFileResult& result = read->result;
        if (result.cancelled) break;
        if (!result.error.empty()) {
            WriteLog("software: " + read->path + " " + result.error +
                     (result.lists ? "" : "; it was not imported"));
            outcome.failedFiles.push_back(read->path);
        }
    }
    const bool cancelled = queue.Cancelled();
    if (!cancelled) progress.Step(static_cast<int>(totalBytes / 1024));
    const SoftwareWriterThread::Saved saved = writer.Sync();
    outcome.lists = saved.lists;
    outcome.items = saved.items;
    return cancelled;
}

}  // namespace

SoftwareImportOutcome RunSoftwareImport(const SoftwareImportRequest& request,
                                        TaskContext& context) {
    SoftwareImportOutcome outcome;
    if (!IsDatabaseOpen()) {
        static_cast<Outcome&>(outcome) = Outcome::Failure("no database is open");
        return outcome;
    }
    std::vector<std::string> files;
    std::string generated;
    if (!request.hashFolder.empty() && FolderExists(request.hashFolder)) {
        files = HashFiles(request.hashFolder);
    } else {
        WriteLog("software: the hash folder " +
                 (request.hashFolder.empty() ? std::string("(none)") : request.hashFolder) +
                 " does not exist; the emulator's -listsoftware output is read instead");
        generated = ListSoftwareOutput(request, [&] { return context.Cancelled(); });
        if (!generated.empty()) files.push_back(generated);
    }
    if (files.empty()) {
        WriteLog("software: no software lists to import; the software step is skipped");
        outcome.skipped = true;
        outcome.message = "no software lists found: the software step was skipped";
        return outcome;
    }

    TaskProgress& progress = context.progress();
    bool cancelled = false;
    const std::optional<std::string> failure = GuardedFailure(kProcSoftwareImport, [&] {
        const NewFileWriting quick(request.newDatabase);
        cancelled = ImportFiles(files, progress, outcome);
    });
    if (!generated.empty()) DeleteFileIfExists(generated);
    const std::string counts = std::to_string(outcome.lists) + " software lists, " +
                               std::to_string(outcome.items) + " items imported";
    if (failure) {
        static_cast<Outcome&>(outcome) = Outcome::Failure("software import: " + *failure);
    } else if (cancelled) {
        static_cast<Outcome&>(outcome) = Outcome::Cancel(counts);
    } else if (!outcome.failedFiles.empty()) {
        const int failed = static_cast<int>(outcome.failedFiles.size());
        static_cast<Outcome&>(outcome) = Outcome::Partly(
            static_cast<int>(files.size()) - failed, failed,
            counts + "; " + std::to_string(failed) + " file(s) not imported (see the log)");
    } else {
        outcome.message = counts;
    }
    return outcome;
}

}  // namespace arc
