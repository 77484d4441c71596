#pragma once
// What a long task reports while it runs, and the scopes around a task.

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

namespace arc {

/// The bar's value: 1 without a total, else the whole percent clamped to 1..100.
int ProgressBarValue(int total, int done);

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
/// whether to go on. The task does not know where the report goes: the
/// progress window (read by the UI thread on its timer), the terminal's bar or
/// a test. Safe to use from two threads: the task reports on its own, another
/// thread reads and cancels; no method waits or lets events run. Not copied
/// (its mutex is not).
class TaskProgress {
  public:
    /// Called on the task's thread after each report (the terminal's bar, tests).
    using Watcher = std::function<void(TaskProgress&)>;

    void SetTotal(int total);
    void SetLabel(std::string_view text);
    int Done() const { return done_.load(std::memory_order_relaxed); }
    /// Records the items done; false once the task was cancelled.
    bool Step(int done);
    /// Whether to go on; false once the task was cancelled.
    bool KeepGoing() const { return !Cancelled(); }
    bool Cancelled() const {
        return cancel_.load(std::memory_order_relaxed) || (outer_ && outer_->Cancelled());
    }

    /// One more item done.
    bool Advance() { return Step(Done() + 1); }

    int Total() const { return total_.load(std::memory_order_relaxed); }
    std::string Label() const;
    /// Asks the task to stop, from any thread; the request stays.
    void Cancel() { cancel_.store(true, std::memory_order_relaxed); }
    /// Cancelling `outer` cancels this one too (a task run inside another).
    void Follow(const TaskProgress& outer) { outer_ = &outer; }
    /// Set before the task starts; called after each report.
    void Watch(Watcher watcher) { watcher_ = std::move(watcher); }

  private:
    void Report() {
        if (watcher_) watcher_(*this);
    }

    std::atomic<int> total_{0};
    std::atomic<int> done_{0};
    std::atomic<bool> cancel_{false};
    mutable std::mutex labelMutex_;
    std::string label_;
    const TaskProgress* outer_ = nullptr;
    Watcher watcher_;
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

}  // namespace arc
