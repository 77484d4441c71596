// The start-up sequence: the language window on a first run only, the
// settings file written at once, a second instance that ends at once, the
// lock of a crashed instance taken over.

#include <QComboBox>
#include <QMessageBox>
#include <QProcess>
#include <csignal>

#include "UiTestSupport.h"
#include "core/TextTable.h"
#include "core/WindowId.h"
#include "ui/DesktopSession.h"
#include "ui/LanguageWindow.h"
#include "ui/MainWindow.h"

using namespace arc;
using arc::ui::DesktopSession;

namespace {

std::string ProgramPath() {
    return test::BinDir() + "/arcanote";
}

/// The desktop program started on a program folder, headless.
struct Instance {
    explicit Instance(const std::string& home) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(environment);
        process.start(QString::fromStdString(ProgramPath()),
                      {"--home", QString::fromStdString(home)});
    }
    ~Instance() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    QProcess process;
};

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { arc::ui::RegisterDesktopWindows(); }

    void firstRunAsksTheLanguageBeforeTheMainWindowAndLaterRunsDoNot() {
        test::TempDir home;
        ResetLog();
        {
            bool mainWindowBefore = true;
            test::OnNextModal<QDialog> choose([&mainWindowBefore](QDialog* dialog) {
                const QWidgetList windows = QApplication::topLevelWidgets();
                mainWindowBefore = std::any_of(windows.begin(), windows.end(), [](QWidget* w) {
                    return w->objectName() == "MDIForm1";
                });
                dialog->findChild<QComboBox*>("Combo1")->setCurrentIndex(1);
                dialog->reject();  // the close box still takes the selection
            });
            DesktopSession session;
            QCOMPARE(session.Start(home.str(), ProgramPath(), 0), DesktopSession::Outcome::Started);
            QCOMPARE(choose.Seen(), std::string("Form6"));
            QVERIFY(!mainWindowBefore);
            QCOMPARE(TheSettings().Language, 1);
            QVERIFY(std::filesystem::exists(home.file("Arcanote.inf")));
            QVERIFY(std::filesystem::is_directory(home.file("BACKUP")));
            QVERIFY(session.TheMainWindow()->isVisible());
            session.TheMainWindow()->close();
        }
        // The next run reads the file without asking.
        ResetLog();
        TheSettings() = DefaultSettings();
        test::OnNextModal<QDialog> unexpected([](QDialog* dialog) { dialog->reject(); });
        DesktopSession session;
        QCOMPARE(session.Start(home.str(), ProgramPath(), 0), DesktopSession::Outcome::Started);
        QCOMPARE(unexpected.Seen(), std::string());
        QCOMPARE(session.TheMainWindow()->MenuAction("MnuQuit")->text(), QString("&Quitter"));
        QVERIFY(session.TheMainWindow()->MenuAction("MnuLangueFR")->isChecked());
        session.TheMainWindow()->close();
    }

    // Regression: a database that is no Arcanote database gave an empty grey window.
    void aDatabaseThatCannotBeShownIsToldWithBuildAndChoose() {
        test::TempDir home;
        ResetLog();
        TheSettings() = DefaultSettings();
        test::WriteFile(home.file("junk.mdb"), std::string(4096, 'j'));
        std::string settings = home.file("junk.mdb") + "\r\n";
        for (int line = 2; line < 28; ++line)
            settings += "\r\n";
        test::WriteFile(home.file("Arcanote.inf"), settings + " 0 \r\n");
        std::string told;
        const auto answer = test::AnswerNextMessage(QMessageBox::Cancel, &told);
        DesktopSession session;
        QCOMPARE(session.Start(home.str(), ProgramPath(), 0), DesktopSession::Outcome::Started);
        QTRY_VERIFY(!told.empty());
        QVERIFY(told.find(home.file("junk.mdb") + " is not an Arcanote database.") == 0);
        QVERIFY(told.find(Text(kTextBuildOrChoose)) != std::string::npos);
        QVERIFY(!session.TheMainWindow()->FindOpenWindow(ObjectNameOf(WindowId::GameBrowser)));
        session.TheMainWindow()->close();
    }

    // Regression: a settings file holding garbage was read, then saved over at quit.
    void garbageSettingsAreToldAndNeverSavedOver() {
        test::TempDir home;
        ResetLog();
        TheSettings() = DefaultSettings();
        const std::string garbage(
            "\x7f"
            "ELF\x02\x01\x01\0\0\0",
            10);
        test::WriteFile(home.file("Arcanote.inf"), garbage);
        std::string told;
        const auto answer = test::AnswerNextMessage(QMessageBox::Ok, &told);
        DesktopSession session;
        QCOMPARE(session.Start(home.str(), ProgramPath(), 0), DesktopSession::Outcome::Started);
        QVERIFY(told.find("Arcanote.inf is not a settings file") != std::string::npos);
        session.TheMainWindow()->close();
        QCOMPARE(test::ReadFile(home.file("Arcanote.inf")), garbage);
    }

    void aSecondInstanceEndsAtOnceAndLeavesTheFirstAlone() {
        test::TempDir home;
        test::WriteFile(home.file("Arcanote.inf"), "");  // ends before its language line
        Instance first(home.str());
        QVERIFY(first.process.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(home.file("Arcanote.lock")), 5000);

        Instance second(home.str());
        QVERIFY(second.process.waitForFinished(5000));
        QCOMPARE(second.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.process.exitCode(), 0);
        QCOMPARE(second.process.readAllStandardOutput(), QByteArray());
        QCOMPARE(first.process.state(), QProcess::Running);

        // A crashed first instance leaves its lock behind; the next start takes it over.
        ::kill(static_cast<pid_t>(first.process.processId()), SIGKILL);
        QVERIFY(first.process.waitForFinished(5000));
        QVERIFY(std::filesystem::exists(home.file("Arcanote.lock")));
        Instance third(home.str());
        QVERIFY(third.process.waitForStarted(5000));
        QVERIFY(!third.process.waitForFinished(1500));
        QCOMPARE(third.process.state(), QProcess::Running);
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
