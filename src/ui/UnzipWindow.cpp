#include "ui/UnzipWindow.h"

#include "ui/TaskRunner.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace arc::ui {

UnzipWindow::UnzipWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool),
      label1_(new QLabel(this)),
      track_(new QFrame(this)),
      shape1_(new QFrame(track_)) {
    setObjectName("frmUnZip");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(UnzipWindowState::kCaption.data(),
                                     static_cast<int>(UnzipWindowState::kCaption.size())));
    label1_->setObjectName("Label1");
    label1_->setMinimumWidth(320);
    track_->setObjectName("Track");
    track_->setFrameShape(QFrame::Box);
    track_->setFixedHeight(18);
    shape1_->setObjectName("Shape1");
    shape1_->setAutoFillBackground(true);
    QPalette palette = shape1_->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Highlight));
    shape1_->setPalette(palette);
    shape1_->setGeometry(0, 0, 0, 18);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addWidget(track_);
}

void UnzipWindow::Update(const UnzipWindowState& window) {
    label1_->setText(QString::fromStdString(window.Label1()));
    shape1_->setGeometry(0, 0, track_->width() * window.BarPercent() / 100, track_->height());
}

// An extraction may run on a task's worker thread: the window is shown and
// painted on the UI thread, which waits for nothing else meanwhile.
void QtUnzipWindowView::Show(const UnzipWindowState& window) {
    RunOnUiThread([&] {
        if (!window_) window_ = new UnzipWindow(QApplication::activeWindow());
        window_->Update(window);
        window_->show();
        window_->raise();
    });
}

void QtUnzipWindowView::Refresh(const UnzipWindowState& window) {
    RunOnUiThread([&] {
        if (!window_) return;
        window_->Update(window);
        window_->repaint();  // also when the extraction runs on the UI thread
    });
}

void QtUnzipWindowView::Unload() {
    RunOnUiThread([&] {
        if (window_) window_->close();
    });
}

namespace {
// Every program with the windows shows the unzip window.
QtUnzipWindowView g_unzipView;
[[maybe_unused]] const bool kUnzipViewInstalled = (InstallUnzipWindowView(&g_unzipView), true);
}  // namespace

}  // namespace arc::ui
