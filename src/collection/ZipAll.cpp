#include "collection/ZipAll.h"

#include <unistd.h>

#include <filesystem>
#include <functional>

#include "collection/ArchiveCheck.h"
#include "collection/FolderText.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/TextTable.h"
#include "zip/Unzip.h"

namespace arc {

namespace fs = std::filesystem;

namespace {

std::string ExecutableFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.parent_path().string() + "/";
}

constexpr int kProcZipAll = 661;
constexpr int kProcUnzipAll = 662;

struct Folders {
    std::string source;
    std::string dest;
};

/// The request's folders with their separator; a failure when one is missing.
std::optional<Folders> CheckedFolders(const ZipAllRequest& request, ZipAllOutcome& outcome) {
    Folders folders{WithFolderSeparator(request.sourceFolder),
                    WithFolderSeparator(request.destFolder)};
    if (folders.source.empty() || !FolderExists(folders.source)) {
        static_cast<Outcome&>(outcome) =
            Outcome::Failure(Text(kTextNoSuchFolder) + request.sourceFolder);
        return std::nullopt;
    }
    if (folders.dest.empty()) {
        static_cast<Outcome&>(outcome) = Outcome::Failure(Text(kTextDestinationPath));
        return std::nullopt;
    }
    return folders;
}

/// Trashes the sound sources (a source that cannot be trashed counts as
/// failed), then sets how the run ended.
void Finish(const std::vector<std::string>& sources, const std::vector<bool>& sound,
            const ZipAllRequest& request, TaskContext& context, ZipAllOutcome& outcome) {
    TaskProgress& task = context.progress();
    if (!task.Cancelled() && request.deleteSources) {
        task.SetLabel(Text(kTextZipAllDeleting));
        task.SetTotal(static_cast<int>(sources.size()));
        for (std::size_t i = 0; i < sources.size(); ++i) {
            if (!task.Step(static_cast<int>(i) + 1)) break;
            if (!sound[i]) continue;
            task.SetLabel(sources[i]);
            if (RecycleFile(sources[i])) {
                ++outcome.trashed;
            } else {
                outcome.unsound.push_back(sources[i]);
            }
        }
    }
    const int failed = static_cast<int>(outcome.unsound.size());
    if (task.Cancelled()) {
        static_cast<Outcome&>(outcome) = Outcome::Cancel();
    } else if (failed > 0) {
        std::string text = Text(request.deleteSources ? kTextSourcesKept : kTextOperationFailedFor);
        for (const std::string& source : outcome.unsound)
            text += "\n" + source;
        static_cast<Outcome&>(outcome) = Outcome::Partly(outcome.handled, failed, text);
    }
}

/// Runs `work` on each source (true when its result is sound), then trashes
/// the sound ones when asked and sets how the run ended.
void ForEachSource(int procedure, int caption, const std::vector<std::string>& names,
                   const Folders& folders, const ZipAllRequest& request, TaskContext& context,
                   ZipAllOutcome& outcome,
                   const std::function<bool(const std::string&, const std::string&)>& work) {
    std::vector<std::string> sources;
    std::vector<bool> sound;
    const bool ended = Guarded(procedure, [&] {
        TaskProgress& task = context.progress();
        task.SetLabel(Text(caption));
        task.SetTotal(static_cast<int>(names.size()));
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (!task.Step(static_cast<int>(i) + 1)) break;
            task.SetLabel(names[i]);
            sources.push_back(folders.source + names[i]);
            sound.push_back(work(names[i], sources.back()));
            if (sound.back()) {
                ++outcome.handled;
            } else {
                outcome.unsound.push_back(sources.back());
            }
        }
    });
    if (!ended) {
        static_cast<Outcome&>(outcome) =
            Outcome::Failure(Text(kTextOperationFailedFor) + " " + folders.source);
        return;
    }
    Finish(sources, sound, request, context, outcome);
}

}  // namespace

std::string PackerArgument(std::string_view destFolder, std::string_view sourceFolder,
                           std::string_view name) {
    return std::string(destFolder) + std::string(name) + ".zip," + std::string(sourceFolder) +
           std::string(name) + "/*.*";
}

static ZipAllOutcome RunZipAllUncounted(const ZipAllRequest& request, TaskContext& context);

std::vector<std::string> DefaultPackerFolders() {
    return {ProgramFolder(), ExecutableFolder()};
}

std::string FindPacker(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        const std::string path = WithTrailingSlash(folder) + "myzip";
        if (FileExists(path) && ::access(path.c_str(), X_OK) == 0) return path;
    }
    return {};
}

ZipAllOutcome RunZipAll(const ZipAllRequest& request, TaskContext& context) {
    return RunCountingErrors<ZipAllOutcome>([&] { return RunZipAllUncounted(request, context); });
}

static ZipAllOutcome RunZipAllUncounted(const ZipAllRequest& request, TaskContext& context) {
    ZipAllOutcome outcome;
    const std::optional<Folders> folders = CheckedFolders(request, outcome);
    if (!folders) return outcome;
    if (request.packer.empty() || !FileExists(request.packer)) {
        static_cast<Outcome&>(outcome) = Outcome::Failure(Text(kTextPackerMissing));
        return outcome;
    }
    const std::vector<std::string> names = ListFolder(folders->source, "*", EntryKind::Folders);
    ForEachSource(kProcZipAll, kTextZipping, names, *folders, request, context, outcome,
                  [&](const std::string& name, const std::string& source) {
                      const int code = RunProgramAndWait(
                          {request.packer, PackerArgument(folders->dest, folders->source, name)});
                      if (code == 0 && ArchiveHoldsFolder(folders->dest + name + ".zip", source))
                          return true;
                      WriteLog("Zip all: " + source + " not packed whole (packer exit code " +
                               std::to_string(code) + ")");
                      return false;
                  });
    return outcome;
}

static ZipAllOutcome RunUnzipAllUncounted(const ZipAllRequest& request, TaskContext& context);

ZipAllOutcome RunUnzipAll(const ZipAllRequest& request, TaskContext& context) {
    return RunCountingErrors<ZipAllOutcome>([&] { return RunUnzipAllUncounted(request, context); });
}

static ZipAllOutcome RunUnzipAllUncounted(const ZipAllRequest& request, TaskContext& context) {
    ZipAllOutcome outcome;
    const std::optional<Folders> folders = CheckedFolders(request, outcome);
    if (!folders) return outcome;
    // The archives as they are named ("GAME1.ZIP" as well as "game1.zip").
    const std::vector<std::string> archives =
        ListFolder(folders->source, "*.zip", EntryKind::Files);
    ForEachSource(
        kProcUnzipAll, kTextZipAllUnzipping, archives, *folders, request, context, outcome,
        [&](const std::string& archive, const std::string& source) {
            const std::string target = folders->dest + archive.substr(0, archive.size() - 4);
            const bool created = !fs::exists(target);
            std::error_code ec;
            fs::create_directories(target, ec);
            const UnzipResult result = arc::UnzipAll(source, target);
            const ZipListing listing = ListZip(source);
            if (result.ok() && listing.ok() && FirstEntryNotExtracted(listing, target).empty())
                return true;
            WriteLog("Unzip all: " + source + ": " +
                     (result.errors.empty() ? std::string("not extracted whole")
                                            : DescribeZipErrors(result.errors)));
            // A failed archive leaves nothing behind in a folder made for it.
            if (created) fs::remove_all(target, ec);
            return false;
        });
    return outcome;
}

}  // namespace arc
