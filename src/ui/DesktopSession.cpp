#include "ui/DesktopSession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "core/WindowId.h"
#include "database/Layout.h"
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

/// A database that cannot be shown is told, with the two ways out: build
/// one, or choose another file.
void OfferBuildOrChoose(MainWindow& main, const std::string& problem) {
    const MsgAnswer answer = Ui().Message(problem + "\r\n" + Text(kTextBuildOrChoose),
                                          MsgButtons::YesNoCancel, MsgIcon::Exclamation);
    if (answer == MsgAnswer::Yes) {
        main.RunCommand(MenuCommand::BuildDatabase);
    } else if (answer == MsgAnswer::No) {
        bool cancelled = true;
        const std::string chosen = ChooseDatabaseFile(&cancelled);
        if (!cancelled && DatabaseFileProblem(chosen).empty())
            main.OpenWindow(ObjectNameOf(WindowId::GameBrowser));
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

    auto* splash = new SplashWindow(nullptr, true);
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
    // The game browser is the main view whenever there is a database to show;
    // otherwise the user is told why, once the main window is up.
    const std::string problem = DatabaseFileProblem(TheSettings().DatabasePath);
    if (problem.empty()) {
        main_->OpenWindow(ObjectNameOf(WindowId::GameBrowser));
    } else {
        MainWindow* main = main_.get();
        QTimer::singleShot(0, main, [main, problem] { OfferBuildOrChoose(*main, problem); });
    }
    return Outcome::Started;
}

}  // namespace arc::ui
