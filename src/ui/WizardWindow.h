#pragma once
// The wizard window: binds its widgets to WizardWindowState.

#include <array>

#include "ui/ChildWindow.h"
#include "wizard/WizardWindowState.h"

class QCheckBox;
class QPushButton;

namespace arc::ui {

class WizardWindow : public ChildWindow {
    Q_OBJECT

  public:
    WizardWindow();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void OnUnload() override;

  private:
    WizardWindowState state_;
    std::array<QCheckBox*, kWizardBoxes> boxes_{};
    QPushButton* next_ = nullptr;
    bool closeAfterRun_ = false;
};

}  // namespace arc::ui
