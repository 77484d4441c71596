#pragma once
// A task's progress window that shows only once the task reports progress,
// so that the questions a task asks first do not stand over an empty bar.

#include <optional>
#include <string_view>

#include "core/Progress.h"

namespace arc {

class ProgressOnDemand : public TaskProgress {
  public:
    void SetTotal(int total) override { Task().SetTotal(total); }
    void SetLabel(std::string_view text) override { Task().SetLabel(text); }
    int Done() const override { return task_ ? task_->Done() : 0; }
    bool Step(int done) override { return Task().Step(done); }
    bool KeepGoing() override { return Task().KeepGoing(); }
    bool Cancelled() const override { return task_ && task_->Cancelled(); }
    /// Unloads the window when it was shown; Cancelled() stays readable.
    void Finish() {
        if (task_) task_->Finish();
    }

  private:
    LongTask& Task() {
        if (!task_) task_.emplace(0, false);
        return *task_;
    }
    std::optional<LongTask> task_;
};

}  // namespace arc
