#pragma once
// The import options window (window number 9), opened by the database build,
// which waits until it closes. Rules in ImportOptionsWindowState; this class binds the
// widgets to it.

#include "ui/ChildWindow.h"
#include "xmlimport/ImportOptionsWindowState.h"

class QCheckBox;
class QRadioButton;

namespace arc::ui {

class ImportOptionsWindow : public ChildWindow {
    Q_OBJECT

  public:
    ImportOptionsWindow();

  protected:
    void OnUnload() override;

  private:
    void OpenPaths();

    ImportOptionsWindowState state_;
    QCheckBox* check1_;
    QRadioButton* option1_;
    QRadioButton* option2_;
    QRadioButton* fastMethod_;
    QRadioButton* documentMethod_;
};

}  // namespace arc::ui
