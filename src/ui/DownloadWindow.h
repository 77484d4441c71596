#pragma once
// The download window: binds its widgets to DownloadWindowState.

#include <array>

#include "download/DownloadWindowState.h"
#include "ui/ChildWindow.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace arc::ui {

class DownloadWindow : public ChildWindow {
    Q_OBJECT

  public:
    DownloadWindow();

    DownloadWindowState& State() { return state_; }
    void OpenedByWizard() override { state_.inWizard = true; }

  protected:
    void OnUnload() override;

  private:
    void Collect();
    void Refresh();
    void RunDownload();

    DownloadWindowState state_;
    std::array<QCheckBox*, kDownloadEntries> checks_{};
    std::array<QLineEdit*, kDownloadEntries> urls_{};
    std::array<QPushButton*, kDownloadEntries> sites_{};
    std::array<QLabel*, kDownloadEntries> successMarks_{};
    std::array<QLabel*, kDownloadEntries> failureMarks_{};
    QLabel* status_ = nullptr;
    QCheckBox* copy_ = nullptr;
    QPushButton* download_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* paths_ = nullptr;
    QPushButton* editList_ = nullptr;
};

class MainWindow;

/// The download window as the wizard's step: returns what its run did once
/// it has closed ("" when it closed without a run).
std::string RunDownloadStep(MainWindow& main);

}  // namespace arc::ui
