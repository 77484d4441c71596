#pragma once
// The "Zip all / Unzip all" window.

#include "collection/ZipAllWindow.h"
#include "ui/ChildWindow.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace arc::ui {

class Form11 : public ChildWindow {
    Q_OBJECT

  public:
    Form11();

  private:
    void TakeBoxes();

    ZipAllWindow state_;
    QLineEdit* text1_;
    QLineEdit* text2_;
    QCheckBox* check1_;
    QPushButton* zipAll_;
};

}  // namespace arc::ui
