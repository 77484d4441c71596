#pragma once
// The update window: refreshes an existing database from the chosen sources.
// Its rules live in UpdateWindowState; the widgets only copy values.

#include <array>

#include "pipeline/UpdateWindowState.h"
#include "ui/ChildWindow.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace arc::ui {

class UpdateWindow : public ChildWindow {
    Q_OBJECT

  public:
    explicit UpdateWindow(QWidget* parent = nullptr);

  protected:
    void OnUnload() override;

  private:
    void ToWidgets();
    void FromWidgets();
    void ChooseFile();
    void RunUpdate();
    /// Hides this window while `windowName` is open, then shows it again.
    void WaitForWindow(WindowId window, bool menusOffAfter);

    UpdateWindowState state_;
    QLineEdit* path_;
    std::array<QCheckBox*, UpdateWindowState::kBoxes> boxes_{};
    QCheckBox* software_;
    QRadioButton* definedPaths_;
    QRadioButton* ownPaths_;
};

}  // namespace arc::ui
