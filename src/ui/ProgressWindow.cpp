#include "ui/ProgressWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/Progress.h"
#include "shell/WindowPlace.h"
#include "ui/WindowFit.h"

namespace arc::ui {

ProgressWindow::ProgressWindow(TaskProgress& progress, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      progress_(progress),
      label_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton(this)),
      timer_(new QTimer(this)) {
    setObjectName("Form2");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromStdString(state_.InitialCaption()));
    setCursor(Qt::WaitCursor);
    setMinimumWidth(420);

    label_->setObjectName("Label1");
    label_->setTextFormat(Qt::PlainText);
    label_->setMinimumHeight(label_->fontMetrics().height() * 2);
    label_->setWordWrap(true);
    bar_->setObjectName("ProgressBar1");
    bar_->setRange(0, 100);
    bar_->setValue(0);
    cancel_->setObjectName("Command1");
    cancel_->setText(QString::fromStdString(state_.CancelCaption()));
    cancel_->setCursor(Qt::ArrowCursor);
    connect(cancel_, &QPushButton::clicked, this, &ProgressWindow::OnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    layout->addWidget(cancel_, 0, Qt::AlignRight);

    // Stored and restored as the client area's place (see closeEvent).
    adjustSize();
    const WindowPlace place = SavedWindowPlace(ProgressWindowState::kWindowNumber);
    if (place.left || place.top)
        PlaceClientAt(this, QPoint(place.left.value_or(x()), place.top.value_or(y())));

    timer_->setObjectName("Timer1");
    timer_->setInterval(ProgressWindowState::kBarTickMs);
    connect(timer_, &QTimer::timeout, this, &ProgressWindow::OnTimer);
    timer_->start();
    OnTimer();
}

void ProgressWindow::Finish() {
    finished_ = true;
    close();
}

void ProgressWindow::OnTimer() {
    const QString label = QString::fromStdString(progress_.Label());
    if (label != label_->text()) label_->setText(label);
    constexpr int kCaptionTicks = ProgressWindowState::kTickMs / ProgressWindowState::kBarTickMs;
    if (ticks_++ % kCaptionTicks == 0) {
        const ProgressWindowState::Tick tick = state_.OnTimer(progress_.Total(), progress_.Done());
        setWindowTitle(QString::fromStdString(tick.caption));
    }
    bar_->setValue(ProgressBarValue(progress_.Total(), progress_.Done()));
}

void ProgressWindow::OnCancel() {
    if (state_.ConfirmCancel()) close();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    if (!unloaded_) {
        unloaded_ = true;
        timer_->stop();
        if (!finished_) progress_.Cancel();
        state_.Unload(geometry().x(), geometry().y());
    }
    QWidget::closeEvent(event);
}

}  // namespace arc::ui
