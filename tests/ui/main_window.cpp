// The main window: menus, captions, language and Debug commands, windows
// opened once, quitting.

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "UiTestSupport.h"
#include "core/Log.h"
#include "core/MainMenu.h"
#include "core/Version.h"
#include "ui/MainWindow.h"

using namespace arc;
using arc::ui::MDIForm1;

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    static QString Caption(MDIForm1& main, const char* name) {
        QAction* action = main.findChild<QAction*>(name);
        return action ? action->text() : QString("<missing %1>").arg(name);
    }
    static bool Checked(MDIForm1& main, const char* name) {
        return main.findChild<QAction*>(name)->isChecked();
    }

  private slots:
    void buildsTheMenuTreeWithDesignNames() {
        test::QtProgramFolder folder;
        MDIForm1 main;
        QCOMPARE(main.objectName(), QString("MDIForm1"));
        QCOMPARE(main.windowTitle(), QString("Arcanote"));
        QVERIFY(main.findChild<QMdiArea*>());
        for (const char* name : {"MenuTraitement", "MenuEdition", "MenuNotes", "MenuOptions",
                                 "MenuAbout", "MnuLangue", "MnuLiens"})
            QVERIFY2(main.findChild<QMenu*>(name), name);
        QCOMPARE(Caption(main, "MenuTraitement"), QString("&Task"));
        QCOMPARE(Caption(main, "MnuWizard"), QString("&Wizard"));
        QCOMPARE(Caption(main, "MenuAbout"), QString("&?"));
        QCOMPARE(Caption(main, "MnuReadMe"), QString("&Read me"));
        QCOMPARE(main.findChild<QAction*>("MnuQuit")->shortcut(), QKeySequence("Ctrl+Q"));
        QCOMPARE(main.findChild<QAction*>("MnuRechercher")->shortcut(), QKeySequence("Ctrl+F"));
        QVERIFY(!main.findChild<QAction*>("MnuLangueAUTRE")->isEnabled());
        QVERIFY(Checked(main, "MnuLangueEN"));
        QVERIFY(!Checked(main, "MnuLangueFR"));
    }

    void languageCommandsRecaptionTheMenus() {
        test::QtProgramFolder folder;
        MDIForm1 main;
        main.findChild<QAction*>("MnuLangueFR")->trigger();
        QCOMPARE(Caption(main, "MenuTraitement"), QString("&Traitement"));
        QCOMPARE(Caption(main, "MnuQuit"), QString("&Quitter"));
        QCOMPARE(Caption(main, "MnuDebug"), QString("Debug"));
        QVERIFY(Checked(main, "MnuLangueFR"));
        QVERIFY(!Checked(main, "MnuLangueEN"));
        const std::string saved = test::ReadFile(InProgramFolder("Arcanote.inf"));
        QVERIFY(!saved.empty());

        // "&Autre": English texts, nothing saved, the marks stay on French.
        main.RunCommand("MnuLangueAUTRE");
        QCOMPARE(Caption(main, "MenuTraitement"), QString("&Task"));
        QCOMPARE(Caption(main, "MnuLangueAUTRE"), QString("Others"));
        QVERIFY(Checked(main, "MnuLangueFR"));
        QVERIFY(!Checked(main, "MnuLangueEN"));
        QCOMPARE(test::ReadFile(InProgramFolder("Arcanote.inf")), saved);

        main.findChild<QAction*>("MnuLangueEN")->trigger();
        QCOMPARE(Caption(main, "MenuOptions"), QString("&Options"));
        QVERIFY(Checked(main, "MnuLangueEN"));
        TheSettings() = DefaultSettings();
        QVERIFY(LoadSettings());
        QCOMPARE(TheSettings().Language, 0);
    }

    void debugWithAnExistingLogAnsweredYesDeletesIt() {
        test::QtProgramFolder folder;
        MDIForm1 main;
        test::WriteFile(LogFilePath(), "old line\r\n");
        std::string question;
        auto answer = test::AnswerNextMessage(QMessageBox::Yes, &question);
        main.findChild<QAction*>("MnuDebug")->trigger();
        QCOMPARE(answer->Seen(), std::string("MsgBox"));
        QCOMPARE(question, WithLineBreaks(Text(151)));
        QVERIFY(State().LogFlag);
        const std::string log = test::ReadFile(LogFilePath());
        QVERIFY(log.find("old line") == std::string::npos);
        QVERIFY(log.rfind("<DEBUG ON>", 0) == 0);

        main.findChild<QAction*>("MnuDebug")->trigger();  // off again, no question
        QVERIFY(!State().LogFlag);
    }

    void debugWithAnExistingLogAnsweredNoKeepsIt() {
        test::QtProgramFolder folder;
        MDIForm1 main;
        test::WriteFile(LogFilePath(), "old line\r\n");
        auto answer = test::AnswerNextMessage(QMessageBox::No);
        main.findChild<QAction*>("MnuDebug")->trigger();
        QCOMPARE(answer->Seen(), std::string("MsgBox"));
        QVERIFY(State().LogFlag);
        const std::string log = test::ReadFile(LogFilePath());
        QVERIFY(log.rfind("old line\r\n<DEBUG ON>", 0) == 0);
    }

    void readMeAndDisplayGoThroughTheDesktop() {
        test::QtProgramFolder folder;
        MDIForm1 main;
        test::WriteFile(InProgramFolder("readme.txt"), "read me\r\n");
        main.findChild<QAction*>("MnuReadMe")->trigger();
        QCOMPARE(folder.opened.size(), size_t(1));
        QCOMPARE(folder.opened[0], InProgramFolder("readme.txt"));

        std::string said;
        auto answer = test::AnswerNextMessage(QMessageBox::Ok, &said);
        main.findChild<QAction*>("MnuConsulter")->trigger();
        QCOMPARE(said, TheSettings().HtmlFolder + "index.htm\n" + Text(6));
        main.findChild<QAction*>("MnuLienMame")->trigger();
        QCOMPARE(folder.opened.back(), std::string(kMameHomePage));
    }

    void opensEachWindowAtMostOnceAndSwitchesMenus() {
        test::QtProgramFolder folder;
        MDIForm1 main;
        folder.ui.SetMainWindow(&main);
        main.show();
        QWidget* first = main.OpenWindow("Form1");
        QVERIFY(first);
        QCOMPARE(main.OpenWindow("Form1"), first);
        main.findChild<QAction*>("MnuDefinirLesChemins")->trigger();
        QCOMPARE(main.MdiArea()->subWindowList().size(), 1);
        QVERIFY(!main.findChild<QAction*>("MenuOptions")->isEnabled());
        QVERIFY(folder.ui.IsWindowOpen("Form1"));

        main.MdiArea()->closeAllSubWindows();
        QVERIFY(main.findChild<QAction*>("MenuOptions")->isEnabled());
        QTRY_VERIFY(!main.FindOpenWindow("Form1"));
        QVERIFY(!folder.ui.IsWindowOpen("Form1"));
        QVERIFY(main.OpenWindow("Form1") != nullptr);
        QVERIFY(main.OpenWindow("NoSuchWindow") == nullptr);
    }

    void aboutBoxShowsItsOkButtonAfterThreeSeconds() {
        test::QtProgramFolder folder;
        MDIForm1 main;
        Progress().Cancel = true;  // left set by an earlier task
        main.findChild<QAction*>("MnuAPropos")->trigger();
        auto* splash = main.findChild<QWidget*>("frmSplash");
        QVERIFY(splash && splash->isVisible());
        QCOMPARE(splash->findChild<QLabel*>("lblVersion")->text(),
                 QString::fromStdString(SplashVersionLabel()));
        auto* ok = splash->findChild<QPushButton*>("cmdOK");
        QVERIFY(!ok->isVisible());
        QTest::qWait(2500);
        QVERIFY(!ok->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(ok->isVisible(), 2000);
        QVERIFY(splash->isVisible());  // stays until OK
        QPointer<QWidget> watch(splash);
        ok->click();
        QTRY_VERIFY(!watch);
    }

    void restoresTheSavedGeometry() {
        test::QtProgramFolder folder;
        TheSettings().MainWindow = {1500, 3000, 9000, 6000, 0};
        MDIForm1 main;
        QCOMPARE(main.pos(), QPoint(100, 200));
        QCOMPARE(main.size(), QSize(600, 400));

        TheSettings().MainWindow = {1500, 3000, 9000, 6000, -1};  // nothing read
        MDIForm1 fresh;
        QCOMPARE(fresh.size(), QSize(960, 720));
    }

    void quittingClosesTheWindowsSavesAndOpensTheLogAfterErrors() {
        test::QtProgramFolder folder;
        MDIForm1 main;
        main.show();
        main.move(60, 90);
        main.resize(700, 500);
        main.OpenWindow("Form1");
        State().ErrorCount = 2;
        main.findChild<QAction*>("MnuQuit")->trigger();
        QVERIFY(!main.isVisible());
        QVERIFY(main.MdiArea()->subWindowList().isEmpty());
        QCOMPARE(folder.opened.size(), size_t(1));
        QCOMPARE(folder.opened[0], LogFilePath());
        TheSettings() = DefaultSettings();
        QVERIFY(LoadSettings());
        QCOMPARE(TheSettings().MainWindow.Left, 60 * 15);
        QCOMPARE(TheSettings().MainWindow.Width, 700 * 15);
        QCOMPARE(TheSettings().MainWindow.State, 0);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window.moc"
