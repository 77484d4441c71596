#pragma once
// The audit window: runs the audit of the owned sets with a progress bar and
// a cancel button, and lists the last audit's results, sortable by column.

#include <functional>
#include <string>

#include "ui/ChildWindow.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;

namespace arc {
struct AuditRequest;
class TaskContext;
class TaskProgress;
}  // namespace arc

namespace arc::ui {

class AuditWindow : public ChildWindow {
    Q_OBJECT

  public:
    /// Runs the audit of the open database, reporting to the context's
    /// progress (the window's bar and Cancel button); "" when it ran to its
    /// end or was cancelled, else why not.
    using Runner = std::function<std::string(const AuditRequest& request, TaskContext& context)>;

    AuditWindow();
    /// Replaces the audit engine (tests).
    void SetRunner(Runner runner) { runner_ = std::move(runner); }
    bool Busy() const override { return running_; }

  private:
    void Run();
    void ShowResults();

    Runner runner_;
    QProgressBar* progress_;
    QPushButton* start_;
    QPushButton* cancel_;
    QLabel* count_;
    QTableWidget* results_;
    QTimer* barTimer_;              ///< copies the running task's count to the bar
    TaskProgress* task_ = nullptr;  ///< the running audit's progress
    bool running_ = false;
};

}  // namespace arc::ui
