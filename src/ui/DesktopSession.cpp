#include "ui/DesktopSession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/UiService.h"
#include "core/WindowId.h"
#include "shell/Startup.h"
#include "ui/ArcanoteArt.h"
#include "ui/LanguageWindow.h"
#include "ui/MainWindow.h"
#include "ui/SplashWindow.h"

namespace arc::ui {
namespace {

/// Lets the windows paint and respond for `ms` milliseconds.
void RunEventsFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

}  // namespace

DesktopSession::DesktopSession() = default;

DesktopSession::~DesktopSession() {
    main_.reset();
    if (&arc::Ui() == &ui_) InstallUi(nullptr);
}

DesktopSession::Outcome DesktopSession::Start(const std::optional<std::string>& home,
                                              std::string_view executablePath, int splashMs,
                                              std::string* error) {
    ArmErrorConvention();

    std::string why;
    const std::optional<std::string> folder = ResolveProgramFolder(home, executablePath, &why);
    if (!folder) {
        if (error) *error = why;
        return Outcome::NoProgramFolder;
    }
    SetProgramFolder(*folder);

    // One instance per program folder. The lock holds the owner's process id,
    // so the lock of a crashed instance is taken over.
    lock_ = std::make_unique<QLockFile>(QString::fromStdString(InProgramFolder(kInstanceLockName)));
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        if (lock_->error() == QLockFile::LockFailedError) return Outcome::AlreadyRunning;
        lock_.reset();  // an unwritable folder: run without the guard
    }

    InstallUi(&ui_);
    QApplication::setWindowIcon(ArcanoteIcon());

    Progress().Cancel = true;  // the splash closes itself on its first tick
    auto* splash = new SplashWindow;
    splash->show();
    RunEventsFor(splashMs);

    if (!LoadStartupSettings()) {
        LanguageWindow language;
        FirstRunLanguageChosen(language.Ask());
    }
    FinishStartup();

    main_ = std::make_unique<MainWindow>();
    ui_.SetMainWindow(main_.get());
    main_->show();
    // The game browser is the main view whenever there is a database to show.
    const std::string& database = TheSettings().DatabasePath;
    if (!database.empty() && FileExists(database))
        main_->OpenWindow(ObjectNameOf(WindowId::GameBrowser));
    return Outcome::Started;
}

}  // namespace arc::ui
