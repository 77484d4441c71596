#pragma once
// The translation window: binds its widgets to TranslationWindow.

#include <array>

#include "translation/TranslationWindow.h"
#include "ui/ChildWindow.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace arc::ui {

class Form8 : public ChildWindow {
    Q_OBJECT

  public:
    Form8();

  private:
    void Collect();
    void Refresh();

    TranslationWindow state_;
    std::array<QCheckBox*, kTranslationRows> checks_{};
    std::array<QLineEdit*, kTranslationRows> paths_{};
    QPushButton* edit_ = nullptr;
    QPushButton* translate_ = nullptr;
};

}  // namespace arc::ui
