// The update window driven through its widgets: saved state in, update mode
// and menus while open, French refusal, choices saved when it closes; the
// paths button's wait; the build command ending at a missing template.

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>

#include "UiTestSupport.h"
#include "ui/ChildWindow.h"
#include "ui/MainWindow.h"

using namespace arc;
using arc::ui::MDIForm1;

class UpdateWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void opensWithTheSavedStateAndSavesItOnClose() {
        test::QtProgramFolder folder;
        TheSettings().DatabasePath = folder.home.file("games.mdb");
        TheSettings().UpdateDatabasePath.clear();
        TheSettings().UpdateFileChoices = "0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;1;0;0;False";
        MDIForm1 main;
        folder.ui.SetMainWindow(&main);
        main.show();
        main.findChild<QAction*>("MnuMAJ")->trigger();
        QWidget* window = main.FindOpenWindow("Form13");
        QVERIFY(window);
        QVERIFY(State().UpdateMode);
        QCOMPARE(window->findChild<QLineEdit*>("Text1")->text(),
                 QString::fromStdString(TheSettings().DatabasePath));
        QVERIFY(window->findChild<QCheckBox*>("Check1_15")->isChecked());
        QVERIFY(!window->findChild<QCheckBox*>("Check1_0")->isChecked());
        QCOMPARE(window->findChild<QCheckBox*>("Check1_0")->text(),
                 QString::fromUtf8("Extraire les données de MAME"));
        QVERIFY(window->findChild<QRadioButton*>("Option1_1")->isChecked());

        // The database does not exist: told in French, nothing runs.
        std::string said;
        auto answer = test::AnswerNextMessage(QMessageBox::Ok, &said);
        QTest::mouseClick(window->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(said, std::string("Le fichier .MDB est introuvable."));

        window->findChild<QCheckBox*>("Check1_0")->setChecked(true);
        window->findChild<QRadioButton*>("Option1_0")->setChecked(true);
        QTest::mouseClick(window->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QTRY_VERIFY(!folder.ui.IsWindowOpen("Form13"));
        QVERIFY(!State().UpdateMode);
        QCOMPARE(TheSettings().UpdateFileChoices,
                 std::string("1;0;0;0;0;0;0;0;0;0;0;0;0;0;0;1;0;0;True"));
        QCOMPARE(TheSettings().UpdateDatabasePath, TheSettings().DatabasePath);
    }

    void pathsButtonHidesTheWindowUntilThePathsWindowCloses() {
        test::QtProgramFolder folder;
        MDIForm1 main;
        folder.ui.SetMainWindow(&main);
        main.show();
        main.findChild<QAction*>("MnuMAJ")->trigger();
        auto* window = qobject_cast<ui::ChildWindow*>(main.FindOpenWindow("Form13"));
        QVERIFY(window);

        // Closes the paths window as soon as it shows, noting what was on screen then.
        bool pathsSeen = false;
        bool updateShownMeanwhile = true;
        QTimer closer;
        closer.setInterval(10);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            auto* paths = qobject_cast<ui::ChildWindow*>(main.FindOpenWindow("Form1"));
            if (!paths) return;
            pathsSeen = true;
            updateShownMeanwhile = window->Frame()->isVisible();
            closer.stop();
            paths->Unload();
        });
        closer.start();
        QTest::mouseClick(window->findChild<QPushButton*>("Command3"), Qt::LeftButton);

        QVERIFY(pathsSeen);
        QVERIFY(!updateShownMeanwhile);
        QVERIFY(!folder.ui.IsWindowOpen("Form1"));
        QVERIFY(window->Frame()->isVisible());
        // The paths window gave the menus back; the update window takes them again.
        QVERIFY(!main.findChild<QAction*>("MenuTraitement")->isEnabled());
        QVERIFY(State().UpdateMode);
    }

    void buildWithoutTheTemplateClosesTheMainWindow() {
        test::QtProgramFolder folder;
        MDIForm1 main;
        folder.ui.SetMainWindow(&main);
        main.show();
        const std::string target = folder.home.file("new.mdb");
        test::OnNextModal<QFileDialog> choose([&target](QFileDialog* dialog) {
            dialog->selectFile(QString::fromStdString(target));
            static_cast<QDialog*>(dialog)->accept();
        });
        std::string said;
        auto answer = test::AnswerNextMessage(QMessageBox::Ok, &said);
        main.findChild<QAction*>("MnuCreerBaseMDB")->trigger();

        QCOMPARE(choose.Seen(), std::string("FileDialog"));
        QVERIFY(said.find("Arcanote.mdx") != std::string::npos);
        QCOMPARE(TheSettings().DatabasePath, target);
        QVERIFY(!std::filesystem::exists(target));
        QTRY_VERIFY(!main.isVisible());
    }
};

QTEST_MAIN(UpdateWindowTest)
#include "update_window.moc"
