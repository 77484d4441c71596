#include "core/Progress.h"

#include <chrono>

#include "core/UiService.h"

namespace arc {
namespace {

using Clock = std::chrono::steady_clock;
Clock::time_point g_lastEvents{};
constexpr auto kEventsInterval = std::chrono::milliseconds(20);

}  // namespace

ProgressState& Progress() {
    static ProgressState state;
    return state;
}

int ProgressBarValue(int total, int done) {
    if (total < 1) return 1;
    long long value = static_cast<long long>(done) * 100 / total;
    if (value < 1) return 1;
    if (value > 100) return 100;
    return static_cast<int>(value);
}

void LetEventsRun() {
    const auto now = Clock::now();
    if (now - g_lastEvents < kEventsInterval) return;
    g_lastEvents = now;
    Ui().ProcessEvents();
}

void LetEventsRunNow() {
    g_lastEvents = Clock::now();
    Ui().ProcessEvents();
}

void ShowProgress() {
    Ui().ShowProgressWindow();
}

void SetProgressLabel(std::string_view text) {
    Progress().Label = std::string(text);
    Ui().SetProgressLabel(text);
}

void UnloadProgress() {
    Ui().UnloadProgressWindow();
    Progress().Cancel = true;
}

ProgressShown::ProgressShown() {
    ShowProgress();
}

ProgressShown::~ProgressShown() {
    Unload();
}

void ProgressShown::Unload() {
    if (!shown_) return;
    shown_ = false;
    UnloadProgress();
}

void ProgressShown::UnloadKeepingCancel() {
    const bool cancelled = Progress().Cancel;
    Unload();
    Progress().Cancel = cancelled;
}

MenusOff::MenusOff(bool now) {
    if (now) Off();
}

MenusOff::~MenusOff() {
    if (off_) Ui().SetMenusEnabled(true);
}

void MenusOff::Off() {
    Ui().SetMenusEnabled(false);
    off_ = true;
}

void MenusOff::Keep() {
    off_ = false;
}

bool LabelThrottle::Due() {
    const auto now = Clock::now();
    if (now - last_ < std::chrono::milliseconds(50)) return false;
    last_ = now;
    return true;
}

WindowProgress::WindowProgress(int total) {
    SetTotal(total);
    Progress().Done = 0;
}

void WindowProgress::SetTotal(int total) {
    Progress().Total = total;
}

void WindowProgress::SetLabel(std::string_view text) {
    SetProgressLabel(text);
}

int WindowProgress::Done() const {
    return Progress().Done;
}

bool WindowProgress::Step(int done) {
    Progress().Done = done;
    return KeepGoing();
}

bool WindowProgress::KeepGoing() {
    LetEventsRun();
    if (Progress().Cancel) cancelled_ = true;
    return !cancelled_;
}

bool WindowProgress::Cancelled() const {
    return cancelled_ || Progress().Cancel;
}

LongTask::LongTask(int total, bool switchMenus) : WindowProgress(total), switchMenus_(switchMenus) {
    if (switchMenus_) Ui().SetMenusEnabled(false);
    ShowProgress();
    LetEventsRunNow();
    Progress().Cancel = false;
}

LongTask::~LongTask() {
    Finish();
}

bool LongTask::KeepGoing() {
    if (finished_) return !cancelled_;
    return WindowProgress::KeepGoing();
}

bool LongTask::Cancelled() const {
    return cancelled_ || (!finished_ && Progress().Cancel);
}

void LongTask::Finish() {
    if (finished_) return;
    if (Progress().Cancel) cancelled_ = true;
    finished_ = true;
    UnloadProgress();
    if (switchMenus_) Ui().SetMenusEnabled(true);
}

}  // namespace arc
