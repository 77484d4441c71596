// The search window driven through its widgets: combos from the database,
// Find, the results tab and its buttons, Display, the backup option, the
// archive commands, closing; and the List my ROMs menu command.

#include <stdlib.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTabBar>

#include "UiTestSupport.h"
#include "database/Database.h"
#include "ui/MainWindow.h"

using namespace arc;
using arc::ui::MDIForm1;

namespace {

/// A database of four games and an empty ROM folder in the program folder.
void MakeGames(const test::TempDir& home) {
    const std::string path = home.str() + "games.mdb";
    std::string error;
    QVERIFY2(CreateTemplateDatabase(path, &error), error.c_str());
    QVERIFY(OpenDatabase(path));
    Execute(
        "INSERT INTO Data (InternalName, GameName, Year, Genre, GotIt) VALUES "
        "('pacman', 'Pac-Man', '1980', 'Maze', TRUE), ('galaga', 'Galaga', '1981', 'Shooter', "
        "NULL), ('longsetname1234', 'Long Name', '1984', 'Shooter', NULL), "
        "('xevious', 'Xevious', '1982', 'Shooter', NULL)");
    CloseDatabase();
    TheSettings().DatabasePath = path;
    TheSettings().RomsFolder = home.str() + "roms/";
    TheSettings().HtmlFolder = home.str() + "site/";
    std::filesystem::create_directories(home.str() + "roms");
}

struct OpenSearch {
    test::QtProgramFolder folder;
    MDIForm1 main;
    QWidget* window = nullptr;

    OpenSearch() {
        setenv("XDG_DATA_HOME", folder.home.file("xdg").c_str(), 1);  // deleted archives go there
        MakeGames(folder.home);
        folder.ui.SetMainWindow(&main);
        main.show();
        main.findChild<QAction*>("MnuRechercher")->trigger();
        window = main.FindOpenWindow("Form10");
    }
    ~OpenSearch() { unsetenv("XDG_DATA_HOME"); }
    template <class T>
    T* Find(const char* name) const {
        return window->findChild<T*>(name);
    }
    void Click(const char* name) const {
        QTest::mouseClick(Find<QPushButton>(name), Qt::LeftButton);
    }
};

}  // namespace

class SearchWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void opensWithTheCombosOfTheDatabaseAndTheMenusOff() {
        OpenSearch search;
        QVERIFY(search.window);
        auto* years = search.Find<QComboBox>("Combo1_0");
        QCOMPARE(years->count(), 5);
        QCOMPARE(years->itemText(1), QString("1980"));
        QVERIFY(search.Find<QWidget>("Frame1_0")->isVisible());
        QVERIFY(!search.Find<QWidget>("Frame1_2")->isVisible());
        QCOMPARE(search.Find<QLineEdit>("Text2")->text(),
                 QString::fromStdString(TheSettings().DatabasePath));
        QVERIFY(!search.main.findChild<QAction*>("MenuTraitement")->isEnabled());
    }

    void findShowsTheResultsTabWithItsButtons() {
        OpenSearch search;
        auto* genres = search.Find<QComboBox>("Combo1_2");
        genres->setCurrentText("Shooter");
        search.Find<QComboBox>("Combo1_6")->setCurrentIndex(2);  // missing roms
        search.Click("Command1");
        auto* list = search.Find<QListWidget>("List1");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(1)->text(), QString("longsetname12Long Name"));
        QCOMPARE(search.Find<QLabel>("Label2")->text(), QString("3 roms."));
        QCOMPARE(search.Find<QTabBar>("TabStrip1")->currentIndex(), 2);
        QVERIFY(search.Find<QWidget>("Frame1_2")->isVisible());
        QVERIFY(!search.Find<QWidget>("Frame1_0")->isVisible());
        QVERIFY(search.Find<QPushButton>("Command7")->isEnabled());
        // Display opens the sheet of the real set name.
        test::WriteFile(search.folder.home.file("site/html/longsetname1234.htm"), "<html/>");
        list->setCurrentRow(1);
        search.Click("Command2");
        QCOMPARE(search.folder.opened, std::vector<std::string>{search.folder.home.str() +
                                                                "site/html/longsetname1234.htm"});

        search.Find<QTabBar>("TabStrip1")->setCurrentIndex(0);
        search.Find<QLineEdit>("Text1")->setText("no such game");
        search.Click("Command1");
        QCOMPARE(list->count(), 0);
        QCOMPARE(search.Find<QLabel>("Label2")->text(), QString("0 rom."));
        QVERIFY(!search.Find<QPushButton>("Command7")->isEnabled());
        QVERIFY(!search.Find<QPushButton>("Command8")->isEnabled());
        QVERIFY(!search.Find<QPushButton>("Command9")->isEnabled());
    }

    void typedDatabasePathResetTheCriteriaSilently() {
        OpenSearch search;
        const std::string other = search.folder.home.str() + "other.mdb";
        std::filesystem::copy_file(TheSettings().DatabasePath, other);
        CloseDatabase();
        QVERIFY(OpenDatabase(other));
        Execute(
            "INSERT INTO Data (InternalName, GameName, Genre) VALUES ('sf2', 'SF II', "
            "'Fighter'), ('1942', '1942', 'Shooter')");
        CloseDatabase();
        auto* genres = search.Find<QComboBox>("Combo1_2");
        genres->setCurrentText("Shooter");
        search.Find<QLineEdit>("Text2")->setText(QString::fromStdString(other));
        search.Click("Command1");
        // The new database's values show, the chosen one stays and is the one run.
        QCOMPARE(genres->currentText(), QString("Shooter"));
        QCOMPARE(genres->count(), 4);  // All, Fighter, Maze, Shooter
        QCOMPARE(search.Find<QListWidget>("List1")->count(), 4);
        QCOMPARE(search.Find<QLabel>("Label2")->text(), QString("4 roms."));
    }

    void backupOptionEnablesItsControlsAndIsKeptOnClose() {
        TheSettings().SearchOption = 1;
        OpenSearch search;
        auto* backup = search.Find<QCheckBox>("Check2");
        QVERIFY(backup->isChecked());
        QVERIFY(search.Find<QLineEdit>("Text5")->isEnabled());
        backup->setChecked(false);
        QVERIFY(!search.Find<QLineEdit>("Text5")->isEnabled());
        QVERIFY(!search.Find<QPushButton>("Command10")->isEnabled());
        search.Click("Command3");
        QTRY_VERIFY(!search.main.FindOpenWindow("Form10"));
        QCOMPARE(TheSettings().SearchOption, 0);
        QVERIFY(search.main.findChild<QAction*>("MenuTraitement")->isEnabled());
    }

    void deleteActsOnTheListedArchives() {
        OpenSearch search;
        const std::string roms = TheSettings().RomsFolder;
        test::WriteFile(roms + "longsetname1234.zip", "long");
        test::WriteFile(roms + "galaga.zip", "galaga");
        test::WriteFile(roms + "pacman.zip", "pacman");
        search.Find<QCheckBox>("Check2")->setChecked(false);
        search.Find<QComboBox>("Combo1_2")->setCurrentText("Shooter");
        search.Click("Command1");
        auto confirm = test::AnswerNextMessage(QMessageBox::Yes);
        std::string done;
        auto finished = test::AnswerNextMessage(QMessageBox::Ok, &done);
        search.Click("Command7");
        QTRY_COMPARE(done, Text(92));
        QVERIFY(!std::filesystem::exists(roms + "longsetname1234.zip"));
        QVERIFY(!std::filesystem::exists(roms + "galaga.zip"));
        QVERIFY(std::filesystem::exists(search.folder.home.file("xdg/Trash/files/galaga.zip")));
        QVERIFY(std::filesystem::exists(roms + "pacman.zip"));
    }

    void listMyRomsFromTheMenuMarksTheArchives() {
        test::QtProgramFolder folder;
        MakeGames(folder.home);
        test::WriteFile(TheSettings().RomsFolder + "galaga.zip", "galaga");
        MDIForm1 main;
        folder.ui.SetMainWindow(&main);
        main.show();
        test::OnNextModal<QFileDialog> keep(
            [](QFileDialog* dialog) { static_cast<QDialog*>(dialog)->accept(); });
        std::string summary;
        auto ok = test::AnswerNextMessage(QMessageBox::Ok, &summary);
        main.findChild<QAction*>("MnuListMyRoms")->trigger();
        QTRY_VERIFY(!summary.empty());
        QCOMPARE(summary, Text(92) + "\n1" + Text(114) + "\n2" + Text(115));
        QVERIFY(main.findChild<QAction*>("MenuTraitement")->isEnabled());
    }
};

QTEST_MAIN(SearchWindowTest)
#include "search_window.moc"
