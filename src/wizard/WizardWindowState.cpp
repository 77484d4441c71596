#include "wizard/WizardWindowState.h"

#include "core/AppState.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "core/WaitWhile.h"

namespace arc {
namespace {

constexpr int kProcOpen = 950;
constexpr int kProcPaths = 951;
constexpr int kProcRun = 952;
constexpr int kProcClose = 953;

bool TaskRunning() {
    return State().WizardTaskRunning;
}

}  // namespace

const std::string& WizardWindowState::BoxCaption(int box) {
    return Text(kTextFirstBox + box);
}

void WizardWindowState::Open() {
    Guarded(kProcOpen, [&] {
        nextEnabled = false;
        DisableMenus();
        State().WizardMode = true;
        open_ = true;
    });
}

void WizardWindowState::SetBox(int box, bool ticked) {
    if (box < 0 || box >= kWizardBoxes) return;
    boxes[box] = ticked;
    nextEnabled = false;
    for (bool value : boxes)
        nextEnabled = nextEnabled || value;
}

void WizardWindowState::Paths() {
    Guarded(kProcPaths, [&] {
        if (!steps_.openPathsDialog) return;
        RunTaskStep(steps_.openPathsDialog, steps_.pathsDialogOpen);
        DisableMenus();
    });
}

void WizardWindowState::RunTaskStep(const std::function<void()>& step,
                                    const std::function<bool()>& stillOpen) {
    State().WizardTaskRunning = true;
    if (step) step();
    WaitWhile([&] { return !stopRequested_ && TaskRunning() && (!stillOpen || stillOpen()); });
    State().WizardTaskRunning = false;
}

void WizardWindowState::Report(int box, const std::string& what) {
    std::string caption = BoxCaption(box);
    std::erase(caption, '&');
    report_ += "\n" + caption + ": " + what;
}

void WizardWindowState::RequestStop() {
    if (!running_) return;
    stopRequested_ = true;
    // A build or ROM listing under way ends as if its Cancel were pressed.
    Ui().CancelTask();
    DebugLog("<WIZARD STOPPED>");
}

bool WizardWindowState::Run() {
    bool finished = false;
    if (running_) return false;
    running_ = true;
    stopRequested_ = false;
    report_.clear();
    Guarded(kProcRun, [&] {
        if (State().LogFlag) {
            WriteLog("<WIZARD ON>");
            for (int i = 0; i < kWizardBoxes; ++i)
                WriteLog(BoxCaption(i) + " = " + (boxes[i] ? "1" : "0"));
        }

        if (boxes[kDownload]) {
            DebugLog("<WIZARD DOWNLOAD>");
            DisableMenus();
            if (steps_.openDownloadWindow) steps_.openDownloadWindow();
            WaitWhile([&] { return !stopRequested_ && State().DownloadWindowOpen; });
            if (stopRequested_) return;
            const std::string summary = steps_.downloadSummary ? steps_.downloadSummary() : "";
            Report(kDownload, summary.empty() ? Text(kTextStepWindowClosed) : summary);
        }

        if (boxes[kNewDatabase]) {
            DebugLog("<WIZARD NEW MDB>");
            // The build runs to its end inside the call; a build that stopped
            // early without clearing the flag must not hold the wizard forever.
            RunTaskStep([&] {
                Report(kNewDatabase, steps_.buildDatabase ? steps_.buildDatabase() : "");
                State().WizardTaskRunning = false;
            });
            DisableMenus();
            if (stopRequested_) return;
        } else if ((boxes[kListRoms] || boxes[kSheets]) && ConfirmDatabaseFile().empty()) {
            return;
        }

        if (boxes[kListRoms]) {
            DebugLog("<WIZARD LIST MY ROMS>");
            RunTaskStep([&] {
                Report(kListRoms, steps_.listMyRoms ? steps_.listMyRoms() : "");
                State().WizardTaskRunning = false;
            });
            DisableMenus();
            if (stopRequested_) return;
        }

        if (boxes[kSheets]) {
            DebugLog("<WIZARD HTML>");
            if (steps_.openSheetWindow) RunTaskStep(steps_.openSheetWindow, steps_.sheetWindowOpen);
            if (stopRequested_) return;
            Report(kSheets, Text(kTextStepWindowClosed));
        }

        Ui().Message(Text(kTextFinished) + report_, MsgButtons::Ok, MsgIcon::Information);
        finished = true;
    });
    running_ = false;
    return finished;
}

void WizardWindowState::Close() {
    Guarded(kProcClose, [&] {
        if (!open_) return;
        RequestStop();
        open_ = false;
        State().WizardMode = false;
        State().WizardTaskRunning = false;
        EnableMenus();
    });
}

}  // namespace arc
