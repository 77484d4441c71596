#include "pipeline/SupportFiles.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "database/Database.h"
#include "importers/CheatCollection.h"
#include "importers/DataUpdate.h"
#include "importers/HistoryFiles.h"
#include "importers/Importers.h"

#include "notes/Notes.h"

namespace arc {
namespace {

using F = SupportFile;

struct ImporterRow {
    SupportFile file;
    SupportImporter import;
};

/// The importer of every catalogue row, in catalogue order.
constexpr std::array<ImporterRow, kSupportFileCount> kImporters = {{
    {F::Mameinfo, ImportMameinfo},
    {F::Wizsort, ImportWizsort},
    {F::Catver, ImportCatver},
    {F::Hiscore, ImportHiscore},
    {F::Command, ImportCommand},
    {F::Cheat, ImportCheat},
    {F::Controls, ImportControls},
    {F::Genre, ImportGenre},
    {F::Catlist, ImportCategory},
    {F::Mature, ImportMature},
    {F::Version, ImportVersion},
    {F::NPlayers, ImportNPlayers},
    {F::Multiplayer, ImportMultiplayer},
    {F::Alltime, ImportYear},
    {F::Aspect, ImportAspect},
    {F::Resolution, ImportResolution},
    {F::History, ImportHistory},
}};
static_assert(
    [] {
        for (int i = 0; i < kSupportFileCount; ++i)
            if (static_cast<int>(kImporters[i].file) != i) return false;
        return true;
    }(),
    "one importer for every catalogue row, in catalogue order");

/// History is also there when a history.xml lies in the file's folder, Cheat
/// when a cheat collection (cheat.7z, cheat.zip, cheat/) is at or beside it.
bool Available(SupportFile file, const std::string& path) {
    if (FileExists(path)) return true;
    if (path.empty()) return false;
    if (file == SupportFile::History) return !HistoryXmlBeside(path).empty();
    if (file == SupportFile::Cheat) return !CheatCollectionsFor(path).empty();
    return false;
}

}  // namespace

SupportImporter ImporterOf(SupportFile file) {
    return kImporters[static_cast<std::size_t>(file)].import;
}

bool SupportFileFound(SupportFile file, const std::string& path) {
    return Available(file, path);
}

std::string SupportFilePath(SupportFile file, const SupportPaths& paths) {
    const std::string own = OwnSupportFilePath(file);
    const std::string& defined = paths.defined[SlotOf(file)];
    if (paths.useDefinedPaths) return Available(file, defined) ? defined : own;
    return Available(file, own) ? own : defined;
}

bool RunSupportImporter(SupportFile file, const SupportPaths& paths, TaskProgress& progress) {
    const std::string path = SupportFilePath(file, paths);
    if (path.empty()) return false;
    return ImporterOf(file)(path, progress, nullptr);
}

namespace {

/// The importers of a build in catalogue order into `values`, each skipped
/// when one of the files that cover it was read. `stopped` is asked before
/// each file.
template <class Stopped>
std::vector<SupportFile> ReadSupportFiles(const SupportPaths& paths, TaskProgress& progress,
                                          DataValues& values, Stopped stopped) {
    std::vector<SupportFile> ran;
    SupportFileSet read = 0;
    for (const SupportFileRow& row : kSupportFileCatalogue) {
        if (stopped()) break;
        if (row.coveredBy & read) continue;
        const std::string path = SupportFilePath(row.file, paths);
        if (Available(row.file, path)) ran.push_back(row.file);
        if (!path.empty() && ImporterOf(row.file)(path, progress, &values))
            read |= SetOf({row.file});
    }
    return ran;
}

/// The values collected, then the notes, into the open database.
void WriteSupportFiles(DataValues& values, TaskProgress& progress) {
    // A database error ends the build: the rest would only add error blocks.
    auto stopped = [&] { return progress.Cancelled() || !DatabaseFailure().empty(); };
    if (!stopped()) values.Write(false, [&] { return progress.Cancelled(); });
    // After the importers (History.dat last): the user's notes go into the new database.
    if (!stopped()) {
        TaskContext context(progress, Ui());
        RunNotesCopy({.notesFile = NotesFilePath(), .inBuild = true}, context);
    }
}

}  // namespace

std::vector<SupportFile> RunBuildImporters(const SupportPaths& paths, TaskProgress& progress) {
    // A database error ends the build: the rest would only add error blocks.
    auto stopped = [&] { return progress.Cancelled() || !DatabaseFailure().empty(); };
    DataValues values(/*readNames=*/false);
    const std::vector<SupportFile> ran = ReadSupportFiles(paths, progress, values, stopped);
    WriteSupportFiles(values, progress);
    return ran;
}

struct SupportFilesReading::Reading {
    DataValues values{/*readNames=*/false};
    TaskProgress progress;  ///< nothing shown; cancelled when the reading is abandoned
    std::vector<SupportFile> ran;
    std::exception_ptr failure;
    std::mutex mutex;
    std::condition_variable ended;
    bool finished = false;  ///< under mutex
    std::thread thread;
};

SupportFilesReading::SupportFilesReading(const SupportPaths& paths)
    : reading_(std::make_unique<Reading>()) {
    Reading& reading = *reading_;
    reading.thread = std::thread([&reading, paths] {
        try {
            reading.ran = ReadSupportFiles(paths, reading.progress, reading.values,
                                           [&] { return reading.progress.Cancelled(); });
        } catch (...) {
            reading.failure = std::current_exception();  // the error limit: thrown by Write()
        }
        const std::lock_guard lock(reading.mutex);
        reading.finished = true;
        reading.ended.notify_all();
    });
}

SupportFilesReading::~SupportFilesReading() {
    reading_->progress.Cancel();
    if (reading_->thread.joinable()) reading_->thread.join();
}

std::vector<SupportFile> SupportFilesReading::Write(TaskProgress& progress) {
    {
        // A cancel of the task while the files are still being read stops the reading.
        std::unique_lock lock(reading_->mutex);
        while (!reading_->finished) {
            if (progress.Cancelled()) reading_->progress.Cancel();
            reading_->ended.wait_for(lock, std::chrono::milliseconds(10));
        }
    }
    if (reading_->thread.joinable()) reading_->thread.join();
    if (reading_->progress.Cancelled()) return {};
    if (reading_->failure) std::rethrow_exception(reading_->failure);
    WriteSupportFiles(reading_->values, progress);
    return reading_->ran;
}

}  // namespace arc
