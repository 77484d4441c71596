#pragma once
// The first-run language window (modal). Whatever closes it, the selected
// language is taken.

#include <QDialog>

class QComboBox;

namespace arc::ui {

class LanguageWindow : public QDialog {
    Q_OBJECT

  public:
    explicit LanguageWindow(QWidget* parent = nullptr);

    /// Shows the window modally; returns the selected index (0 English, 1 French).
    int Ask();

  private:
    QComboBox* languages_;
};

}  // namespace arc::ui
