// The paths window driven through its widgets: boxes, tabs, the executable
// chooser and the folder rule, auto-fill with a probed folder, closing.

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTabWidget>

#include "UiTestSupport.h"
#include "core/FakeHome.h"
#include "ui/MainWindow.h"

using namespace arc;
using arc::test::FakeHome;
using arc::ui::MDIForm1;

namespace {

struct OpenPaths {
    test::QtProgramFolder folder;
    MDIForm1 main;
    QWidget* window = nullptr;

    OpenPaths() {
        folder.ui.SetMainWindow(&main);
        main.show();
        main.findChild<QAction*>("MnuDefinirLesChemins")->trigger();
        window = main.FindOpenWindow("Form1");
    }
    QLineEdit* Box(const char* name) const { return window->findChild<QLineEdit*>(name); }
    void Click(const char* name) const {
        QTest::mouseClick(window->findChild<QPushButton*>(name), Qt::LeftButton);
    }
};

}  // namespace

class PathsWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void loadsEveryRowFromTheSettings() {
        TheSettings() = DefaultSettings();
        OpenPaths paths;
        QVERIFY(paths.window);
        QCOMPARE(paths.Box("Text2")->text(), QString::fromStdString(TheSettings().RomsFolder));
        for (int slot = 0; slot < kArtSlots; ++slot) {
            const QString box = QString("Text3_%1").arg(slot);
            QCOMPARE(paths.Box(box.toLatin1())->text(),
                     QString::fromStdString(TheSettings().ArtFolders[slot]));
        }
        for (int slot = 0; slot < kDataFileSlots; ++slot) {
            const QString box = QString("Text4_%1").arg(slot);
            QVERIFY2(paths.Box(box.toLatin1()), qPrintable(box));
            QVERIFY(paths.window->findChild<QPushButton*>(QString("Command4_%1").arg(slot)));
        }
        QCOMPARE(paths.window->findChild<QLabel*>("Label3_2")->text(), QString("Genre.ini"));
        auto* tabs = paths.window->findChild<QTabWidget*>("TS");
        QCOMPARE(tabs->count(), 4);
        QVERIFY(!paths.main.findChild<QAction*>("MenuTraitement")->isEnabled());
    }

    void focusSelectsTheWholeTrimmedText() {
        OpenPaths paths;
        QLineEdit* box = paths.Box("Text2");
        box->setText("  /roms  ");
        paths.window->activateWindow();
        box->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(box->selectedText(), QString("/roms"));
    }

    void executableChosenInTheDialogFillsTheBox() {
        OpenPaths paths;
        const std::string exe = paths.folder.home.file("emu/mame");
        test::WriteFile(exe, "#!/bin/sh\n");
        paths.Box("Text1")->setText(QString::fromStdString(exe));
        test::OnNextModal<QFileDialog> choose([&exe](QFileDialog* dialog) {
            dialog->selectFile(QString::fromStdString(exe));
            static_cast<QDialog*>(dialog)->accept();
        });
        paths.Click("Command1");
        QCOMPARE(choose.Seen(), std::string("FileDialog"));
        QCOMPARE(paths.Box("Text1")->text(), QString::fromStdString(exe));
        QCOMPARE(TheSettings().MameFolder, paths.folder.home.file("emu/"));
    }

    void autoFillFromAProbedFolder() {
        FakeHome home;
        std::filesystem::create_directories(home.dir.path() / "mame");
        OpenPaths paths;
        paths.Box("Text1")->setText("");
        auto yes = test::AnswerNextMessage(QMessageBox::Yes);
        paths.Click("Command5");
        QCOMPARE(paths.Box("Text3_0")->text(),
                 QString::fromStdString(home.dir.str() + "mame/titles/"));
        auto yesData = test::AnswerNextMessage(QMessageBox::Yes);
        paths.Click("Command6");
        QCOMPARE(paths.Box("Text4_2")->text(),
                 QString::fromStdString(home.dir.str() + "mame/folders/Genre.ini"));
    }

    void closingStoresTheBoxesAsTypedAndSavesTheFile() {
        OpenPaths paths;
        State().WizardTaskRunning = true;
        paths.Box("Text2")->setText("/typed/roms");
        paths.Box("Text4_16")->setText("/typed/Controls.ini");
        paths.main.MdiArea()->closeAllSubWindows();
        QVERIFY(paths.main.findChild<QAction*>("MenuTraitement")->isEnabled());
        QVERIFY(!State().WizardTaskRunning);
        TheSettings() = DefaultSettings();
        QVERIFY(LoadSettings());
        QCOMPARE(TheSettings().RomsFolder, std::string("/typed/roms"));
        QCOMPARE(TheSettings().DataFilePaths[kControlsIni], std::string("/typed/Controls.ini"));
        QVERIFY(TheSettings().WindowLeft[1] >= 0);
    }
};

QTEST_MAIN(PathsWindowTest)
#include "paths_window.moc"
