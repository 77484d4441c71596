// The main window: menus with their design names, a language command, windows
// opened once with the menus off meanwhile, the about box, quitting.

#include <QLabel>
#include <QMdiArea>
#include <QMenu>

#include <QThread>
#include <QTimer>
#include <filesystem>
#include <thread>

#include "UiTestSupport.h"
#include "core/ScriptedUi.h"
#include "core/Task.h"
#include "core/Version.h"
#include "ui/WindowRegistry.h"

using namespace arc;
using arc::ui::MainWindow;

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void menusCarryTheirNamesOpenEachWindowOnceAndSwitchOff() {
        test::QtProgramFolder folder;
        MainWindow main;
        QCOMPARE(main.objectName(), QString("MDIForm1"));
        // The program's registration reaches every command of the menus.
        for (const MenuCommandName& command : kMenuCommandNames) {
            QVERIFY2(arc::ui::FindMenuCommand(command.command), command.objectName.data());
            QCOMPARE(main.MenuAction(command.command), main.MenuAction(command.objectName));
        }
        for (const char* name : {"MenuTraitement", "MenuEdition", "MenuNotes", "MenuOptions",
                                 "MenuAbout", "MnuLangue", "MnuLiens"})
            QVERIFY2(main.findChild<QMenu*>(name), name);
        QCOMPARE(main.findChild<QAction*>("MnuQuit")->shortcut(), QKeySequence("Ctrl+Q"));
        QCOMPARE(main.findChild<QAction*>("MnuRechercher")->shortcut(), QKeySequence("Ctrl+F"));
        main.findChild<QAction*>("MnuLangueFR")->trigger();
        QCOMPARE(main.findChild<QAction*>("MenuTraitement")->text(), QString("&Traitement"));
        QVERIFY(main.findChild<QAction*>("MnuLangueFR")->isChecked());
        QVERIFY(!main.findChild<QAction*>("MnuLangueEN")->isChecked());

        folder.ui.SetMainWindow(&main);
        main.show();
        QWidget* first = main.OpenWindow("Form1");
        QVERIFY(first);
        QCOMPARE(main.OpenWindow("Form1"), first);
        main.findChild<QAction*>("MnuDefinirLesChemins")->trigger();
        QCOMPARE(main.MdiArea()->subWindowList().size(), 1);
        QVERIFY(!main.findChild<QAction*>("MenuOptions")->isEnabled());
        QVERIFY(folder.ui.IsWindowOpen(WindowId::Paths));
        main.MdiArea()->closeAllSubWindows();
        QVERIFY(main.findChild<QAction*>("MenuOptions")->isEnabled());
        QTRY_VERIFY(!folder.ui.IsWindowOpen(WindowId::Paths));
        QVERIFY(main.OpenWindow("NoSuchWindow") == nullptr);
    }

    // A task on the worker thread that runs a window: the window opens on the
    // UI thread and the task goes on once it closed.
    void aTaskOnTheWorkerRunsAWindowOnTheUiThreadUntilItCloses() {
        test::QtProgramFolder folder;
        MainWindow main;
        folder.ui.SetMainWindow(&main);
        main.show();
        bool openWhileWaiting = false;
        QTimer::singleShot(100, &main, [&] {
            openWhileWaiting = folder.ui.IsWindowOpen(WindowId::Paths);
            main.MdiArea()->closeAllSubWindows();
        });
        bool ran = false;
        bool onWorker = false;
        TaskProgress progress;
        folder.ui.RunTask(progress,
                          [&](TaskContext& context) {
                              onWorker = QThread::currentThread() != qApp->thread();
                              ran = context.ui().RunWindow(WindowId::Paths);
                          },
                          {.window = false, .menusOff = false});
        QVERIFY(onWorker);
        QVERIFY(ran);
        QVERIFY(openWhileWaiting);
    }

    void aboutBoxShowsItsOkButtonLaterAndStaysUntilOk() {
        test::QtProgramFolder folder;
        MainWindow main;
        main.setGeometry(40, 60, 620, 460);
        main.show();
        main.findChild<QAction*>("MnuAPropos")->trigger();
        auto* splash = main.findChild<QWidget*>("frmSplash");
        QVERIFY(splash && splash->isVisible());
        QCOMPARE(splash->findChild<QLabel*>("lblVersion")->text(),
                 QString::fromStdString(SplashVersionLabel()));
        auto* ok = splash->findChild<QPushButton*>("cmdOK");
        QVERIFY(!ok->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(ok->isVisible(), 5000);
        // Regression (splash unstyled and clipped): the style sheet reaches the
        // window, and the name fits its picture.
        const QImage shot = splash->grab().toImage();
        QVERIFY(qGray(shot.pixel(splash->findChild<QLabel*>("lblText")->geometry().topLeft())) <
                64);
        const QImage picture = splash->findChild<QLabel*>("Image1")->pixmap().toImage();
        int rightmostInk = 0;
        for (int y = 0; y < picture.height() * 0.6; ++y)
            for (int x = picture.height(); x < picture.width(); ++x)
                if (qRed(picture.pixel(x, y)) > 128) rightmostInk = std::max(rightmostInk, x);
        QVERIFY(rightmostInk > picture.width() / 2);
        QVERIFY(rightmostInk < picture.width() - picture.height() * 0.05 - 3);
        // Regression (it opened in the screen's corner): centred on the main window.
        QVERIFY((splash->geometry().center() - main.geometry().center()).manhattanLength() <= 2);
        QPointer<QWidget> watch(splash);
        ok->click();
        QTRY_VERIFY(!watch);
    }

    // Regression (the notes commands did nothing): each reaches the notes.
    void notesCommandsWriteTheListAndCopyIt() {
        test::QtProgramFolder folder;
        TheSettings().DatabasePath = folder.home.file("games.mdb");
        QVERIFY(test::MakeDatabase(TheSettings().DatabasePath, {}));
        MainWindow main;
        folder.ui.SetMainWindow(&main);
        std::string said;
        auto answer = test::AnswerNextMessage(QMessageBox::Ok, &said);
        main.findChild<QAction*>("MnuCopierNotes")->trigger();
        QCOMPARE(said, Text(263));  // nothing to copy yet
        main.findChild<QAction*>("MnuRediger")->trigger();
        QCOMPARE(folder.opened, std::vector<std::string>{folder.home.file("NOTES.TXT")});
    }

    // Regression (a second "Make database" ran a second build inside the
    // first one's wait): a task command is refused while another is under way.
    void oneTaskAtATimeItsCommandsAreOffMeanwhile() {
        test::OpenedWindow opened;
        MainWindow& main = opened.main;
        QVERIFY(opened.Open("MnuAudit", "Form14"));
        for (const char* command : {"MnuCreerBaseMDB", "MnuAudit", "MnuZipUnzip", "MnuAutreBase"})
            QVERIFY2(!main.MenuAction(command)->isEnabled(), command);
        QVERIFY(main.MenuAction("MnuParcourir")->isEnabled());
        main.RunCommand(MenuCommand::ZipUnzip);
        QVERIFY(!main.FindOpenWindow("Form11"));
        main.MdiArea()->closeAllSubWindows();
        QTRY_VERIFY(main.MenuAction("MnuCreerBaseMDB")->isEnabled());

        // A command that waits (here on the database chooser) keeps the others off.
        TheSettings().DatabasePath.clear();
        bool secondRan = true;
        test::OnNextModal<QFileDialog> chooser([&](QFileDialog* dialog) {
            secondRan = main.MenuAction("MnuCreerBaseMDB")->isEnabled();
            main.RunCommand(
                MenuCommand::BuildDatabase);  // would open its own chooser inside this one
            dialog->reject();
        });
        main.RunCommand(MenuCommand::ListMyRoms);
        QCOMPARE(chooser.Seen(), std::string("FileDialog"));
        QVERIFY(!secondRan);
        QVERIFY(main.MenuAction("MnuCreerBaseMDB")->isEnabled());
    }

    // Regression (a window saved larger than the main window reopened with its
    // buttons out of reach, and Escape did nothing).
    void toolWindowsFitTheAreaAndEscapeClosesThemUnlessATaskRuns() {
        test::OpenedWindow opened;
        opened.main.resize(640, 480);
        TheSettings().WindowLeft[1] = 300 * 15;
        TheSettings().WindowTop[1] = 200 * 15;
        TheSettings().WindowWidth[1] = 2000 * 15;
        TheSettings().WindowHeight[1] = 1500 * 15;
        QWidget* paths = opened.Open("MnuDefinirLesChemins", "Form1");
        const QRect visible(QPoint(0, 0), opened.main.MdiArea()->viewport()->size());
        QVERIFY(visible.contains(paths->parentWidget()->geometry()));

        QPointer<QWidget> watch(paths);
        TaskProgress task;  // while a task runs, Escape leaves the window
        QTimer::singleShot(0, [&] {
            QTest::keyClick(paths, Qt::Key_Escape);
            task.Cancel();
        });
        opened.folder.ui.RunTask(task, [](TaskContext& context) {
            while (context.progress().KeepGoing())
                std::this_thread::yield();
        });
        QVERIFY(watch);
        QTest::keyClick(paths, Qt::Key_Escape);
        QTRY_VERIFY(!watch);
        watch = opened.Open("MnuZipUnzip", "Form11");
        QTest::keyClick(watch, Qt::Key_F4, Qt::ControlModifier);
        QTRY_VERIFY(!watch);
    }

    void useAnotherDatabaseSwitchesTheBrowserAndAFinishedTaskReloadsIt() {
        test::OpenedWindow opened;
        TaskProgress progressOfBuild;
        const std::string first = opened.folder.home.file("first.mdb");
        const std::string second = opened.folder.home.file("second.mdb");
        QVERIFY(test::MakeDatabase(first, {"INSERT INTO Data (InternalName) VALUES ('alpha')"}));
        QVERIFY(test::MakeDatabase(second, {"INSERT INTO Data (InternalName) VALUES ('beta')",
                                            "INSERT INTO Data (InternalName) VALUES ('gamma')"}));
        TheSettings().DatabasePath = first;
        opened.Open("MnuParcourir", "Form20");
        QCOMPARE(opened.Find<QLabel>("GameCount")->text(), QString("1 games"));
        ScriptedUi chooser;  // answers the file chooser without a dialog's timing
        chooser.QueueFile(second);
        InstallUi(&chooser);
        opened.main.RunCommand(MenuCommand::UseAnotherDatabase);
        InstallUi(&opened.folder.ui);
        QCOMPARE(TheSettings().DatabasePath, second);
        QCOMPARE(opened.Find<QLabel>("GameCount")->text(), QString("2 games"));
        // A build replaces the database: the browser reloads once the task ended.
        std::filesystem::remove(second);
        QVERIFY(test::MakeDatabase(second, {"INSERT INTO Data (InternalName) VALUES ('delta')"}));
        opened.folder.ui.RunTask(progressOfBuild, [](TaskContext&) {});
        QCOMPARE(opened.Find<QLabel>("GameCount")->text(), QString("1 games"));
    }

    void restoresTheGeometryAndQuittingSavesIt() {
        test::QtProgramFolder folder;
        TheSettings().MainWindow = {1500, 3000, 9000, 6000, 0};
        MainWindow main;
        QCOMPARE(main.pos(), QPoint(100, 200));
        QCOMPARE(main.size(), QSize(600, 400));
        main.show();
        main.move(60, 90);
        main.resize(700, 500);
        const int left = main.geometry().x();  // the client area's place, as restored
        main.OpenWindow("Form1");
        main.findChild<QAction*>("MnuQuit")->trigger();
        QVERIFY(!main.isVisible());
        QVERIFY(main.MdiArea()->subWindowList().isEmpty());
        TheSettings() = DefaultSettings();
        QVERIFY(LoadSettings());
        QCOMPARE(TheSettings().MainWindow.Left, left * 15);
        MainWindow again;
        QCOMPARE(again.geometry().x(), left);
        QCOMPARE(TheSettings().MainWindow.Width, 700 * 15);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
