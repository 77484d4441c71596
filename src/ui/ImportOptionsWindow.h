#pragma once
// The import options window (window number 9), opened by the database build,
// which waits until it closes. Rules in ImportOptionsWindowState; this class binds the
// widgets to it.

#include <functional>
#include <optional>

#include "ui/ChildWindow.h"
#include "xmlimport/ImportOptionsWindowState.h"

class QCheckBox;
class QRadioButton;

namespace arc::ui {

class MainWindow;

class ImportOptionsWindow : public ChildWindow {
    Q_OBJECT

  public:
    ImportOptionsWindow();

    /// Told once, as the window goes: the choices, nothing when cancelled.
    std::function<void(std::optional<ImportChoices>)> onClosed;

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

/// The build's question: shows the window in `main` and returns the user's
/// choices once it closed; nothing when it was cancelled or could not open.
std::optional<ImportChoices> AskImportOptions(MainWindow& main);

}  // namespace arc::ui
