// The search window bound to its state: combos from the database, the keyword
// box selected on focus, Find and the results tab, Display, the criteria kept
// for the next opening and reloaded from a typed database path; the audit
// window.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTabBar>
#include <QTableWidget>

#include "UiTestSupport.h"
#include "database/Database.h"
#include "ui/AuditWindow.h"

using namespace arc;

namespace {

/// The window opened on a database of four games.
struct OpenSearch : test::OpenedWindow {
    OpenSearch() {
        const std::string path = folder.home.str() + "games.mdb";
        QVERIFY(test::MakeDatabase(
            path,
            {"INSERT INTO Data (InternalName, GameName, Year, Genre, GotIt) VALUES ('pacman', "
             "'Pac-Man', '1980', 'Maze', TRUE), ('galaga', 'Galaga', '1981', 'Shooter', NULL), "
             "('longsetname1234', 'Long Name', '1984', 'Shooter', NULL), ('xevious', 'Xevious', "
             "'1982', 'Shooter', NULL)"}));
        TheSettings().DatabasePath = path;
        TheSettings().RomsFolder = folder.home.str() + "roms/";
        TheSettings().HtmlFolder = folder.home.str() + "site/";
        std::filesystem::create_directories(folder.home.str() + "roms");
        Open("MnuRechercher", "Form10");
    }
};

}  // namespace

class SearchWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void findShowsTheResultsTabAndDisplayOpensTheSheet() {
        OpenSearch search;
        QVERIFY(search.window);
        QCOMPARE(search.Find<QComboBox>("Combo1_0")->count(), 5);  // All and four years
        QCOMPARE(search.Find<QLineEdit>("Text2")->text(),
                 QString::fromStdString(TheSettings().DatabasePath));

        auto* keyword = search.Find<QLineEdit>("Text1");  // trimmed and selected on focus
        keyword->setText("  pac  ");
        search.window->activateWindow();
        keyword->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(keyword->selectedText(), QString("pac"));
        keyword->clear();

        search.Find<QComboBox>("Combo1_2")->setCurrentText("Shooter");
        search.Find<QComboBox>("Combo1_6")->setCurrentIndex(2);  // missing roms
        search.Click("Command1");
        auto* list = search.Find<QListWidget>("List1");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(1)->text(), QString("longsetname12Long Name"));
        QCOMPARE(search.Find<QLabel>("Label2")->text(), QString("3 roms."));
        QCOMPARE(search.Find<QTabBar>("TabStrip1")->currentIndex(), 2);
        QVERIFY(search.Find<QWidget>("Frame1_2")->isVisible());

        test::WriteFile(search.folder.home.file("site/html/longsetname1234.htm"), "<html/>");
        list->setCurrentRow(1);
        search.Click("Command2");
        QCOMPARE(search.folder.opened, std::vector<std::string>{search.folder.home.str() +
                                                                "site/html/longsetname1234.htm"});
        search.Click("Command3");
        QTRY_VERIFY(!search.main.FindOpenWindow("Form10"));
        // Regression (criteria lost at each opening): they come back in the same run.
        QVERIFY(search.Open("MnuRechercher", "Form10"));
        QCOMPARE(search.Find<QComboBox>("Combo1_2")->currentText(), QString("Shooter"));
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

    void auditWindowRunsTheAuditAndSortsItsResultsAsNumbers() {
        test::OpenedWindow audit;
        TheSettings().DatabasePath = audit.folder.home.file("games.mdb");
        QVERIFY(test::MakeDatabase(TheSettings().DatabasePath, {}));
        auto* window = qobject_cast<ui::AuditWindow*>(audit.Open("MnuAudit", "Form14"));
        QVERIFY(window);
        auto* list = audit.Find<QTableWidget>("ListAudit");
        QCOMPARE(list->rowCount(), 0);  // no audit yet
        bool cancelled = false;
        window->SetRunner([&](TaskProgress& progress) {
            Execute(
                "CREATE TABLE Audit (Name TEXT PRIMARY KEY, Verdict TEXT, Needed INTEGER, Found "
                "INTEGER, Missing INTEGER, Bad INTEGER, Unneeded INTEGER, Problems TEXT)");
            Execute(
                "INSERT INTO Audit VALUES ('pacman', 'complete', 9, 9, 0, 0, 0, ''), ('galaga', "
                "'incomplete', 10, 8, 2, 0, 1, 'gg1.bin missing')");
            progress.SetTotal(2);
            progress.Step(1);
            audit.Click("CommandCancel");
            cancelled = !progress.KeepGoing();
            return std::string();
        });
        audit.Click("CommandAudit");
        QVERIFY(cancelled);
        QCOMPARE(audit.Find<QProgressBar>("ProgressBar1")->value(), 1);
        // Regression (a cancel left the table without a word): it says so.
        QCOMPARE(
            audit.Find<QLabel>("LabelCount")->text(),
            QString::fromStdString(Text(kTextAuditCancelledKept) + "\n2" + Text(kTextSetsAudited)));
        QCOMPARE(list->rowCount(), 2);
        QCOMPARE(list->item(0, 0)->text(), QString("galaga"));
        list->sortByColumn(2, Qt::AscendingOrder);  // needed: 9 before 10
        QCOMPARE(list->item(0, 0)->text(), QString("pacman"));
        QCOMPARE(list->item(1, 1)->text(), QString("incomplete"));
    }
};

QTEST_MAIN(SearchWindowTest)
#include "SearchWindowTest.moc"
