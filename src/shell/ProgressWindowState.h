#pragma once
// The progress window's rules: the spinning caption and the bar on each timer
// tick, the Cancel button's confirmation, and what every unload does.

#include <string>

#include "core/WindowId.h"

namespace arc {

class ProgressWindowState {
  public:
    /// The window number its position is saved under.
    static constexpr int kWindowNumber = WindowNumber(WindowId::Progress);
    /// Timer interval in milliseconds.
    static constexpr int kTickMs = 500;

    /// The caption when the window loads (text entry 24).
    std::string InitialCaption() const;
    /// The Cancel button's caption (text entry 40).
    std::string CancelCaption() const;

    struct Tick {
        std::string caption;
        int barValue;
    };
    /// One timer tick: advances the spinner and reads the progress counters.
    Tick OnTimer();

    /// The Cancel button: asks text entry 181; true when the window must unload
    /// (and "[CLICK CANCEL]" was logged when logging is on).
    bool ConfirmCancel() const;

    /// Any unload (Cancel, close box, the task at its end): stores the position
    /// and sets the cancel flag.
    void Unload(int leftPixels, int topPixels) const;

  private:
    int spinner_ = 0;
};

}  // namespace arc
