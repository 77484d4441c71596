// The search window bound to its state: combos from the database, the keyword
// box selected on focus, Find and the results tab, Display, the criteria kept
// for the next opening and reloaded from a typed database path; the audit
// window.

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>

#include <QTimer>
#include <thread>

#include "UiTestSupport.h"
#include "audit/Audit.h"
#include "database/Database.h"
#include "database/FullTextIndex.h"
#include "database/UserDatabase.h"
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
        auto* list = search.Find<QTableView>("List1");
        QCOMPARE(list->model()->rowCount(), 3);
        // Regression (13-character set names ran into the title): columns of their own.
        QCOMPARE(list->model()->index(1, 0).data().toString(), QString("longsetname1234"));
        QCOMPARE(list->model()->index(1, 1).data().toString(), QString("Long Name"));
        QCOMPARE(search.Find<QLabel>("Label2")->text(), QString("3 roms."));
        QCOMPARE(search.Find<QTabBar>("TabStrip1")->currentIndex(), 2);
        QVERIFY(search.Find<QWidget>("Frame1_2")->isVisible());

        test::WriteFile(search.folder.home.file("site/html/longsetname1234.htm"), "<html/>");
        list->selectRow(1);
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
        QCOMPARE(search.Find<QTableView>("List1")->model()->rowCount(), 4);
        QCOMPARE(search.Find<QLabel>("Label2")->text(), QString("4 roms."));
    }

    void optionsNarrowTheSearchAndTheTableSorts() {
        OpenSearch search;
        auto* list = search.Find<QTableView>("List1");
        auto column = [&](int c) {
            QStringList cells;
            for (int row = 0; row < list->model()->rowCount(); ++row)
                cells << list->model()->index(row, c).data().toString();
            return cells;
        };
        search.Find<QComboBox>("YearFrom")->setCurrentText("1981");
        search.Find<QComboBox>("YearTo")->setCurrentText("1982");
        search.Click("Command1");
        QCOMPARE(column(0), QStringList({"galaga", "xevious"}));
        list->horizontalHeader()->setSortIndicator(2, Qt::DescendingOrder);  // year
        QCOMPARE(column(0), QStringList({"xevious", "galaga"}));
        QCOMPARE(column(2), QStringList({"1982", "1981"}));

        UserDatabase(UserDatabase::PathBeside(TheSettings().DatabasePath))
            .SetFavourite("galaga", true);
        search.Find<QCheckBox>("FavouritesOnly")->setChecked(true);
        search.Click("Command1");
        QCOMPARE(column(0), QStringList({"galaga"}));
        QCOMPARE(list->horizontalHeader()->sortIndicatorSection(), -1);  // the search's order

        search.Find<QCheckBox>("FavouritesOnly")->setChecked(false);
        search.Find<QComboBox>("YearFrom")->setCurrentText("");
        search.Find<QComboBox>("YearTo")->setCurrentText("");
        search.Find<QCheckBox>("FullText")->setChecked(true);
        search.Find<QLineEdit>("Text1")->setText("dots");
        std::string said;
        {
            auto ok = test::AnswerNextMessage(QMessageBox::Ok, &said);
            search.Click("Command1");
        }
        QVERIFY2(said.find("run build or update") != std::string::npos, said.c_str());
        QVERIFY(OpenDatabase(TheSettings().DatabasePath));
        Execute("INSERT INTO History (CodeHistory, Description) VALUES (1, 'A maze of dots.')");
        Execute("UPDATE Data SET CodeHistory = 1 WHERE InternalName = 'pacman'");
        BuildFullTextIndex();
        CloseDatabase();
        search.Click("Command1");
        QCOMPARE(column(1), QStringList({"Pac-Man"}));
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
        TheSettings().RomsFolder = audit.folder.home.file("roms/");
        std::string auditedFolder;
        window->SetRunner([&](const AuditRequest& request, TaskContext& context) {
            auditedFolder = request.romsFolder;
            TaskProgress& progress = context.progress();
            Execute(
                "CREATE TABLE Audit (Name TEXT PRIMARY KEY, Verdict TEXT, Needed INTEGER, Found "
                "INTEGER, Missing INTEGER, Bad INTEGER, Unneeded INTEGER, Problems TEXT)");
            Execute(
                "INSERT INTO Audit VALUES ('pacman', 'complete', 9, 9, 0, 0, 0, ''), ('galaga', "
                "'incomplete', 10, 8, 2, 0, 1, 'gg1.bin missing')");
            progress.SetTotal(2);
            progress.Step(1);
            while (progress.KeepGoing())  // the audit runs on until its Cancel
                std::this_thread::yield();
            cancelled = true;
            return std::string();
        });
        QTimer::singleShot(0, [&] {
            struct CancelAtEnd {
                test::OpenedWindow& audit;
                ~CancelAtEnd() { audit.Click("CommandCancel"); }
            } end{audit};
            // The bar follows the running audit.
            QTRY_COMPARE(audit.Find<QProgressBar>("ProgressBar1")->value(), 1);
        });
        audit.Click("CommandAudit");
        QVERIFY(cancelled);
        QCOMPARE(auditedFolder, TheSettings().RomsFolder);
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
