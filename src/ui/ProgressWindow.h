#pragma once
// The progress window of one running task: topmost, busy cursor, a spinning
// caption, the task's bar and label copied every 50 ms, and the only Cancel of
// the long tasks. Any close but the task's own end cancels the task. QtUi
// shows it while it runs the task.

#include <QWidget>

#include "shell/ProgressWindowState.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace arc {
class TaskProgress;
}

namespace arc::ui {

class ProgressWindow : public QWidget {
    Q_OBJECT

  public:
    ProgressWindow(TaskProgress& progress, QWidget* parent = nullptr);

    /// The task ended: the window unloads without cancelling anything.
    void Finish();
    /// True once the window has unloaded (it is then deleted soon).
    bool Unloaded() const { return unloaded_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void OnTimer();
    void OnCancel();

    TaskProgress& progress_;
    ProgressWindowState state_;
    QLabel* label_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    QTimer* timer_;
    int ticks_ = 0;
    bool finished_ = false;
    bool unloaded_ = false;
};

}  // namespace arc::ui
