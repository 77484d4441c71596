#pragma once
// The desktop program's UI service: Qt message boxes, file and folder
// dialogs, the desktop's "open", the progress window and the main window's
// menus and tool windows.

#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

#include "core/UiService.h"
#include "ui/MainWindow.h"
#include "ui/ProgressWindow.h"

namespace arc::ui {

class QtUi final : public UiService {
  public:
    /// Opens a file, folder or web address; true when it could be handed over.
    using Opener = std::function<bool(const QString&)>;

    QtUi();

    /// The main window, once it exists (nullptr before and after).
    void SetMainWindow(MainWindow* main) { main_ = main; }
    MainWindow* TheMainWindow() const { return main_; }
    /// Replaces the desktop's "open" (tests record what would be opened).
    void SetOpener(Opener opener) { opener_ = std::move(opener); }
    /// The progress window while shown.
    ProgressWindow* TheProgressWindow() const { return progress_; }

    MsgAnswer Message(std::string_view text, MsgButtons buttons, MsgIcon icon,
                      std::string_view title = {}) override;
    std::string ChooseFileRaw(const FileDialogRequest& request) override;
    std::string ChooseFolderRaw(std::string_view startFolder, std::string_view title) override;
    bool OpenWithDefaultApp(std::string_view pathOrUrl) override;
    void SetMenusEnabled(bool enabled) override;
    /// Runs the body on a worker thread (TaskRunner.h) while the progress
    /// window, application-modal, shows the task and its Cancel cancels it.
    void RunTask(TaskProgress& progress, const TaskBody& body, TaskShow show = {}) override;
    void CancelTask() override;
    bool OpenWindow(WindowId window) override;
    bool IsWindowOpen(WindowId window) override;
    bool RunWindow(WindowId window, WindowCaller caller = WindowCaller::User) override;
    void StopWaiting() override;

  private:
    QWidget* DialogParent() const;

    QPointer<MainWindow> main_;
    QPointer<ProgressWindow> progress_;
    Opener opener_;
    std::vector<TaskProgress*> running_;  ///< the tasks under way, innermost last
};

}  // namespace arc::ui
