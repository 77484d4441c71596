#pragma once
// The desktop's way of running a task: the task's body on a worker thread,
// the UI thread in a local event loop until it ended, the worker's questions
// sent to the UI thread as blocking queued calls.

#include "core/Progress.h"
#include "core/UiService.h"

class QObject;

namespace arc::ui {

/// The UI service a worker thread uses: each call runs `real` on the UI
/// thread and waits for its answer. A task run inside the worker's task runs
/// in place, cancelled with the outer one.
class WorkerUi final : public UiService {
  public:
    WorkerUi(UiService& real, TaskProgress& progress) : real_(real), progress_(progress) {}

    MsgAnswer Message(std::string_view text, MsgButtons buttons, MsgIcon icon,
                      std::string_view title = {}) override;
    MsgAnswer AskDestructive(std::string_view text, MsgButtons buttons, MsgIcon icon,
                             MsgAnswer destructive, std::string_view consent,
                             std::string_view title = {}) override;
    std::string ChooseFileRaw(const FileDialogRequest& request) override;
    std::string ChooseFolderRaw(std::string_view startFolder, std::string_view title) override;
    bool OpenWithDefaultApp(std::string_view pathOrUrl) override;
    void SetMenusEnabled(bool enabled) override;
    void RunTask(TaskProgress& progress, const TaskBody& body, TaskShow show = {}) override;
    void CancelTask() override { progress_.Cancel(); }
    bool OpenWindow(WindowId window) override;
    bool IsWindowOpen(WindowId window) override;
    bool RunWindow(WindowId window, WindowCaller caller = WindowCaller::User) override;
    void StopWaiting() override;

  private:
    UiService& real_;
    TaskProgress& progress_;
};

/// Runs `call` on the UI thread and waits for it (in place on the UI thread).
void RunOnUiThread(const std::function<void()>& call);

/// Runs `body` on a worker thread, with a WorkerUi of `ui` as its context's
/// and its thread's UI service, and returns once it ended. The calling (UI)
/// thread runs its events meanwhile. An exception the body let out is thrown
/// again here.
void RunOnWorker(UiService& ui, TaskProgress& progress, const TaskBody& body);

}  // namespace arc::ui
