#pragma once
// The shape of every task: `XOutcome RunX(const XRequest&, TaskContext&)`.
// The request holds every input; the context carries progress, cancellation
// and the questions the task may ask; the outcome says how the task ended.

#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "core/ErrorGuard.h"
#include "core/Progress.h"
#include "core/UiService.h"

namespace arc {

enum class OutcomeKind { Ok, Cancelled, Failed, Partial };

/// How a task ended. A failure carries its message; partial work carries the
/// counts of items done and not done, and a message naming what was not.
struct Outcome {
    OutcomeKind kind = OutcomeKind::Ok;
    std::string message;
    int done = 0;
    int notDone = 0;

    static Outcome Success(std::string message = {}) {
        return {OutcomeKind::Ok, std::move(message), 0, 0};
    }
    static Outcome Cancel(std::string message = {}) {
        return {OutcomeKind::Cancelled, std::move(message), 0, 0};
    }
    static Outcome Failure(std::string message) {
        return {OutcomeKind::Failed, std::move(message), 0, 0};
    }
    static Outcome Partly(int done, int notDone, std::string message) {
        return {OutcomeKind::Partial, std::move(message), done, notDone};
    }

    bool ok() const { return kind == OutcomeKind::Ok; }
    bool cancelled() const { return kind == OutcomeKind::Cancelled; }
    bool failed() const { return kind == OutcomeKind::Failed; }
    bool partial() const { return kind == OutcomeKind::Partial; }
};

/// What a task is handed besides its request: where it reports its progress,
/// whether the user cancelled, and who answers its questions. The task owns
/// neither; its caller (a window, a command, a test) does.
class TaskContext {
  public:
    TaskContext(TaskProgress& progress, UiService& ui) : progress_(progress), ui_(ui) {}

    TaskProgress& progress() const { return progress_; }
    UiService& ui() const { return ui_; }
    bool Cancelled() const { return progress_.Cancelled(); }

  private:
    TaskProgress& progress_;
    UiService& ui_;
};

/// Runs `task` (called with the context, it returns its outcome) through
/// `ui`'s RunTask with a progress of its own, and returns its outcome.
template <class Task>
auto RunShown(Task&& task, TaskShow show = {}, UiService& ui = Ui()) {
    std::invoke_result_t<Task&, TaskContext&> result{};
    TaskProgress progress;
    ui.RunTask(
        progress, [&](TaskContext& context) { result = task(context); }, show);
    return result;
}

/// A task's edge: runs body with its own error count; the sixth error block
/// ends it failed, after the cleanup of everything it unwound.
template <class TaskOutcome, class Body>
TaskOutcome RunCountingErrors(Body&& body) {
    TaskErrorScope errors;
    try {
        return std::forward<Body>(body)();
    } catch (const ErrorLimitReached& stop) {
        TaskOutcome outcome{};
        static_cast<Outcome&>(outcome) = Outcome::Failure(stop.message());
        return outcome;
    }
}

}  // namespace arc
