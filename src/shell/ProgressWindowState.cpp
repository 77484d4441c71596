#include "shell/ProgressWindowState.h"

#include "core/Log.h"
#include "core/Progress.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "shell/WindowPlace.h"

namespace arc {

std::string ProgressWindowState::InitialCaption() const {
    return Text(kTextWorkInProgress);
}

std::string ProgressWindowState::CancelCaption() const {
    return Text(kTextCancel);
}

ProgressWindowState::Tick ProgressWindowState::OnTimer(int total, int done) {
    static constexpr char kSpinner[] = {'-', '\\', '|', '/'};
    ++spinner_;
    const char mark = kSpinner[spinner_ - 1];
    if (spinner_ == 4) spinner_ = 0;
    return {Text(kTextWorkInProgress) + mark, ProgressBarValue(total, done)};
}

bool ProgressWindowState::ConfirmCancel() const {
    if (Ui().Message(Text(kTextConfirmCancel), MsgButtons::YesNo, MsgIcon::Question) ==
        MsgAnswer::No)
        return false;
    DebugLog("[CLICK CANCEL]");
    return true;
}

void ProgressWindowState::Unload(int leftPixels, int topPixels) const {
    StoreWindowPlace(kWindowNumber, leftPixels, topPixels);
}

}  // namespace arc
