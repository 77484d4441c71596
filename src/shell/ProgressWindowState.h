#pragma once
// The progress window's rules: the spinning caption and the bar on each timer
// tick, the Cancel button's confirmation, and what every unload keeps.

#include <string>

#include "core/WindowId.h"

namespace arc {

class ProgressWindowState {
  public:
    /// The window number its position is saved under.
    static constexpr int kWindowNumber = WindowNumber(WindowId::Progress);
    /// Interval of the bar and label copy, and of the caption's spinner, in milliseconds.
    static constexpr int kBarTickMs = 50;
    static constexpr int kTickMs = 500;

    /// The caption when the window loads (text entry 24).
    std::string InitialCaption() const;
    /// The Cancel button's caption (text entry 40).
    std::string CancelCaption() const;

    struct Tick {
        std::string caption;
        int barValue;
    };
    /// One tick of the caption's timer: advances the spinner; the bar shows
    /// `done` of `total`.
    Tick OnTimer(int total, int done);

    /// The Cancel button: asks text entry 181; true when the window must unload
    /// (and "[CLICK CANCEL]" was logged when logging is on).
    bool ConfirmCancel() const;

    /// Any unload (Cancel, close box, the task at its end): stores the position.
    void Unload(int leftPixels, int topPixels) const;

  private:
    int spinner_ = 0;
};

}  // namespace arc
