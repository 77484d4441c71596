#include "core/Progress.h"

#include <chrono>

#include "core/UiService.h"

namespace arc {

int ProgressBarValue(int total, int done) {
    if (total < 1) return 1;
    long long value = static_cast<long long>(done) * 100 / total;
    if (value < 1) return 1;
    if (value > 100) return 100;
    return static_cast<int>(value);
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
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < std::chrono::milliseconds(50)) return false;
    last_ = now;
    return true;
}

void TaskProgress::SetTotal(int total) {
    total_.store(total, std::memory_order_relaxed);
    Report();
}

void TaskProgress::SetLabel(std::string_view text) {
    {
        const std::lock_guard lock(labelMutex_);
        label_.assign(text);
    }
    Report();
}

std::string TaskProgress::Label() const {
    const std::lock_guard lock(labelMutex_);
    return label_;
}

bool TaskProgress::Step(int done) {
    done_.store(done, std::memory_order_relaxed);
    Report();
    return !Cancelled();
}

}  // namespace arc
