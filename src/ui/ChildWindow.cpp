#include "ui/ChildWindow.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

#include "shell/WindowPlace.h"
#include "ui/FlatControls.h"

namespace arc::ui {

ChildWindow::ChildWindow(WindowId id, QWidget* parent)
    : QWidget(parent), windowNumber_(WindowNumber(id)) {
    setObjectName(QString::fromStdString(ObjectNameOf(id)));
    setAttribute(Qt::WA_DeleteOnClose);
}

QWidget* ChildWindow::Frame() {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) return frame;
    return this;
}

void ChildWindow::Unload() {
    Frame()->close();
}

void ChildWindow::RestorePlace() {
    const WindowPlace place = SavedWindowPlace(windowNumber_);
    QWidget* frame = Frame();
    if (place.left) frame->move(*place.left, frame->y());
    if (place.top) frame->move(frame->x(), *place.top);
    if (place.width) frame->resize(*place.width, *place.height);
}

void ChildWindow::showEvent(QShowEvent* event) {
    if (!loaded_) {
        loaded_ = true;
        FlatControls(this);
    }
    QWidget::showEvent(event);
}

void ChildWindow::closeEvent(QCloseEvent* event) {
    if (!unloaded_) {
        unloaded_ = true;
        const QRect place = Frame()->geometry();
        StoreWindowPlace(windowNumber_, place.x(), place.y(), place.width(), place.height());
        OnUnload();
    }
    QWidget::closeEvent(event);
}

}  // namespace arc::ui
