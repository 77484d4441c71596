#pragma once
// Progress state of the running long task and the long-task protocol.

#include <chrono>
#include <string>
#include <string_view>

namespace arc {

struct ProgressState {
    int Total = 0;        ///< ProgressTotal: items of the task; 0 or less means no count
    int Done = 0;         ///< ProgressDone: items done so far
    std::string Label;    ///< the progress window's current item
    bool Cancel = false;  ///< set whenever the progress window unloads
};

ProgressState& Progress();

/// The bar's value: 1 without a total, else the whole percent clamped to 1..100.
int ProgressBarValue(int total, int done);

/// Lets pending window events run, at most about every 20 ms (cheap in tight loops).
void LetEventsRun();

/// Lets pending window events run now, unthrottled.
void LetEventsRunNow();

/// Progress window: show without waiting, set its label, unload (which sets the cancel flag).
void ShowProgress();
void SetProgressLabel(std::string_view text);
void UnloadProgress();

/// The progress window shown for a scope: shown on construction, unloaded by
/// Unload() or at the end of the scope. Unloading sets the cancel flag, as any
/// unload of the window does; UnloadKeepingCancel() leaves the flag as the
/// task left it.
class ProgressShown {
  public:
    ProgressShown();
    ~ProgressShown();
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

    void Unload();
    void UnloadKeepingCancel();

  private:
    bool shown_ = true;
};

/// The menus off from construction (or from Off() when constructed with
/// false) to the end of the scope. They come back on then, unless Keep() left
/// them to a window that switches them on when it closes. (The wizard switches
/// them off again when one of its steps returns.)
class MenusOff {
  public:
    explicit MenusOff(bool now = true);
    ~MenusOff();
    MenusOff(const MenusOff&) = delete;
    MenusOff& operator=(const MenusOff&) = delete;

    void Off();
    void Keep();

  private:
    bool off_ = false;
};

/// What a long task reports and asks while it runs: its count, its label and
/// whether to go on. The task does not know where the report goes: the progress
/// window, the terminal's bar or a test.
class TaskProgress {
  public:
    virtual ~TaskProgress() = default;

    virtual void SetTotal(int total) = 0;
    virtual void SetLabel(std::string_view text) = 0;
    virtual int Done() const = 0;
    /// Records the items done and lets events run; false once the user cancelled.
    virtual bool Step(int done) = 0;
    /// Lets events run without changing the count; false once the user cancelled.
    virtual bool KeepGoing() = 0;
    virtual bool Cancelled() const = 0;

    /// One more item done.
    bool Advance() { return Step(Done() + 1); }
};

/// Tells when a task that goes through many items may show the current one as
/// its label: at most every 50 ms, as a label per item would cost more than
/// the items.
class LabelThrottle {
  public:
    bool Due();

  private:
    std::chrono::steady_clock::time_point last_{};
};

/// Reports to the program-wide progress state that the progress window and the
/// terminal's bar show, without showing or unloading the window (its owner
/// does). Cancellation is latched: once the user cancelled, the task stays
/// cancelled even if someone clears the flag.
class WindowProgress : public TaskProgress {
  public:
    WindowProgress() = default;
    explicit WindowProgress(int total);

    void SetTotal(int total) override;
    void SetLabel(std::string_view text) override;
    int Done() const override;
    bool Step(int done) override;
    bool KeepGoing() override;
    bool Cancelled() const override;

  protected:
    bool cancelled_ = false;
};

/// The long-task protocol as one object: on construction the menus go off (when
/// asked), the counters are set, the progress window shows, events run and the
/// cancel flag is cleared. Step() records progress, lets events run and tells
/// whether to go on. Finish() (or the destructor) unloads the window and
/// switches the menus back on; Cancelled() stays readable after it.
class LongTask : public WindowProgress {
  public:
    explicit LongTask(int total, bool switchMenus = true);
    ~LongTask() override;
    LongTask(const LongTask&) = delete;
    LongTask& operator=(const LongTask&) = delete;

    bool KeepGoing() override;
    bool Cancelled() const override;
    void Finish();

  private:
    bool switchMenus_;
    bool finished_ = false;
};

}  // namespace arc
