#pragma once
// The "Zip all / Unzip all" window.

#include "collection/ZipAllWindowState.h"
#include "ui/ChildWindow.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace arc::ui {

class ZipAllWindow : public ChildWindow {
    Q_OBJECT

  public:
    ZipAllWindow();

  private:
    void TakeBoxes();

    ZipAllWindowState state_;
    QLineEdit* text1_;
    QLineEdit* text2_;
    QCheckBox* check1_;
    QPushButton* zipAll_;
};

}  // namespace arc::ui
