// The desktop program: arcanote [--home DIR]
//     [--screenshot FILE [--screenshot-window paths|browser|browser-text|search]
//     [--screenshot-select SET]]

#include <QApplication>
#include <cstdio>
#include <optional>
#include <string>

#include "Screenshot.h"
#include "ui/DesktopSession.h"
#include "ui/MainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Arcanote");

    std::optional<std::string> home;
    QString screenshot;
    QString screenshotWindow = "paths";
    QString screenshotSet;
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
        }
    }

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
    return app.exec();
}
