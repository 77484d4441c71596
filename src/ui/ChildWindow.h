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

    /// Moves and sizes the window to its saved place, when one was saved.
    void RestorePlace();

    /// The widget that carries the window's position: its MDI frame, or itself.
    QWidget* Frame();

  protected:
    /// Runs once, whatever closes the window, after its position was stored.
    virtual void OnUnload() {}

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    int windowNumber_;
    bool loaded_ = false;
    bool unloaded_ = false;
};

}  // namespace arc::ui
