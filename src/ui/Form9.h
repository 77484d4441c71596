#pragma once
// The import options window (window number 9), opened by the database build,
// which waits until it closes. Rules in ImportOptions; this class binds the
// widgets to it.

#include "ui/ChildWindow.h"
#include "xmlimport/ImportOptions.h"

class QCheckBox;
class QRadioButton;

namespace arc::ui {

class Form9 : public ChildWindow {
    Q_OBJECT

  public:
    Form9();

  protected:
    void OnUnload() override;

  private:
    void OpenPaths();

    ImportOptions state_;
    QCheckBox* check1_;
    QRadioButton* option1_;
    QRadioButton* option2_;
    QRadioButton* fastMethod_;
    QRadioButton* documentMethod_;
};

}  // namespace arc::ui
