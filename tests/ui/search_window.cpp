// The search window driven through its widgets: combos from the database,
// Find, the results tab and its buttons, Display, the backup option, the
// archive commands, closing; and the List my ROMs menu command.

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
        MakeGames(folder.home);
        folder.ui.SetMainWindow(&main);
        main.show();
        main.findChild<QAction*>("MnuRechercher")->trigger();
        window = main.FindOpenWindow("Form10");
    }
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
        QCOMPARE(search.window->windowTitle(), QString::fromStdString(Text(197)));
        auto* years = search.Find<QComboBox>("Combo1_0");
        QCOMPARE(years->count(), 5);
        QCOMPARE(years->itemText(0), QString::fromStdString(Text(206)));
        QCOMPARE(years->itemText(1), QString("1980"));
        QCOMPARE(search.Find<QComboBox>("Combo1_2")->count(), 3);  // All, Maze, Shooter
        QCOMPARE(search.Find<QComboBox>("Combo1_6")->itemText(2),
                 QString::fromStdString(Text(219)));
        QVERIFY(search.Find<QWidget>("Frame1_0")->isVisible());
        QVERIFY(!search.Find<QWidget>("Frame1_2")->isVisible());
        QVERIFY(!search.Find<QCheckBox>("Check1")->isEnabled());
        QVERIFY(search.Find<QCheckBox>("Check1")->isChecked());
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

        search.Find<QTabBar>("TabStrip1")->setCurrentIndex(0);
        search.Find<QLineEdit>("Text1")->setText("no such game");
        search.Click("Command1");
        QCOMPARE(list->count(), 0);
        QCOMPARE(search.Find<QLabel>("Label2")->text(), QString("0 rom."));
        QVERIFY(!search.Find<QPushButton>("Command7")->isEnabled());
        QVERIFY(!search.Find<QPushButton>("Command8")->isEnabled());
        QVERIFY(!search.Find<QPushButton>("Command9")->isEnabled());
    }

    void displayOpensTheSheetOfTheRealSetName() {
        OpenSearch search;
        test::WriteFile(search.folder.home.file("site/html/longsetname1234.htm"), "<html/>");
        search.Find<QLineEdit>("Text1")->setText("long");
        search.Click("Command1");
        auto* list = search.Find<QListWidget>("List1");
        list->setCurrentRow(0);
        search.Click("Command2");
        QCOMPARE(search.folder.opened.size(), std::size_t{1});
        QCOMPARE(search.folder.opened[0],
                 search.folder.home.str() + "site/html/longsetname1234.htm");
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
        QVERIFY(std::filesystem::exists(roms + "pacman.zip"));
    }

    void listMyRomsFromTheMenuMarksTheArchives() {
        test::QtProgramFolder folder;
        MakeGames(folder.home);
        test::WriteFile(TheSettings().RomsFolder + "galaga.zip", "galaga");
        MDIForm1 main;
        folder.ui.SetMainWindow(&main);
        main.show();
        test::OnNextModal<QFileDialog> keep([](QFileDialog* dialog) { dialog->reject(); });
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
