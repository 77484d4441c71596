#include "wizard/WizardWindowState.h"

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/TextTable.h"
#include "core/UiService.h"

namespace arc {
namespace {

constexpr int kProcOpen = 950;
constexpr int kProcPaths = 951;
constexpr int kProcRun = 952;
constexpr int kProcClose = 953;

}  // namespace

const std::string& WizardWindowState::BoxCaption(int box) {
    return Text(kTextFirstBox + box);
}

void WizardWindowState::Open() {
    Guarded(kProcOpen, [&] {
        nextEnabled = false;
        DisableMenus();
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
    if (running_ || !steps_.paths) return;
    running_ = true;
    stopRequested_ = false;
    Guarded(kProcPaths, [&] { steps_.paths(); });
    // The dialog switched the menus on as it closed; the wizard keeps them off.
    DisableMenus();
    running_ = false;
}

void WizardWindowState::Report(int box, const std::string& what) {
    std::string caption = BoxCaption(box);
    std::erase(caption, '&');
    report_ += "\n" + caption + ": " + what;
}

void WizardWindowState::RequestStop() {
    if (!running_) return;
    stopRequested_ = true;
    // A build or ROM listing under way ends as if its Cancel were pressed; the
    // wait on a step's window ends.
    Ui().CancelTask();
    Ui().StopWaiting();
    DebugLog("<WIZARD STOPPED>");
}

bool WizardWindowState::Run() {
    bool finished = false;
    if (running_) return false;
    running_ = true;
    stopRequested_ = false;
    report_.clear();
    Guarded(kProcRun, [&] {
        if (DebugLogging()) {
            WriteLog("<WIZARD ON>");
            for (int i = 0; i < kWizardBoxes; ++i)
                WriteLog(BoxCaption(i) + " = " + (boxes[i] ? "1" : "0"));
        }
        // Each step returns once it ended; the menus it switched on go off again.
        const auto ended = [&] {
            DisableMenus();
            return stopRequested_;
        };

        if (boxes[kDownload]) {
            DebugLog("<WIZARD DOWNLOAD>");
            DisableMenus();
            const std::string summary = steps_.download ? steps_.download() : "";
            if (ended()) return;
            Report(kDownload, summary.empty() ? Text(kTextStepWindowClosed) : summary);
        }

        if (boxes[kNewDatabase]) {
            DebugLog("<WIZARD NEW MDB>");
            const std::string what = steps_.buildDatabase ? steps_.buildDatabase() : "";
            if (ended()) return;
            Report(kNewDatabase, what);
        } else if ((boxes[kListRoms] || boxes[kSheets]) && ConfirmDatabaseFile().empty()) {
            return;
        }

        if (boxes[kListRoms]) {
            DebugLog("<WIZARD LIST MY ROMS>");
            const std::string what = steps_.listMyRoms ? steps_.listMyRoms() : "";
            if (ended()) return;
            Report(kListRoms, what);
        }

        if (boxes[kSheets]) {
            DebugLog("<WIZARD HTML>");
            if (steps_.sheets) steps_.sheets();
            if (ended()) return;
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
        EnableMenus();
    });
}

}  // namespace arc
