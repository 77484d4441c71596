#pragma once
// The splash window, shown at start-up and reused as the About box. Its timer
// (3 s) closes it at start-up and shows its OK button as About box.

#include <QWidget>

class QPushButton;
class QTimer;

namespace arc::ui {

class SplashWindow : public QWidget {
    Q_OBJECT

  public:
    /// At start-up the window closes itself on its timer; for the About
    /// command it shows its OK button then.
    explicit SplashWindow(QWidget* parent = nullptr, bool closesItself = false);

    static constexpr int kTimerMs = 3000;

  private:
    void OnTimer();

    QPushButton* ok_;
    QTimer* timer_;
    bool closesItself_;
};

}  // namespace arc::ui
