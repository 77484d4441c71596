#pragma once
// The game-sheet window: destination, skin, selection and copy options, Make.
// Rules in SheetWindowState; this class binds the widgets to it.

#include <QList>

#include "sheets/SheetWindowState.h"
#include "ui/ChildWindow.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace arc::ui {

class SheetWindow : public ChildWindow {
    Q_OBJECT

  public:
    SheetWindow();
    void OpenedByWizard() override { state_.inWizard = true; }

  protected:
    void OnUnload() override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QCheckBox* AddCheck(const QString& name, const std::string& caption, bool checked);
    void ChooseFolder();
    void Make();
    void TakeControls();

    SheetWindowState state_;
    QLineEdit* text1_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QList<QCheckBox*> check1_;  ///< Check1 0, 1, 8 in that order
    QList<QCheckBox*> check2_;  ///< Check2 0..6
    QCheckBox* check3_ = nullptr;
    QCheckBox* check4_ = nullptr;
    bool chooserShown_ = false;
    bool running_ = false;
};

}  // namespace arc::ui
