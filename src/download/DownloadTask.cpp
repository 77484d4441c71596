#include "download/DownloadTask.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/TextTable.h"
#include "download/ArchiveUnpack.h"

namespace arc {
namespace {

constexpr int kProcRun = 802;

std::string ByteCount(std::uint64_t bytes) {
    return std::to_string(bytes) + " bytes";
}

namespace fs = std::filesystem;
using FolderSnapshot = std::map<std::string, fs::file_time_type>;

FolderSnapshot Snapshot(const std::string& folder) {
    FolderSnapshot snapshot;
    for (const std::string& name : ListFolder(folder, "*", EntryKind::Files)) {
        std::error_code ec;
        snapshot[name] = fs::last_write_time(fs::path(folder + name), ec);
    }
    return snapshot;
}

/// Names are compared without regard to case, so a fresh "catver.ini" replaces
/// an older "Catver.ini": the older spellings that the run did not rewrite go.
void DropReplacedSpellings(const std::string& folder, const FolderSnapshot& before) {
    std::map<std::string, std::vector<std::string>> groups;
    for (const std::string& name : ListFolder(folder, "*", EntryKind::Files))
        groups[ToLowerAscii(name)].push_back(name);
    for (const auto& [key, names] : groups) {
        if (names.size() < 2) continue;
        std::vector<std::string> stale;
        bool anyFresh = false;
        for (const std::string& name : names) {
            std::error_code ec;
            auto it = before.find(name);
            const bool fresh = it == before.end() ||
                               fs::last_write_time(fs::path(folder + name), ec) != it->second;
            if (fresh)
                anyFresh = true;
            else
                stale.push_back(name);
        }
        if (!anyFresh) continue;
        for (const std::string& name : stale)
            DeleteFileIfExists(folder + name);
    }
}

/// One run: the request, what became of each entry, the Download folder.
class DownloadRun {
  public:
    DownloadRun(const DownloadRequest& request, TaskContext& context, DownloadOutcome& outcome)
        : request_(request), context_(context), entries_(outcome.entries) {}

    void Run();

  private:
    std::string PrepareDownloadFolder();
    void DownloadEntry(int index, const std::string& folder);
    void UnpackArchives(const std::string& folder);
    void MarkUnplacedFiles(const std::string& folder);
    int EntryOfSavedName(const std::string& name) const;
    void CopyToDefinedPaths();

    const DownloadRequest& request_;
    TaskContext& context_;
    std::array<DownloadEntryResult, kDownloadEntries>& entries_;
};

/// Written whatever the log flag, which it turns on for the rest of the run.
void LogProblem(const std::string& first, const std::string& second) {
    WriteLog(first);
    if (!second.empty()) WriteLog(second);
    SetDebugLogging(true);
}

std::string DownloadRun::PrepareDownloadFolder() {
    std::string folder = InProgramFolder("Download");
    if (!FolderExists(folder)) MakeFolder(folder);
    if (FolderExists(folder)) {
        const std::vector<std::string> files = ListFolder(folder, "*", EntryKind::Files);
        // Files the user fetched by hand may lie there: emptying the folder is
        // the destructive answer, and the emptied files go to the trash.
        if (!files.empty() &&
            context_.ui().AskDestructive(WithLineBreaks(Text(kTextFolderNotEmpty)),
                                         MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::Yes,
                                         kEmptyDownloadFolderConsent) == MsgAnswer::Yes) {
            for (const std::string& name : files)
                if (!RecycleFile(folder + "/" + name))
                    WriteLog("Cannot trash " + folder + "/" + name);
        }
    } else {
        folder = ProgramFolder();
    }
    return WithTrailingSlash(folder);
}

void DownloadRun::DownloadEntry(int index, const std::string& folder) {
    DownloadEntryResult& entry = entries_[index];
    const std::string url(Trim(request_.urls[index]));
    if (url.empty()) {
        entry.error = Text(kTextEmptyAddress);
        return;
    }
    DebugLog("Try dowload " + url);
    TaskProgress& progress = context_.progress();
    const std::string prefix = Text(kTextDownloading) + " " + FileNameFromUrl(url) + ": ";
    DownloadOptions options = request_.transfer;
    auto lastShown = std::chrono::steady_clock::time_point{};
    options.progress = [&](std::uint64_t received, std::uint64_t) {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastShown >= std::chrono::milliseconds(200)) {
            lastShown = now;
            progress.SetLabel(prefix + ByteCount(received));
        }
        progress.KeepGoing();
    };
    progress.SetLabel(prefix + ByteCount(0));
    const DownloadResult result = DownloadIntoFolder(url, folder, options);
    if (result.ok)
        progress.SetLabel(Text(kTextDownloading) + " " + BaseName(result.path) + ": " +
                          ByteCount(result.bytes));
    if (result.ok && FileExists(result.path)) {
        entry.success = true;
        entry.savedName = BaseName(result.path);
        DebugLog(" => Downloaded " + url);
    } else {
        entry.error = result.error;
        // The reason is logged whatever the log flag: the message points to the log.
        WriteLog(" => NOT Downloaded " + url);
        WriteLog("    (" + result.error + ")");
    }
}

int DownloadRun::EntryOfSavedName(const std::string& name) const {
    for (int i = 0; i < kDownloadEntries; ++i)
        if (entries_[i].success && entries_[i].savedName == name) return i;
    return -1;
}

void DownloadRun::UnpackArchives(const std::string& folder) {
    const std::string datFolder = InProgramFolder("dat/");
    const std::string iniFolder = InProgramFolder("ini/");
    for (const std::string& name : ListFolder(folder, "*.zip", EntryKind::Files)) {
        const std::string archive = folder + name;
        const int index = EntryOfSavedName(name);
        int placed = 0;
        const auto unpack = [&](std::string_view extension, const std::string& target,
                                const std::string& logLine) {
            std::string error;
            const int count = UnpackByExtension(archive, extension, target, error);
            if (count > 0) placed += count;
            if (!error.empty()) LogProblem(logLine, error);
        };
        unpack("DAT", datFolder, "Unzip " + archive + ",DAT," + datFolder);
        unpack("INI", iniFolder, "Unzip " + archive + ", INI, " + iniFolder);
        // Today's History is history.xml.
        if (index == kHistoryEntry)
            unpack("XML", datFolder, "Unzip " + archive + ", XML, " + datFolder);
        if (index >= 0 && placed == 0) {
            DownloadEntryResult& entry = entries_[index];
            entry.success = false;
            entry.error = index == kHistoryEntry ? "the archive holds no .dat or .xml file"
                                                 : "the archive holds no .dat or .ini file";
            LogProblem(" => NOT usable " + archive, "    (" + entry.error + ")");
        }
        context_.progress().KeepGoing();
    }
}

/// A file that no step of the run puts in place ("history.7z") did not bring what was asked.
void DownloadRun::MarkUnplacedFiles(const std::string& folder) {
    for (int i = 0; i < kDownloadEntries; ++i) {
        DownloadEntryResult& entry = entries_[i];
        if (!entry.success) continue;
        const std::string& name = entry.savedName;
        if (MatchesPattern(name, "*.dat") || MatchesPattern(name, "*.ini") ||
            MatchesPattern(name, "*.zip") || (i == kHistoryEntry && MatchesPattern(name, "*.xml")))
            continue;
        entry.success = false;
        entry.error =
            i == kHistoryEntry ? "not a .dat, .xml or .zip file" : "not a .dat, .ini or .zip file";
        LogProblem(" => NOT usable " + folder + name, "    (" + entry.error + ")");
    }
}

void DownloadRun::CopyToDefinedPaths() {
    for (int slot = 0; slot < kDataFileSlots; ++slot) {
        const std::string& target = request_.definedPaths[slot];
        const std::string source = OwnSupportFilePath(RowOfSlot(slot).file);
        if (target.empty() || !FileExists(source)) continue;
        ShellCopy(source, target);
    }
}

void DownloadRun::Run() {
    const std::string folder = PrepareDownloadFolder();
    if (DebugLogging()) {
        const std::string rule(79, '-');
        WriteLog(rule);
        WriteLog("Arcanote.url.inf");
        for (const std::string& url : request_.urls)
            WriteLog("URL = " + url);
        WriteLog(rule);
        WriteLog("Dowload to : " + folder);
    }
    TaskProgress& progress = context_.progress();
    progress.SetLabel(Text(kTextDownloading));
    for (int i = kDownloadEntries - 1; i >= 0; --i) {
        progress.KeepGoing();
        if (request_.ticked[i]) DownloadEntry(i, folder);
    }

    progress.SetLabel(Text(kTextUnzipping));
    const std::string datFolder = InProgramFolder("dat/");
    const std::string iniFolder = InProgramFolder("ini/");
    const FolderSnapshot datBefore = Snapshot(datFolder);
    const FolderSnapshot iniBefore = Snapshot(iniFolder);
    ShellCopy(folder + "*.dat", datFolder);
    ShellCopy(folder + "*.ini", iniFolder);
    const DownloadEntryResult& history = entries_[kHistoryEntry];
    if (history.success && MatchesPattern(history.savedName, "*.xml"))
        ShellCopy(folder + history.savedName, datFolder);
    UnpackArchives(folder);
    MarkUnplacedFiles(folder);
    DropReplacedSpellings(datFolder, datBefore);
    DropReplacedSpellings(iniFolder, iniBefore);

    if (request_.copyToPaths) {
        progress.SetLabel(Text(kTextCopying));
        CopyToDefinedPaths();
    }
}

}  // namespace

DownloadOutcome RunDownload(const DownloadRequest& request, TaskContext& context) {
    return RunCountingErrors<DownloadOutcome>([&] {
        DownloadOutcome outcome;
        const std::optional<std::string> error =
            GuardedFailure(kProcRun, [&] { DownloadRun(request, context, outcome).Run(); });
        for (int i = 0; i < kDownloadEntries; ++i) {
            if (!request.ticked[i]) continue;
            if (outcome.entries[i].success)
                ++outcome.done;
            else
                ++outcome.notDone;
        }
        if (error) {
            static_cast<Outcome&>(outcome) = Outcome::Failure(*error);
            return outcome;
        }
        std::string failed;
        for (int i = 0; i < kDownloadEntries; ++i) {
            const DownloadEntryResult& entry = outcome.entries[i];
            if (request.ticked[i] && !entry.success)
                failed += "\n" + std::string(DownloadEntries()[i].label) + ": " +
                          (entry.error.empty() ? std::string("?") : entry.error);
        }
        if (outcome.done + outcome.notDone == 0) {
            outcome.message = Text(kTextNothingTicked);
        } else if (!failed.empty()) {
            outcome.kind = outcome.done > 0 ? OutcomeKind::Partial : OutcomeKind::Failed;
            outcome.message = Text(kTextNotDownloaded) + failed;
        } else {
            outcome.message = Text(kTextDone);
        }
        return outcome;
    });
}

}  // namespace arc
