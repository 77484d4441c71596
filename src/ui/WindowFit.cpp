#include "ui/WindowFit.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include "shell/WindowPlace.h"

namespace arc::ui {
namespace {

PlaceRect ToPlace(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QRect ToRect(const PlaceRect& place) {
    return {place.x, place.y, place.width, place.height};
}

/// The frame around a top-level window's client area. Before the window is
/// shown the window manager has not drawn one yet: a title bar is assumed.
QMargins FrameMargins(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                     frame.right() - client.right(), frame.bottom() - client.bottom());
    if (margins.isNull() && !window->isVisible())
        margins.setTop(window->style()->pixelMetric(QStyle::PM_TitleBarHeight));
    return margins;
}

QRect AvailableScreenArea(const QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

void FitIntoVisibleArea(QWidget* window) {
    if (!window || window->isMaximized() || window->isMinimized()) return;
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window)) {
        const QMdiArea* area = frame->mdiArea();
        if (!area) return;
        const QRect visible(QPoint(0, 0), area->viewport()->size());
        const QRect fitted = ToRect(FitInto(ToPlace(frame->geometry()), ToPlace(visible)));
        if (fitted != frame->geometry()) frame->setGeometry(fitted);
        return;
    }
    if (!window->isWindow()) return;
    const QRect screen = AvailableScreenArea(window);
    if (screen.isEmpty()) return;
    // The client area goes inside the screen less the frame, so that the
    // title bar stays on it.
    const QRect inside = screen.marginsRemoved(FrameMargins(window));
    const QRect fitted = ToRect(FitInto(ToPlace(window->geometry()), ToPlace(inside)));
    if (fitted != window->geometry()) window->setGeometry(fitted);
}

void PlaceClientAt(QWidget* window, const QPoint& clientTopLeft) {
    window->setGeometry(QRect(clientTopLeft, window->size()));
    FitIntoVisibleArea(window);
}

}  // namespace arc::ui
