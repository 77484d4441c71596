#include "ui/ChildWindow.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QPointer>
#include <vector>

#include "core/UiService.h"

#include "shell/WindowPlace.h"
#include "ui/FlatControls.h"
#include "ui/WindowFit.h"

namespace arc::ui {
namespace {

/// The loops of the RunUntilClosed waits under way, innermost last.
std::vector<QEventLoop*>& Waits() {
    static std::vector<QEventLoop*> waits;
    return waits;
}

}  // namespace

void RunUntilClosed(QWidget* window) {
    QPointer<QWidget> watched(window);
    if (!watched) return;
    QEventLoop loop;
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    Waits().push_back(&loop);
    loop.exec();
    Waits().pop_back();
}

void StopInnermostWait() {
    if (!Waits().empty()) Waits().back()->quit();
}

ChildWindow::ChildWindow(WindowId id, QWidget* parent)
    : QWidget(parent), windowNumber_(WindowNumber(id)) {
    setObjectName(QString::fromStdString(ObjectNameOf(id)));
    setAttribute(Qt::WA_DeleteOnClose);
}

void ChildWindow::keyPressEvent(QKeyEvent* event) {
    const bool escape = event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier;
    const bool ctrlF4 = event->key() == Qt::Key_F4 && event->modifiers() == Qt::ControlModifier;
    if ((escape && closesOnEscape_) || ctrlF4) {
        if (!Busy() && !Ui().IsWindowOpen(WindowId::Progress)) Unload();
        return;
    }
    QWidget::keyPressEvent(event);
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
    // An MDI frame is stored and placed by its outer rectangle; a top-level
    // window by its client area, which is known before the frame is.
    const QRect stored = frame == this && isWindow() ? geometry() : frame->geometry();
    QRect placed = stored;
    if (place.left) placed.moveLeft(*place.left);
    if (place.top) placed.moveTop(*place.top);
    if (place.width) placed.setSize(QSize(*place.width, *place.height));
    if (placed != stored) frame->setGeometry(placed);
    FitIntoVisibleArea(frame);
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
