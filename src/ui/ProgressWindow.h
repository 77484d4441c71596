#pragma once
// The progress window: topmost, busy cursor, a spinning caption and a bar
// updated every 500 ms, and the only Cancel of the long tasks. Any close sets
// the cancel flag. QtUi shows, labels and unloads it.

#include <QWidget>

#include "shell/ProgressWindowState.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace arc::ui {

class ProgressWindow : public QWidget {
    Q_OBJECT

  public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    void SetLabel(const QString& text);
    /// True once the window has unloaded (it is then deleted soon).
    bool Unloaded() const { return unloaded_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void OnTimer();
    void OnCancel();

    ProgressWindowState state_;
    QLabel* label_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    QTimer* timer_;
    bool unloaded_ = false;
};

}  // namespace arc::ui
