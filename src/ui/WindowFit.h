#pragma once
// Keeping windows where the user can reach them: a tool window inside the
// visible part of its MDI area, a top-level window on its screen with its
// title bar.

class QPoint;
class QWidget;

namespace arc::ui {

/// Shrinks and moves the window (an MDI frame or a top-level window, frame
/// included) the least needed to lie wholly in the visible area. A maximised
/// window is left as it is.
void FitIntoVisibleArea(QWidget* window);

/// Puts a top-level window's client area at `clientTopLeft` (the point its
/// geometry() reported when its place was stored), then fits it on screen.
void PlaceClientAt(QWidget* window, const QPoint& clientTopLeft);

}  // namespace arc::ui
