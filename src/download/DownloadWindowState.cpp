#include "download/DownloadWindowState.h"

#include <functional>
#include <utility>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/TextTable.h"
#include "core/UiService.h"

namespace arc {
namespace {

constexpr int kProcOpen = 800;
constexpr int kProcSave = 801;
constexpr int kProcSite = 803;
constexpr int kProcPaths = 804;
constexpr int kProcClose = 805;

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

void DownloadWindowState::Run() {
    DownloadRequest request;
    for (int i = 0; i < kDownloadEntries; ++i) {
        request.ticked[i] = rows[i].checked;
        request.urls[i] = rows[i].fileUrl;
    }
    request.copyToPaths = copyToPaths;
    request.definedPaths = TheSettings().DataFilePaths;
    request.transfer = transferOptions;

    controlsEnabled = false;
    for (Row& row : rows) {
        row.success = row.failure = false;
        row.savedName.clear();
        row.error.clear();
    }
    statusVisible = true;
    DownloadOutcome outcome;
    // On the desktop, on a worker thread: the window's own status shows the progress.
    TaskProgress progress;
    std::string shown;
    progress.Watch([this, &shown](TaskProgress& reported) {
        std::string label = reported.Label();
        if (label == shown) return;
        shown = label;
        SetStatus(std::move(label));
    });
    Ui().RunTask(progress, [&](TaskContext& context) { outcome = RunDownload(request, context); },
                 {.window = false, .menusOff = false});
    for (int i = 0; i < kDownloadEntries; ++i) {
        if (!rows[i].checked) continue;
        const DownloadEntryResult& entry = outcome.entries[i];
        rows[i].success = entry.success;
        rows[i].failure = !entry.success;
        rows[i].savedName = entry.savedName;
        rows[i].error = entry.error;
    }
    controlsEnabled = true;
    statusVisible = false;
    Changed();

    if (onRunEnded) onRunEnded(outcome.message);
    if (inWizard) {
        Close();
        if (onCloseRequest) onCloseRequest();
        return;
    }
    Ui().Message(outcome.message, MsgButtons::Ok,
                 outcome.ok() && outcome.done > 0 ? MsgIcon::Information : MsgIcon::Exclamation);
}

}  // namespace arc
