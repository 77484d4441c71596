// The update window bound to its state: saved state in, update mode and menus
// while open, choices saved when it closes; the paths button hides it until
// the paths window closes.

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "UiTestSupport.h"
#include "ui/ChildWindow.h"

using namespace arc;

class UpdateWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void opensWithTheSavedStateAndSavesItOnClose() {
        test::OpenedWindow update;
        TheSettings().DatabasePath = update.folder.home.file("games.mdb");
        TheSettings().UpdateDatabasePath.clear();
        TheSettings().UpdateFileChoices = "0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;1;0;0;False";
        QVERIFY(update.Open("MnuMAJ", "Form13"));
        QCOMPARE(update.Find<QLineEdit>("Text1")->text(),
                 QString::fromStdString(TheSettings().DatabasePath));
        QVERIFY(update.Find<QCheckBox>("Check1_15")->isChecked());
        QVERIFY(!update.Find<QCheckBox>("Check1_0")->isChecked());
        QVERIFY(update.Find<QRadioButton>("Option1_1")->isChecked());
        // Regression (French in English mode): the command, the title and the boxes.
        QCOMPARE(update.main.findChild<QAction*>("MnuMAJ")->text() + update.window->windowTitle(),
                 QString("&Update an Access databaseUpdate an Access database"));
        QCOMPARE(update.Find<QCheckBox>("Check1_0")->text(), QString("Extract the data from MAME"));

        update.Find<QCheckBox>("Check1_0")->setChecked(true);
        update.Find<QRadioButton>("Option1_0")->setChecked(true);
        update.Find<QCheckBox>("CheckSoftware")->setChecked(true);
        update.Click("Command2");
        QTRY_VERIFY(!update.folder.ui.IsWindowOpen(WindowId::Update));
        QCOMPARE(TheSettings().UpdateFileChoices,
                 std::string("1;0;0;0;0;0;0;0;0;0;0;0;0;0;0;1;0;0;1;True"));
    }

    // The update, download and images windows step aside while the paths
    // window is open; the wait ends when it closes.
    void pathsButtonHidesTheWindowUntilThePathsWindowCloses() {
        const struct {
            WindowId id;
            const char* button;
            bool menusOffAfter;
        } cases[] = {{WindowId::Update, "Command3", true},
                     {WindowId::Download, "Command3", false},
                     {WindowId::Images, "Command4", false}};
        for (const auto& one : cases) {
            test::OpenedWindow opened;
            auto* window = qobject_cast<ui::ChildWindow*>(
                opened.window = opened.main.OpenWindow(ObjectNameOf(one.id)));
            QVERIFY(window);

            // Closes the paths window as soon as it shows, noting what was on screen then.
            bool pathsSeen = false;
            bool shownMeanwhile = true;
            QTimer closer;
            closer.setInterval(10);
            QObject::connect(&closer, &QTimer::timeout, [&] {
                auto* paths = qobject_cast<ui::ChildWindow*>(opened.main.FindOpenWindow("Form1"));
                if (!paths) return;
                pathsSeen = true;
                shownMeanwhile = window->Frame()->isVisible();
                closer.stop();
                paths->Unload();
            });
            closer.start();
            opened.Click(one.button);

            QVERIFY(pathsSeen);
            QVERIFY(!shownMeanwhile);
            QVERIFY(!opened.folder.ui.IsWindowOpen(WindowId::Paths));
            QVERIFY(window->Frame()->isVisible());
            // The paths window gave the menus back; a window that keeps them off takes them again.
            if (one.menusOffAfter) QVERIFY(!opened.MenusOn());
        }
    }
};

QTEST_MAIN(UpdateWindowTest)
#include "UpdateWindowTest.moc"
