#pragma once
// The wizard window: binds its widgets to WizardWindow.

#include <array>

#include "ui/ChildWindow.h"
#include "wizard/WizardWindow.h"

class QCheckBox;
class QPushButton;

namespace arc::ui {

class Form7 : public ChildWindow {
    Q_OBJECT

  public:
    Form7();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void OnUnload() override;

  private:
    WizardWindow state_;
    std::array<QCheckBox*, kWizardBoxes> boxes_{};
    QPushButton* next_ = nullptr;
    bool closeAfterRun_ = false;
};

}  // namespace arc::ui
