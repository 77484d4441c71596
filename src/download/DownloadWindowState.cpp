#include "download/DownloadWindowState.h"

#include <chrono>
#include <filesystem>
#include <map>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "download/ArchiveUnpack.h"

namespace arc {
namespace {

/// What the last run did, for a caller that does not see the window (the wizard).
std::string& LastSummary() {
    static std::string summary;
    return summary;
}

constexpr int kProcOpen = 800;
constexpr int kProcSave = 801;
constexpr int kProcRun = 802;
constexpr int kProcSite = 803;
constexpr int kProcPaths = 804;
constexpr int kProcClose = 805;

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

}  // namespace

void DownloadWindowState::Changed() {
    if (onChanged) onChanged();
}

void DownloadWindowState::SetStatus(std::string text) {
    status = std::move(text);
    Changed();
}

void DownloadWindowState::Open() {
    Guarded(kProcOpen, [&] {
        open_ = true;
        for (Row& row : rows) {
            row.success = row.failure = false;
            row.fileUrl.clear();
        }
        list_ = DefaultDownloadList();
        ReloadList();
    });
}

void DownloadWindowState::ReloadList() {
    const std::string path = DownloadListPath();
    DebugLog("Load " + path);
    ReadDownloadList(path, list_);
    for (int i = 0; i < kDownloadEntries; ++i)
        rows[i].fileUrl = list_.fileUrls[i];
    Changed();
}

void DownloadWindowState::SaveList() {
    Guarded(kProcSave, [&] {
        const std::string path = DownloadListPath();
        DebugLog("Save " + path);
        for (int i = 0; i < kDownloadEntries; ++i)
            list_.fileUrls[i] = rows[i].fileUrl;
        if (!WriteDownloadList(path, list_))
            throw AppError(err::kPathFileAccess, "Cannot write " + path);
    });
}

void DownloadWindowState::Close() {
    Guarded(kProcClose, [&] {
        if (!open_) return;
        open_ = false;
        SaveList();
    });
}

void DownloadWindowState::OpenSite(int index) {
    Guarded(kProcSite, [&] {
        if (index < 0 || index >= kDownloadEntries) return;
        ReloadList();
        if (!list_.siteUrls[index].empty()) Ui().OpenWithDefaultApp(list_.siteUrls[index]);
    });
}

void DownloadWindowState::EditList() {
    SaveList();
    Ui().OpenWithDefaultApp(DownloadListPath());
}

void DownloadWindowState::Paths() {
    Guarded(kProcPaths, [&] {
        if (setVisible) setVisible(false);
        Ui().RunWindow(WindowId::Paths);
        if (setVisible) setVisible(true);
        EnableMenus();
    });
}

std::string DownloadWindowState::PrepareDownloadFolder() {
    std::string folder = InProgramFolder("Download");
    if (!FolderExists(folder)) MakeFolder(folder);
    if (FolderExists(folder)) {
        const std::vector<std::string> files = ListFolder(folder, "*", EntryKind::Files);
        // Files the user fetched by hand may lie there: emptying the folder is
        // the destructive answer, and the emptied files go to the trash.
        if (!files.empty() &&
            Ui().AskDestructive(WithLineBreaks(Text(kTextFolderNotEmpty)), MsgButtons::YesNo,
                                MsgIcon::Question, MsgAnswer::Yes,
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

bool DownloadWindowState::EditUrl(int index, std::string_view text) {
    if (index < 0 || index >= kDownloadEntries) return false;
    if (Trim(text).empty()) {
        Ui().Message(Text(kTextEmptyAddress), MsgButtons::Ok, MsgIcon::Exclamation);
        Changed();  // the box shows the kept address again
        return false;
    }
    rows[index].fileUrl = std::string(Trim(text));
    SaveList();
    return true;
}

void DownloadWindowState::DownloadEntry(int index, const std::string& folder) {
    Row& row = rows[index];
    const std::string url(Trim(row.fileUrl));
    if (url.empty()) {
        row.failure = true;
        row.error = Text(kTextEmptyAddress);
        Changed();
        return;
    }
    DebugLog("Try dowload " + url);
    const std::string prefix = Text(kTextDownloading) + " " + FileNameFromUrl(url) + ": ";
    DownloadOptions options = transferOptions;
    auto lastShown = std::chrono::steady_clock::time_point{};
    options.progress = [&](std::uint64_t received, std::uint64_t) {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastShown >= std::chrono::milliseconds(200)) {
            lastShown = now;
            SetStatus(prefix + ByteCount(received));
            SetProgressLabel(status);
        }
        LetEventsRun();
    };
    SetStatus(prefix + ByteCount(0));
    const DownloadResult result = DownloadIntoFolder(url, folder, options);
    if (result.ok)
        SetStatus(Text(kTextDownloading) + " " + BaseName(result.path) + ": " +
                  ByteCount(result.bytes));
    if (result.ok && FileExists(result.path)) {
        row.success = true;
        row.savedName = BaseName(result.path);
        DebugLog(" => Downloaded " + url);
    } else {
        row.failure = true;
        row.error = result.error;
        // The reason is logged whatever the log flag: the message points to the log.
        WriteLog(" => NOT Downloaded " + url);
        WriteLog("    (" + result.error + ")");
    }
    Changed();
}

int DownloadWindowState::RowOfSavedName(const std::string& name) const {
    for (int i = 0; i < kDownloadEntries; ++i)
        if (rows[i].success && rows[i].savedName == name) return i;
    return -1;
}

/// Written whatever the log flag, which it turns on for the rest of the run.
void DownloadWindowState::LogProblem(const std::string& first, const std::string& second) {
    WriteLog(first);
    if (!second.empty()) WriteLog(second);
    SetDebugLogging(true);
}

void DownloadWindowState::UnpackArchives(const std::string& folder) {
    const std::string datFolder = InProgramFolder("dat/");
    const std::string iniFolder = InProgramFolder("ini/");
    for (const std::string& name : ListFolder(folder, "*.zip", EntryKind::Files)) {
        const std::string archive = folder + name;
        const int row = RowOfSavedName(name);
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
        if (row == kHistoryEntry)
            unpack("XML", datFolder, "Unzip " + archive + ", XML, " + datFolder);
        if (row >= 0 && placed == 0) {
            rows[row].success = false;
            rows[row].failure = true;
            rows[row].error = row == kHistoryEntry ? "the archive holds no .dat or .xml file"
                                                   : "the archive holds no .dat or .ini file";
            LogProblem(" => NOT usable " + archive, "    (" + rows[row].error + ")");
            Changed();
        }
        LetEventsRun();
    }
}

/// A file that no step of the run puts in place ("history.7z") did not bring what was asked.
void DownloadWindowState::MarkUnplacedFiles(const std::string& folder) {
    for (int i = 0; i < kDownloadEntries; ++i) {
        Row& row = rows[i];
        if (!row.success) continue;
        const std::string& name = row.savedName;
        if (MatchesPattern(name, "*.dat") || MatchesPattern(name, "*.ini") ||
            MatchesPattern(name, "*.zip") || (i == kHistoryEntry && MatchesPattern(name, "*.xml")))
            continue;
        row.success = false;
        row.failure = true;
        row.error =
            i == kHistoryEntry ? "not a .dat, .xml or .zip file" : "not a .dat, .ini or .zip file";
        LogProblem(" => NOT usable " + folder + name, "    (" + row.error + ")");
    }
    Changed();
}

void DownloadWindowState::CopyToDefinedPaths() {
    const Settings& settings = TheSettings();
    for (int slot = 0; slot < kDataFileSlots; ++slot) {
        const std::string& target = settings.DataFilePaths[slot];
        const std::string source = OwnSupportFilePath(RowOfSlot(slot).file);
        if (target.empty() || !FileExists(source)) continue;
        ShellCopy(source, target);
    }
}

void DownloadWindowState::Run() {
    Guarded(kProcRun, [&] {
        const std::string folder = PrepareDownloadFolder();
        if (DebugLogging()) {
            const std::string rule(79, '-');
            WriteLog(rule);
            WriteLog("Arcanote.url.inf");
            for (const std::string& url : list_.fileUrls)
                WriteLog("URL = " + url);
            WriteLog(rule);
            WriteLog("Dowload to : " + folder);
        }

        controlsEnabled = false;
        for (Row& row : rows) {
            row.success = row.failure = false;
            row.savedName.clear();
            row.error.clear();
        }
        statusVisible = true;
        SetStatus(Text(kTextDownloading));
        LetEventsRunNow();

        for (int i = kDownloadEntries - 1; i >= 0; --i) {
            LetEventsRun();
            if (rows[i].checked) DownloadEntry(i, folder);
        }

        SetStatus(Text(kTextUnzipping));
        const std::string datFolder = InProgramFolder("dat/");
        const std::string iniFolder = InProgramFolder("ini/");
        const FolderSnapshot datBefore = Snapshot(datFolder);
        const FolderSnapshot iniBefore = Snapshot(iniFolder);
        ShellCopy(folder + "*.dat", datFolder);
        ShellCopy(folder + "*.ini", iniFolder);
        const Row& history = rows[kHistoryEntry];
        if (history.success && MatchesPattern(history.savedName, "*.xml"))
            ShellCopy(folder + history.savedName, datFolder);
        UnpackArchives(folder);
        MarkUnplacedFiles(folder);
        DropReplacedSpellings(datFolder, datBefore);
        DropReplacedSpellings(iniFolder, iniBefore);

        if (copyToPaths) {
            SetStatus(Text(kTextCopying));
            CopyToDefinedPaths();
        }
    });
    controlsEnabled = true;
    statusVisible = false;
    Changed();

    LastSummary() = EndMessage();
    if (inWizard) {
        Close();
        if (onCloseRequest) onCloseRequest();
        return;
    }
    bool ticked = false;
    bool failed = false;
    for (const Row& row : rows) {
        ticked = ticked || row.checked;
        failed = failed || (row.checked && !row.success);
    }
    Ui().Message(LastSummary(), MsgButtons::Ok,
                 ticked && !failed ? MsgIcon::Information : MsgIcon::Exclamation);
}

std::string DownloadWindowState::EndMessage() const {
    std::string failed;
    bool anyTicked = false;
    for (int i = 0; i < kDownloadEntries; ++i) {
        anyTicked = anyTicked || rows[i].checked;
        if (rows[i].checked && !rows[i].success)
            failed += "\n" + std::string(DownloadEntries()[i].label) + ": " +
                      (rows[i].error.empty() ? std::string("?") : rows[i].error);
    }
    if (!anyTicked) return Text(kTextNothingTicked);
    if (!failed.empty()) return Text(kTextNotDownloaded) + failed;
    return Text(kTextDone);
}

const std::string& LastDownloadSummary() {
    return LastSummary();
}

}  // namespace arc
