#pragma once
// The "Images" window: artwork folders kept in step with the owned ROMs.

#include <array>

#include "collection/ImagesWindowState.h"
#include "ui/ChildWindow.h"

class QCheckBox;
class QLineEdit;

namespace arc::ui {

class ImagesWindow : public ChildWindow {
    Q_OBJECT

  public:
    ImagesWindow();

  protected:
    void OnUnload() override;

  private:
    void TakeBoxes();

    ImagesWindowState state_;
    std::array<QCheckBox*, kArtSlots> check1_{};
    QLineEdit* text1_;
};

}  // namespace arc::ui
