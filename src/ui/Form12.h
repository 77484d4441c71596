#pragma once
// The "Images" window: artwork folders kept in step with the owned ROMs.

#include <array>

#include "collection/ImagesWindow.h"
#include "ui/ChildWindow.h"

class QCheckBox;
class QLineEdit;

namespace arc::ui {

class Form12 : public ChildWindow {
    Q_OBJECT

  public:
    Form12();

  protected:
    void OnUnload() override;

  private:
    void TakeBoxes();

    ImagesWindow state_;
    std::array<QCheckBox*, kArtSlots> check1_{};
    QLineEdit* text1_;
};

}  // namespace arc::ui
