#include "LiveCheck.h"

#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <memory>
#include <utility>

#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/WindowId.h"
#include "shell/MainMenu.h"
#include "ui/MainWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

QImage Grab(const QRect& area) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

int DifferentPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) ++count;
    return count;
}

int PixelsOf(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) == (colour & 0xffffff)) ++count;
    return count;
}

QWidget* ProgressWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "Form2" && widget->isVisible()) return widget;
    return nullptr;
}

struct Check {
    Check(arc::ui::MainWindow& window, QString into) : main(window), folder(std::move(into)) {}

    arc::ui::MainWindow& main;
    QString folder;
    QTimer poll;
    Clock::time_point shown{}, yes{}, ended{};
    QImage first, second;
    int firstBar = 0, secondBar = 0;
    int step = 0;  // 0 waiting, 1 first picture, 2 covered, 3 uncovered, 4 checked, 5 cancelling
    std::unique_ptr<QWidget> cover;
    int start = 0;
    int redLeft = -1;
    int coveredRed = -1;

    void Tick() {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            dialog->selectFile(QString::fromStdString(arc::TheSettings().DatabasePath));
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (step == 5 && box->text().toStdString() == arc::Text(arc::kTextConfirmCancel)) {
                const QWidget* window = ProgressWindow();
                const auto* label = window ? window->findChild<QLabel*>("Label1") : nullptr;
                const auto* bar =
                    window ? window->findChild<QProgressBar*>("ProgressBar1") : nullptr;
                std::printf("cancel confirmed at: %s %d%%\n",
                            label ? qPrintable(label->text()) : "?", bar ? bar->value() : -1);
                yes = Clock::now();
            } else if (step < 5)
                std::printf("question: %s -> Yes\n", qPrintable(box->text().simplified()));
            else
                std::printf("message: %s\n", qPrintable(box->text().simplified()));
            QAbstractButton* button = box->button(QMessageBox::Yes);
            if (!button) button = box->buttons().value(0);
            if (button) button->click();
            return;
        }
        if (QWidget* options =
                main.FindOpenWindow(arc::ObjectNameOf(arc::WindowId::ImportOptions))) {
            if (auto* ok = options->findChild<QPushButton*>("Command1")) ok->click();
            return;
        }
        QWidget* progress = ProgressWindow();
        if (!progress) return;
        const auto now = Clock::now();
        if (shown == Clock::time_point{}) {
            shown = now;
            std::printf("progress window shown\n");
        }
        // The first picture as the window shows, or ARCANOTE_LIVE_START ms later.
        const double since = MsBetween(shown, now) + 1500 - start;
        const QRect area = progress->frameGeometry();
        auto* bar = progress->findChild<QProgressBar*>("ProgressBar1");
        if (step == 0 && since >= 1500) {
            first = Grab(area);
            firstBar = bar ? bar->value() : -1;
            first.save(folder + "/live-1.png");
            step = 1;
        } else if (step == 1 && since >= 1600) {
            // A red window over the main window, then taken away: the main
            // window must paint the uncovered area itself.
            cover = std::make_unique<QWidget>(
                nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
            cover->setAutoFillBackground(true);
            QPalette palette = cover->palette();
            palette.setColor(QPalette::Window, QColor(255, 0, 0));
            cover->setPalette(palette);
            cover->setGeometry(main.geometry());
            cover->show();
            step = 2;
        } else if (step == 2 && since >= 1800) {
            coveredRed = PixelsOf(Grab(main.geometry()), qRgb(255, 0, 0));
            cover->hide();
            step = 3;
        } else if (step == 3 && since >= 2100) {
            const QImage uncovered = Grab(main.geometry());
            uncovered.save(folder + "/live-uncovered.png");
            redLeft = PixelsOf(uncovered, qRgb(255, 0, 0));
            std::printf("main window covered: %d red pixels; 300 ms after uncovering: %d left\n",
                        coveredRed, redLeft);
            step = 4;
        } else if (step == 4 && since >= 2500) {
            second = Grab(area);
            secondBar = bar ? bar->value() : -1;
            second.save(folder + "/live-2.png");
            std::printf("pictures 1 s apart: %d of %d pixels differ, bar %d%% -> %d%%\n",
                        DifferentPixels(first, second), first.width() * first.height(), firstBar,
                        secondBar);
            step = 5;
            // Clicked once this tick returned: its question runs a loop of its own.
            if (auto* cancel = progress->findChild<QPushButton*>("Command1"))
                QTimer::singleShot(0, cancel, &QPushButton::click);
        }
    }
};

}  // namespace

void ScheduleLiveCheck(arc::ui::MainWindow& main, const QString& folder) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    auto check = std::make_shared<Check>(main, folder);
    bool given = false;
    const int start = qEnvironmentVariableIntValue("ARCANOTE_LIVE_START", &given);
    if (given && start >= 0) check->start = start;
    check->poll.setInterval(20);
    QObject::connect(&check->poll, &QTimer::timeout, [check] { check->Tick(); });
    check->poll.start();
    QTimer::singleShot(200, &main, [check, &main] {
        const auto start = Clock::now();
        main.RunCommand(arc::MenuCommand::BuildDatabase);
        check->ended = Clock::now();
        check->poll.stop();
        if (check->yes == Clock::time_point{}) {
            std::printf("the build ended after %.0f ms before its Cancel\n",
                        MsBetween(start, check->ended));
        } else {
            std::printf("cancel: the build ended %.0f ms after the Yes\n",
                        MsBetween(check->yes, check->ended));
        }
        std::printf("settings' database: %s\n", arc::TheSettings().DatabasePath.c_str());
        std::fflush(stdout);
        QApplication::quit();
    });
}
