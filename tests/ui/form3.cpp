// The game-sheet window driven through its widgets: captions and boxes from
// the settings, the folder chooser at load, skins, Make on a small database
// (with and without the wizard), and what closing stores.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <filesystem>

#include "UiTestSupport.h"
#include "database/Database.h"
#include "database/Schema.h"
#include "ui/MainWindow.h"

using namespace arc;
using arc::ui::MDIForm1;

namespace {

namespace fs = std::filesystem;

/// The window opened from its menu command; the chooser shown at load gets
/// `chooserAnswer` (a folder to pick, or "" to cancel).
struct OpenSheets {
    test::QtProgramFolder folder;
    MDIForm1 main;
    QWidget* window = nullptr;

    void Open(const std::string& chooserAnswer = {}) {
        folder.ui.SetMainWindow(&main);
        main.show();
        test::OnNextModal<QFileDialog> chooser([chooserAnswer](QFileDialog* dialog) {
            if (chooserAnswer.empty()) return dialog->reject();
            dialog->setDirectory(QString::fromStdString(chooserAnswer));
            static_cast<QDialog*>(dialog)->accept();
        });
        main.findChild<QAction*>("MnuCreerFiches")->trigger();
        window = main.FindOpenWindow("Form3");
        QTRY_COMPARE(chooser.Seen(), std::string("FolderDialog"));
    }
    template <class T>
    T* Get(const char* name) const {
        return window->findChild<T*>(name);
    }
    QCheckBox* Box(const char* name) const { return Get<QCheckBox>(name); }
    void Click(const char* name) const {
        QTest::mouseClick(Get<QPushButton>(name), Qt::LeftButton);
    }
};

/// A database of two games, one of them owned.
std::string MakeDatabase(const test::TempDir& home) {
    const std::string path = home.file("games.mdb");
    std::string error;
    if (!CreateTemplateDatabase(path, &error) || !OpenDatabase(path)) return {};
    for (const char* row : {"INSERT INTO Data (InternalName, GameName, GotIt) "
                            "VALUES ('pacman', 'Pac-Man', 0)",
                            "INSERT INTO Data (InternalName, GameName, GotIt) "
                            "VALUES ('galaga', 'Galaga', 1)",
                            "INSERT INTO Versions (VersionMame, VersionArcanote) "
                            "VALUES ('0.251', '1.0.0')"}) {
        Statement(row).Run();
    }
    CloseDatabase();
    return path;
}

}  // namespace

class SheetWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void opensWithCaptionsAndTheSavedBoxes() {
        OpenSheets sheets;
        TheSettings().SheetOptions = {};
        TheSettings().SheetOptions[3] = 1;   // Check1(8)
        TheSettings().SheetOptions[7] = 1;   // Check2(2)
        TheSettings().SheetOptions[11] = 1;  // Check2(6)
        TheSettings().SheetOptions[12] = 1;  // Check4
        TheSettings().HtmlFolder = "/kept/site/";
        sheets.Open();
        QVERIFY(sheets.window);
        QCOMPARE(sheets.window->windowTitle(), QString("Creating roms list"));
        QCOMPARE(sheets.Get<QGroupBox>("Frame1")->title(), QString("Path to save files"));
        QCOMPARE(sheets.Box("Check1_8")->text(), QString("Avoid non working roms"));
        QCOMPARE(sheets.Box("Check2_6")->text(), QString("Original game art for clones"));
        QCOMPARE(sheets.Box("Check4")->text(), QString("Replacement image when no image found"));
        QCOMPARE(sheets.Get<QPushButton>("Command2")->text(), QString("&Make"));
        QCOMPARE(sheets.Get<QPushButton>("Command3")->text(), QString("&Cancel"));
        QVERIFY(sheets.Get<QPushButton>("Command1"));
        QVERIFY(!sheets.Box("Check1_2"));  // the array has 0, 1 and 8 only

        const char* ticked[] = {"Check1_8", "Check2_2", "Check2_6", "Check4"};
        const char* clear[] = {"Check1_0", "Check1_1", "Check2_0", "Check2_1",
                               "Check2_3", "Check2_4", "Check2_5", "Check3"};
        for (const char* name : ticked)
            QVERIFY2(sheets.Box(name)->isChecked(), name);
        for (const char* name : clear)
            QVERIFY2(!sheets.Box(name)->isChecked(), name);
        // The chooser was cancelled: the folder stays.
        QCOMPARE(sheets.Get<QLineEdit>("Text1")->text(), QString("/kept/site/"));
        QCOMPARE(sheets.Get<QComboBox>("Combo1")->count(), 0);
    }

    void folderChosenAtLoadOrWithTheButtonFillsText1() {
        OpenSheets sheets;
        const std::string first = sheets.folder.home.file("first");
        const std::string second = sheets.folder.home.file("second");
        fs::create_directories(first);
        fs::create_directories(second);
        sheets.Open(first);
        QTRY_COMPARE(sheets.Get<QLineEdit>("Text1")->text(), QString::fromStdString(first + "/"));
        QCOMPARE(TheSettings().HtmlFolder, first + "/");

        test::OnNextModal<QFileDialog> choose([&second](QFileDialog* dialog) {
            dialog->setDirectory(QString::fromStdString(second));
            static_cast<QDialog*>(dialog)->accept();
        });
        sheets.Click("Command1");
        QCOMPARE(choose.Seen(), std::string("FolderDialog"));
        QCOMPARE(sheets.Get<QLineEdit>("Text1")->text(), QString::fromStdString(second + "/"));

        auto* text1 = sheets.Get<QLineEdit>("Text1");
        sheets.window->activateWindow();
        text1->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(text1->selectedText(), QString::fromStdString(second + "/"));
    }

    void cancelStoresBoxesAndSkinAndSavesTheFile() {
        OpenSheets sheets;
        fs::create_directories(sheets.folder.home.path() / "html" / "Blue.skin");
        fs::create_directories(sheets.folder.home.path() / "html" / "Red.skin");
        TheSettings().DefaultSkin = "RED";
        TheSettings().SheetOptions = {};
        TheSettings().SheetOptions[5] = 1;  // Check2(0)
        sheets.Open();
        auto* combo = sheets.Get<QComboBox>("Combo1");
        QCOMPARE(combo->count(), 3);  // the built-in templates first
        QCOMPARE(combo->itemText(0), QString());
        QCOMPARE(combo->currentText(), QString("Red"));

        combo->setCurrentIndex(combo->findText("Blue"));
        sheets.Box("Check1_1")->setChecked(true);
        sheets.Box("Check1_8")->setChecked(true);
        sheets.Box("Check2_0")->setChecked(false);
        sheets.Box("Check2_5")->setChecked(true);
        sheets.Box("Check3")->setChecked(true);
        sheets.Click("Command3");
        QTRY_VERIFY(!sheets.main.FindOpenWindow("Form3"));

        TheSettings() = DefaultSettings();
        QVERIFY(LoadSettings());
        const auto& options = TheSettings().SheetOptions;
        QCOMPARE(options[1], 0);
        QCOMPARE(options[2], 1);
        QCOMPARE(options[3], 1);
        QCOMPARE(options[4], 1);
        QCOMPARE(options[5], 0);
        QCOMPARE(options[10], 1);
        QCOMPARE(options[12], 0);
        QCOMPARE(TheSettings().DefaultSkin, std::string("Blue"));
    }

    void makeWithoutDestinationOnlyFocusesText1() {
        OpenSheets sheets;
        sheets.Open();
        auto* text1 = sheets.Get<QLineEdit>("Text1");
        text1->clear();
        sheets.window->activateWindow();
        sheets.Get<QPushButton>("Command2")->setFocus();
        test::OnNextModal<QFileDialog> database([](QFileDialog* dialog) { dialog->reject(); });
        sheets.Click("Command2");
        QTest::qWait(50);
        QCOMPARE(database.Seen(), std::string());
        QTRY_VERIFY(text1->hasFocus());
        QVERIFY(sheets.main.FindOpenWindow("Form3"));
    }

    void makeBuildsTheSiteWithTheTickedSelection() {
        OpenSheets sheets;
        const std::string database = MakeDatabase(sheets.folder.home);
        QVERIFY(!database.empty());
        TheSettings().DatabasePath = database;
        sheets.Open();
        const std::string site = sheets.folder.home.str() + "site/";
        sheets.Get<QLineEdit>("Text1")->setText(QString::fromStdString(site));
        sheets.Box("Check1_0")->setChecked(true);  // only the owned game

        test::OnNextModal<QFileDialog> pick([&database](QFileDialog* dialog) {
            dialog->selectFile(QString::fromStdString(database));
            static_cast<QDialog*>(dialog)->accept();
        });
        std::string done;
        auto ok = test::AnswerNextMessage(QMessageBox::Ok, &done);
        sheets.Click("Command2");
        QCOMPARE(pick.Seen(), std::string("FileDialog"));
        QCOMPARE(done, std::string("Done."));
        QVERIFY(fs::exists(site + "index.htm"));
        QVERIFY(fs::exists(site + "html/galaga.htm"));
        QVERIFY(!fs::exists(site + "html/pacman.htm"));
        QCOMPARE(sheets.folder.opened, std::vector<std::string>{site + "index.htm"});
        QCOMPARE(TheSettings().HtmlFolder, site);
        // Back after the run: shown again, menus on, still open.
        QVERIFY(sheets.main.FindOpenWindow("Form3"));
        QVERIFY(sheets.window->isVisible());
        QVERIFY(sheets.main.findChild<QAction*>("MenuTraitement")->isEnabled());
    }

    void makeInWizardModeAsksNothingAndUnloads() {
        OpenSheets sheets;
        const std::string database = MakeDatabase(sheets.folder.home);
        TheSettings().DatabasePath = database;
        sheets.Open();
        State().WizardMode = true;
        State().WizardTaskRunning = true;
        const std::string site = sheets.folder.home.str() + "wizard/";
        sheets.Get<QLineEdit>("Text1")->setText(QString::fromStdString(site));
        test::OnNextModal<QDialog> anyDialog([](QDialog* dialog) { dialog->reject(); });
        sheets.Click("Command2");
        QCOMPARE(anyDialog.Seen(), std::string());
        QVERIFY(fs::exists(site + "html/pacman.htm"));
        QTRY_VERIFY(!sheets.main.FindOpenWindow("Form3"));
        QVERIFY(!State().WizardTaskRunning);
    }
};

QTEST_MAIN(SheetWindowTest)
#include "form3.moc"
