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

namespace arc::ui {

class AuditWindow : public ChildWindow {
    Q_OBJECT

  public:
    /// Runs the audit of the open database, calling `onSet` after each set;
    /// "" when it ran to its end, else why not.
    using Runner = std::function<std::string(const std::function<void()>& onSet)>;

    AuditWindow();
    /// Replaces the audit engine (tests).
    void SetRunner(Runner runner) { runner_ = std::move(runner); }

  private:
    void Run();
    void ShowResults();
    void ShowProgress();

    Runner runner_;
    QProgressBar* progress_;
    QPushButton* start_;
    QPushButton* cancel_;
    QLabel* count_;
    QTableWidget* results_;
};

}  // namespace arc::ui
