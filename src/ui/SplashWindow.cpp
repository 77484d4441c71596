#include "ui/SplashWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/ProgramFolder.h"
#include "core/Version.h"
#include "shell/MainMenu.h"
#include "ui/ArcanoteArt.h"

namespace arc::ui {

SplashWindow::SplashWindow(QWidget* parent, bool closesItself)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      ok_(new QPushButton("&Ok", this)),
      timer_(new QTimer(this)),
      closesItself_(closesItself) {
    setObjectName("frmSplash");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Arcanote");

    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(ArcanotePicture(360, 150));
    picture->setAlignment(Qt::AlignCenter);

    auto* version = new QLabel(QString::fromStdString(SplashVersionLabel()), this);
    version->setObjectName("lblVersion");
    version->setAlignment(Qt::AlignRight);

    auto* text = new QLabel(
        "Arcanote: the database, the game sheets and the tools\nof your MAME collection.", this);
    text->setObjectName("lblText");
    text->setAlignment(Qt::AlignCenter);

    auto* web = new QLabel("<a style=\"color: #5fd4f4\" href=\"readme\">readme.txt</a>", this);
    web->setObjectName("lblWeb");
    web->setAlignment(Qt::AlignCenter);
    web->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(web, &QLabel::linkActivated, this, [this] {
        OpenReadMe();
        close();
    });

    ok_->setObjectName("cmdOK");
    ok_->setVisible(false);
    // Its room is kept, so that the box does not grow off its centre when it shows.
    QSizePolicy keepRoom = ok_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    ok_->setSizePolicy(keepRoom);
    connect(ok_, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(version);
    layout->addWidget(text);
    layout->addWidget(web);
    layout->addWidget(ok_, 0, Qt::AlignCenter);
    setStyleSheet(
        // By object name: the type selector would need the namespaced class name.
        "#frmSplash { background: #10131c; } QLabel { color: #e8e4d8; }"
        " QLabel#lblVersion { color: #f3b531; font-weight: bold; }");
    setAttribute(Qt::WA_StyledBackground);

    timer_->setObjectName("Timer1");
    timer_->setInterval(kTimerMs);
    connect(timer_, &QTimer::timeout, this, &SplashWindow::OnTimer);
    timer_->start();
}

void SplashWindow::OnTimer() {
    if (closesItself_) {
        close();
        return;
    }
    timer_->stop();
    ok_->setVisible(true);
}

}  // namespace arc::ui
