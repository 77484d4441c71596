// The desktop program: arcanote [--home DIR]

#include <QApplication>
#include <cstdio>
#include <optional>
#include <string>

#include "ui/DesktopSession.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Arcanote");

    std::optional<std::string> home;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == "--home" && i + 1 < args.size()) {
            home = args[++i].toStdString();
        } else if (args[i].startsWith("--home=")) {
            home = args[i].mid(7).toStdString();
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
    return app.exec();
}
