#pragma once
// Base of the tool windows shown inside the main window's MDI area.

#include <QWidget>

#include "core/WindowId.h"

namespace arc::ui {

class ChildWindow : public QWidget {
    Q_OBJECT

  public:
    /// The window's objectName ("FormN") and the slot its position is saved
    /// under come from its id.
    explicit ChildWindow(WindowId id, QWidget* parent = nullptr);

    /// Closes the window (and its MDI frame); OnUnload() runs.
    void Unload();

    /// Moves and sizes the window to its saved place, when one was saved, then
    /// fits it into the visible area.
    void RestorePlace();

    /// The widget that carries the window's position: its MDI frame, or itself.
    QWidget* Frame();

    /// True while the window runs a task of its own (Escape then does not close it).
    virtual bool Busy() const { return false; }

    /// The wizard opened the window as one of its steps.
    virtual void OpenedByWizard() {}

  protected:
    /// Runs once, whatever closes the window, after its position was stored.
    virtual void OnUnload() {}

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    /// Escape and Ctrl+F4 that no control took close the window unless a task runs.
    void keyPressEvent(QKeyEvent* event) override;
    /// The main view (the game browser) stays open on Escape.
    void KeepOpenOnEscape() { closesOnEscape_ = false; }

  private:
    int windowNumber_;
    bool closesOnEscape_ = true;
    bool loaded_ = false;
    bool unloaded_ = false;
};

/// Runs a local event loop until `window` has closed (it is deleted on close)
/// or StopInnermostWait() ended the wait. The caller may be deleted meanwhile.
void RunUntilClosed(QWidget* window);

/// Ends the innermost RunUntilClosed wait; the window stays open.
void StopInnermostWait();

}  // namespace arc::ui
