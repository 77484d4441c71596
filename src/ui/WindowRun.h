#pragma once
// A tool window run for the code that waits on what it tells: opened in the
// main window, tied to the caller while it is open, waited for until it has
// closed.

#include <QPointer>
#include <functional>

#include "core/WindowId.h"
#include "ui/ChildWindow.h"
#include "ui/MainWindow.h"

namespace arc::ui {

/// Opens window `id` of `main` as a W, lets `tie` connect what the window
/// tells to the caller, and returns once the window has closed (or the wait
/// was stopped; `untie` then disconnects it, as the caller's answer is gone).
/// False when the window could not be opened.
template <class W>
bool RunWindowTied(MainWindow& main, WindowId id, const std::function<void(W&)>& tie,
                   const std::function<void(W&)>& untie) {
    auto* window = qobject_cast<W*>(main.OpenWindow(ObjectNameOf(id)));
    if (!window) return false;
    tie(*window);
    const QPointer<W> watched(window);
    RunUntilClosed(window);
    if (watched) untie(*watched);
    return true;
}

}  // namespace arc::ui
