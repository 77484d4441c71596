#pragma once
// A UiService for tests: answers come from queues set before the call, every
// message and every request is recorded.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/UiService.h"

namespace arc {

class ScriptedUi final : public UiService {
  public:
    struct ShownMessage {
        std::string text;
        MsgButtons buttons;
        MsgIcon icon;
        std::string title;
    };

    // Scripting: answers are taken in order; an empty queue gives the safe
    // default (No for questions, Cancel for Ok/Cancel, cancel for choosers).
    void QueueAnswer(MsgAnswer answer) { answers_.push_back(answer); }
    void QueueFile(std::string name) { files_.push_back(std::move(name)); }
    void QueueFolder(std::string folder) { folders_.push_back(std::move(folder)); }

    MsgAnswer Message(std::string_view text, MsgButtons buttons, MsgIcon icon,
                      std::string_view title = {}) override;
    std::string ChooseFileRaw(const FileDialogRequest& request) override;
    std::string ChooseFolderRaw(std::string_view startFolder, std::string_view title) override;
    bool OpenWithDefaultApp(std::string_view pathOrUrl) override;
    void SetMenusEnabled(bool enabled) override;
    void RunTask(TaskProgress& progress, const TaskBody& body, TaskShow show = {}) override;
    void CancelTask() override;
    bool OpenWindow(WindowId window) override;
    bool IsWindowOpen(WindowId window) override;
    /// Records the window like OpenWindow, then runs onRunWindow (the window's
    /// life as the test plays it) before it returns.
    bool RunWindow(WindowId window, WindowCaller caller = WindowCaller::User) override;
    void StopWaiting() override { ++waitsStopped; }

    // What happened.
    std::vector<ShownMessage> messages;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<std::string> folderRequests;  ///< start folders of the folder chooser
    std::vector<std::string> opened;          ///< documents opened with the default app
    std::vector<std::string> progressLabels;
    int progressShown = 0;  ///< tasks run with the progress window
    int taskCancels = 0;    ///< CancelTask calls
    bool menusEnabled = true;
    bool progressVisible = false;
    std::vector<std::string> windowsOpened;  ///< design names given to OpenWindow
    /// Windows reported open by IsWindowOpen (tests clear it to end a wait).
    std::vector<std::string> windowsOpen;

    std::vector<WindowCaller> windowCallers;  ///< the caller of each RunWindow
    int waitsStopped = 0;
    /// The life of a window opened by RunWindow, from its opening to its close.
    std::function<void(WindowId)> onRunWindow;

    /// Called on every report of a task RunTask runs; tests use it to act
    /// while the task runs (for example to cancel it at a label).
    std::function<void(TaskProgress&)> onProgress;

  private:
    TaskProgress* running_ = nullptr;
    std::deque<MsgAnswer> answers_;
    std::deque<std::string> files_;
    std::deque<std::string> folders_;
};

/// Installs a ScriptedUi for the lifetime of the guard.
class ScopedScriptedUi {
  public:
    ScopedScriptedUi() { InstallUi(&ui); }
    ~ScopedScriptedUi() { InstallUi(nullptr); }
    ScopedScriptedUi(const ScopedScriptedUi&) = delete;
    ScopedScriptedUi& operator=(const ScopedScriptedUi&) = delete;
    ScriptedUi ui;
};

}  // namespace arc
