// The desktop program: arcanote [--home DIR]
//     [--screenshot FILE [--screenshot-window paths|browser|browser-text|search]
//     [--screenshot-select SET]] [--live-check DIR]

#include <QApplication>
#include <cstdio>
#include <optional>
#include <string>

#include "LiveCheck.h"
#include "Screenshot.h"
#include "core/ErrorGuard.h"
#include "core/UiService.h"
#include "ui/DesktopSession.h"
#include "ui/DesktopWindows.h"
#include "ui/MainWindow.h"

namespace {

// An operation of a window that reaches the error limit ends there: the user
// is told, and the program goes on.
class Application : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const arc::ErrorLimitReached& stop) {
            arc::Ui().Message(stop.message(), arc::MsgButtons::Ok, arc::MsgIcon::Critical);
            return false;
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    QApplication::setApplicationName("Arcanote");

    std::optional<std::string> home;
    QString screenshot;
    QString screenshotWindow = "paths";
    QString screenshotSet;
    QString liveCheck;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == "--home" && i + 1 < args.size()) {
            home = args[++i].toStdString();
        } else if (args[i].startsWith("--home=")) {
            home = args[i].mid(7).toStdString();
        } else if (args[i] == "--screenshot" && i + 1 < args.size()) {
            screenshot = args[++i];
        } else if (args[i] == "--screenshot-window" && i + 1 < args.size()) {
            screenshotWindow = args[++i];
        } else if (args[i] == "--screenshot-select" && i + 1 < args.size()) {
            screenshotSet = args[++i];
        } else if (args[i] == "--live-check" && i + 1 < args.size()) {
            liveCheck = args[++i];
        }
    }

    arc::ui::RegisterDesktopWindows();
    arc::ui::DesktopSession session;
    std::string error;
    switch (session.Start(home, argv[0], 1000, &error)) {
        case arc::ui::DesktopSession::Outcome::AlreadyRunning:
            return 0;
        case arc::ui::DesktopSession::Outcome::NoProgramFolder:
            std::fprintf(stderr, "arcanote: %s\n", error.c_str());
            return 1;
        case arc::ui::DesktopSession::Outcome::Started:
            break;
    }
    if (!screenshot.isEmpty())
        ScheduleScreenshot(*session.TheMainWindow(), screenshot, screenshotWindow, screenshotSet);
    if (!liveCheck.isEmpty()) ScheduleLiveCheck(*session.TheMainWindow(), liveCheck);
    return app.exec();
}
