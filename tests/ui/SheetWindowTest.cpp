// The game-sheet window bound to its state: the saved boxes and skin in, the
// chooser at load, what closing stores, Make on a small database.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <filesystem>

#include "UiTestSupport.h"

using namespace arc;

namespace {

namespace fs = std::filesystem;

/// The window opened from its menu command; the folder chooser shown at load
/// is cancelled.
struct OpenSheets : test::OpenedWindow {
    void Open() {
        test::OnNextModal<QFileDialog> chooser([](QFileDialog* dialog) { dialog->reject(); });
        OpenedWindow::Open("MnuCreerFiches", "Form3");
        QTRY_COMPARE(chooser.Seen(), std::string("FolderDialog"));
    }
    QCheckBox* Box(const char* name) const { return Find<QCheckBox>(name); }
};

}  // namespace

class SheetWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void loadsTheSavedChoicesAndClosingStoresThem() {
        OpenSheets sheets;
        fs::create_directories(sheets.folder.home.path() / "html" / "Blue.skin");
        fs::create_directories(sheets.folder.home.path() / "html" / "Red.skin");
        TheSettings().DefaultSkin = "RED";
        TheSettings().SheetOptions = {};
        TheSettings().SheetOptions[3] = 1;   // Check1(8)
        TheSettings().SheetOptions[7] = 1;   // Check2(2)
        TheSettings().SheetOptions[12] = 1;  // Check4
        TheSettings().HtmlFolder = "/kept/site/";
        sheets.Open();
        QVERIFY(sheets.window);
        const QStringList ticked = {"Check1_8", "Check2_2", "Check4"};
        const auto boxes = sheets.window->findChildren<QCheckBox*>();
        QCOMPARE(boxes.size(), 12);  // Check1(0, 1, 8), Check2(0 to 6), Check3, Check4
        for (QCheckBox* box : boxes)
            QVERIFY2(box->isChecked() == ticked.contains(box->objectName()),
                     qPrintable(box->objectName()));
        QCOMPARE(sheets.Find<QLineEdit>("Text1")->text(), QString("/kept/site/"));
        auto* skins = sheets.Find<QComboBox>("Combo1");
        QCOMPARE(skins->currentText(), QString("Red"));

        skins->setCurrentIndex(skins->findText("Blue"));
        sheets.Box("Check1_1")->setChecked(true);
        sheets.Box("Check1_8")->setChecked(false);
        sheets.Box("Check3")->setChecked(true);
        sheets.Click("Command3");
        QTRY_VERIFY(!sheets.main.FindOpenWindow("Form3"));
        TheSettings() = DefaultSettings();
        QVERIFY(LoadSettings());
        const auto& o = TheSettings().SheetOptions;
        QCOMPARE(std::vector<int>({o[2], o[3], o[4], o[7]}), std::vector<int>({1, 0, 1, 1}));
        QCOMPARE(TheSettings().DefaultSkin, std::string("Blue"));
    }

    void makeBuildsTheSiteWithTheTickedSelection() {
        OpenSheets sheets;
        const std::string database = sheets.folder.home.file("games.mdb");
        QVERIFY(test::MakeDatabase(
            database, {"INSERT INTO Data (InternalName, GameName, GotIt) VALUES ('pacman', "
                       "'Pac-Man', 0), ('galaga', 'Galaga', 1)",
                       "INSERT INTO Versions (VersionMame, VersionArcanote) VALUES ('0.251', "
                       "'1.0.0')"}));
        TheSettings().DatabasePath = database;
        sheets.Open();
        const std::string site = sheets.folder.home.str() + "site/";
        sheets.Find<QLineEdit>("Text1")->setText(QString::fromStdString(site));
        sheets.Box("Check1_0")->setChecked(true);  // only the owned game

        std::string done;
        auto ok = test::AnswerNextMessage(QMessageBox::Ok, &done);
        sheets.Click("Command2");  // on the database in use, without a chooser
        QCOMPARE(done, std::string("Done."));
        QVERIFY(fs::exists(site + "html/galaga.htm"));
        QVERIFY(!fs::exists(site + "html/pacman.htm"));
        QCOMPARE(sheets.folder.opened, std::vector<std::string>{site + "index.htm"});
        // Back after the run: still open, menus on.
        QVERIFY(sheets.main.FindOpenWindow("Form3"));
        QVERIFY(sheets.MenusOn());
    }
};

QTEST_MAIN(SheetWindowTest)
#include "SheetWindowTest.moc"
