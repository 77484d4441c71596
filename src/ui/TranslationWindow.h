#pragma once
// The translation window: binds its widgets to TranslationWindowState.

#include <array>

#include "translation/TranslationWindowState.h"
#include "ui/ChildWindow.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace arc::ui {

class TranslationWindow : public ChildWindow {
    Q_OBJECT

  public:
    TranslationWindow();

  private:
    void Collect();
    void Refresh();

    TranslationWindowState state_;
    std::array<QCheckBox*, kTranslationRows> checks_{};
    std::array<QLineEdit*, kTranslationRows> paths_{};
    QPushButton* edit_ = nullptr;
    QPushButton* translate_ = nullptr;
};

}  // namespace arc::ui
