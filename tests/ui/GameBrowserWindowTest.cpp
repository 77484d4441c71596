// The game browser bound to its query: 45,000 games at start, sorted by a
// header, filtered by typing in the table and by the quick filters, the
// detail pane with history and a snapshot inside an archive, Play by Return
// with a stub emulator, the sheet offered then opened; Play in the search window.

#include <QBuffer>
#include <QCheckBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTableView>
#include <filesystem>

#include "UiTestSupport.h"
#include "collection/GameBrowserQuery.h"
#include "core/Files.h"
#include "core/Log.h"
#include "database/Database.h"
#include "database/FullTextIndex.h"
#include "database/UserDatabase.h"
#include "notes/Notes.h"
#include "support/ZipBuilder.h"
#include "ui/GameBrowserWindow.h"

using namespace arc;

namespace {

/// 45,000 games: every third owned, every fourth a clone, every fifth mature,
/// every tenth preliminary; "g00012" has a history, commands and a snapshot.
const char* kGames =
    "INSERT INTO Data (InternalName, GameName, Year, Manufacturer, DriverStatus, Working, GotIt, "
    "CloneOf, Mature, CodeHistory) WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
    "WHERE i < 44999) SELECT printf('g%05d', i), printf('Game %05d', i), 1975 + i % 30, 'Maker "
    "' || (i % 50), CASE WHEN i % 10 = 0 THEN 'preliminary' ELSE 'good' END, 1, CASE WHEN i % 3 "
    "= 0 THEN 1 END, CASE WHEN i % 4 = 0 THEN 'g00001' END, CASE WHEN i % 5 = 0 THEN 1 END, CASE "
    "WHEN i = 12 THEN 1 END FROM n";

std::string Png(Qt::GlobalColor color) {
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

/// A program that records its arguments, one a line, and says hello.
std::string StubEmulator(const test::TempDir& home) {
    const std::string stub = home.str() + "bin/mame";
    test::WriteFile(stub, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + home.str() +
                              "args.txt\"\necho stub says hello\n");
    std::filesystem::permissions(stub, std::filesystem::perms::owner_all);
    return stub;
}

struct OpenBrowser : test::OpenedWindow {
    OpenBrowser() {
        const std::string path = folder.home.str() + "games.mdb";
        QVERIFY(test::MakeDatabase(
            path,
            {kGames, "INSERT INTO History (CodeHistory, Description) VALUES (1, 'A maze of dots.')",
             "INSERT INTO Command (InternalName, cmd, info) VALUES ('g00012', 'Moves', "
             "'Up Down')",
             "CREATE TABLE Audit (Name TEXT PRIMARY KEY, Verdict TEXT)",
             "INSERT INTO Audit VALUES ('g00012', 'good')"}));
        TheSettings().DatabasePath = path;
        TheSettings().RomsFolder = folder.home.str() + "roms/";
        TheSettings().ArtFolders[kSnapshots] = folder.home.str() + "snap/";
        test::WriteFile(folder.home.file("snap/snap.zip"),
                        test::BuildZip({{"g00012.png", Png(Qt::red)}}));
        TheSettings().ArtFolders[kFlyers] = folder.home.str() + "flyers/";
        test::WriteFile(folder.home.file("flyers/g00012.png"), Png(Qt::blue));
        Open("MnuParcourir", "Form20");
        table = Find<QTableView>("GameTable");
    }
    QString Count() const { return Find<QLabel>("GameCount")->text(); }
    void Tick(const char* box) const { Find<QCheckBox>(box)->setChecked(true); }

    QTableView* table = nullptr;
};

}  // namespace

class GameBrowserWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void sortsAndFiltersFortyFiveThousandGamesFromTheKeyboard() {
        OpenBrowser browser;
        QVERIFY(browser.table);
        QCOMPARE(browser.table->model()->rowCount(), 45000);
        QCOMPARE(browser.table->model()->columnCount(), 13);  // the audit's verdict too
        QCOMPARE(browser.Count(), QString("45000 games"));
        QTRY_COMPARE(QApplication::focusWidget(), browser.table);

        browser.table->horizontalHeader()->setSortIndicator(2, Qt::DescendingOrder);  // year
        QCOMPARE(browser.table->model()->index(0, 2).data().toString(), QString("2004"));

        QTest::keyClicks(browser.table, "G0001");  // typed in the table: g00010 to g00019
        QCOMPARE(browser.Find<QLineEdit>("Filter")->text(), QString("G0001"));
        QCOMPARE(browser.Count(), QString("10 of 45000 games"));
        browser.Tick("OwnedOnly");  // 12, 15 and 18; 12 is a clone, 15 mature
        browser.Tick("NoClones");
        browser.Tick("WorkingOnly");
        QCOMPARE(browser.Count(), QString("2 of 45000 games"));
        browser.Tick("NoMature");
        QCOMPARE(browser.table->model()->rowCount(), 1);
        QCOMPARE(browser.table->model()->index(0, 0).data().toString(), QString("g00018"));
        QTest::keyClick(browser.table, Qt::Key_Escape);
        QCOMPARE(browser.Find<QLineEdit>("Filter")->text(), QString());
    }

    void detailPanePlayAndSheetActOnTheSelectedGame() {
        OpenBrowser browser;
        browser.Find<QLineEdit>("Filter")->setText("g00012");
        QTRY_COMPARE(browser.Find<QLabel>("GameTitle")->text(), QString("Game 00012"));
        QCOMPARE(browser.Find<QPlainTextEdit>("History")->toPlainText(),
                 QString("A maze of dots."));
        QCOMPARE(browser.Find<QPlainTextEdit>("Commands")->toPlainText(),
                 QString("Moves\nUp Down"));
        QCOMPARE(browser.Find<QLabel>("Snapshot")->pixmap().toImage().pixelColor(4, 4),
                 QColor(Qt::red));
        QVERIFY(browser.Find<QLabel>("TitleImage")->pixmap().isNull());
        QCOMPARE(browser.Find<QLabel>("Flyer")->pixmap().toImage().pixelColor(4, 4),
                 QColor(Qt::blue));  // every art folder has its place in the strip
        QTest::keyClicks(browser.Find<QPlainTextEdit>("Note"), "Dots first");
        browser.Click("SaveNote");
        QCOMPARE(test::ReadFile(NotesFilePath()),
                 "[g00012]        Game 00012\r\nDots first\r\n\r\n");

        TheSettings().MameExe = StubEmulator(browser.folder.home);
        QTest::keyClick(browser.table, Qt::Key_Return);
        const std::string args = browser.folder.home.file("args.txt");
        QTRY_COMPARE(test::ReadFile(args),
                     "-rompath\n" + browser.folder.home.str() + "roms\ng00012\n");
        QTRY_VERIFY(test::ReadFile(LogFilePath()).find("g00012: stub says hello") !=
                    std::string::npos);

        TheSettings().MameExe = browser.folder.home.str() + "missing";
        test::ScopedEnv path("PATH", browser.folder.home.str() + "nowhere");
        std::string said;
        auto ok = test::AnswerNextMessage(QMessageBox::Ok, &said);
        browser.Click("Play");
        QVERIFY2(said.find("does not exist") != std::string::npos, said.c_str());

        TheSettings().HtmlFolder = browser.folder.home.str() + "site/";
        test::OnNextModal<QFileDialog> chooser([](QFileDialog* dialog) { dialog->reject(); });
        auto yes = test::AnswerNextMessage(QMessageBox::Yes, &said);
        browser.Click("Sheet");  // no page yet: making the sheets is offered
        QVERIFY2(said.find("g00012") != std::string::npos, said.c_str());
        QTRY_VERIFY(browser.main.FindOpenWindow("Form3"));
        test::WriteFile(browser.folder.home.file("site/html/g00012.htm"), "<html/>");
        browser.Click("Sheet");
        QCOMPARE(browser.folder.opened,
                 std::vector<std::string>{browser.folder.home.str() + "site/html/g00012.htm"});
    }

    void favouritesPlaysAndOptionsAreKeptAndShownInTheColumns() {
        OpenBrowser browser;
        const std::string userPath = UserDatabase::PathBeside(TheSettings().DatabasePath);
        UserDatabase(userPath).SetEmulatorOptions("g00012", "-window \"a b\"");
        TheSettings().MameExe = StubEmulator(browser.folder.home);
        browser.Find<QLineEdit>("Filter")->setText("g00012");
        QTRY_COMPARE(browser.Find<QLabel>("GameTitle")->text(), QString("Game 00012"));
        const auto cell = [&](BrowserColumn column) {
            return browser.table->model()->index(0, static_cast<int>(column)).data().toString();
        };
        QTest::keyClick(browser.table, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(cell(BrowserColumn::Favourite), QString::fromUtf8("\u2605"));
        QVERIFY(UserDatabase(userPath).IsFavourite("g00012"));
        browser.Find<QLineEdit>("Filter")->clear();
        browser.Tick("FavouritesOnly");
        QCOMPARE(browser.Count(), QString("1 of 45000 games"));

        // Return in the filter plays; the options follow the set name.
        QTest::keyClick(browser.Find<QLineEdit>("Filter"), Qt::Key_Return);
        QTRY_COMPARE(test::ReadFile(browser.folder.home.file("args.txt")),
                     "-rompath\n" + browser.folder.home.str() + "roms\ng00012\n-window\na b\n");
        QTRY_COMPARE(cell(BrowserColumn::PlayCount), QString("1"));
        QCOMPARE(cell(BrowserColumn::PlayTime), QString("0:00:00"));
        QVERIFY(!cell(BrowserColumn::LastPlayed).isEmpty());
        browser.Find<QCheckBox>("FavouritesOnly")->setChecked(false);
        browser.Tick("RecentOnly");
        QCOMPARE(browser.Count(), QString("1 of 45000 games"));
        browser.Find<QLineEdit>("YearFrom")->setText("1990");  // g00012 is of 1987
        QCOMPARE(browser.Count(), QString("0 of 45000 games"));
    }

    void theFullTextModeFindsAndMarksTheWordsOfTheTexts() {
        OpenBrowser browser;
        QVERIFY(OpenDatabase(TheSettings().DatabasePath));
        BuildFullTextIndex();
        CloseDatabase();
        browser.Tick("FullText");
        browser.Find<QLineEdit>("Filter")->setText("maze");
        QCOMPARE(browser.Count(), QString("1 of 45000 games"));
        QTRY_COMPARE(browser.Find<QLabel>("GameTitle")->text(), QString("Game 00012"));
        const auto marks = browser.Find<QPlainTextEdit>("History")->extraSelections();
        QCOMPARE(marks.size(), 1);
        QCOMPARE(marks.front().cursor.selectedText(), QString("maze"));
    }

    void theFilterSteersTheListAndTabGoesThroughIt() {
        OpenBrowser browser;
        auto* filter = browser.Find<QLineEdit>("Filter");
        filter->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), filter);
        const int first = browser.table->currentIndex().row();
        QTest::keyClick(filter, Qt::Key_Down);
        QTest::keyClick(filter, Qt::Key_Down);
        QCOMPARE(browser.table->currentIndex().row(), first + 2);
        QTest::keyClick(filter, Qt::Key_Up);
        QCOMPARE(browser.table->currentIndex().row(), first + 1);
        QTest::keyClick(filter, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), browser.table);
        QTest::keyClick(browser.table, Qt::Key_Tab);
        QTRY_VERIFY(QApplication::focusWidget() != browser.table);
        QCOMPARE(browser.table->currentIndex().row(), first + 1);
    }

    void theSortWidthsColumnsAndSplitterAreRestored() {
        OpenBrowser browser;
        QHeaderView* header = browser.table->horizontalHeader();
        header->setSortIndicator(static_cast<int>(BrowserColumn::Year), Qt::DescendingOrder);
        browser.table->setColumnWidth(1, 123);
        header->setSectionHidden(static_cast<int>(BrowserColumn::Category), true);
        auto* splitter = browser.Find<QSplitter>("BrowserSplitter");
        splitter->setSizes({500, 300});
        const QList<int> sizes = splitter->sizes();
        browser.window->close();  // the layout is kept as the window closes

        ui::GameBrowserWindow again;
        auto* table = again.findChild<QTableView*>("GameTable");
        QCOMPARE(table->horizontalHeader()->sortIndicatorSection(),
                 static_cast<int>(BrowserColumn::Year));
        QCOMPARE(table->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(table->model()->index(0, 2).data().toString(), QString("2004"));
        QCOMPARE(table->columnWidth(1), 123);
        QVERIFY(
            table->horizontalHeader()->isSectionHidden(static_cast<int>(BrowserColumn::Category)));
        again.resize(browser.window->size());
        again.show();
        auto* restored = again.findChild<QSplitter*>("BrowserSplitter");  // within a frame's width
        QTRY_VERIFY(std::abs(restored->sizes().value(0) - sizes[0]) <= 4);
    }

    void searchWindowPlaysTheSelectedResult() {
        OpenBrowser browser;
        TheSettings().MameExe = StubEmulator(browser.folder.home);
        QVERIFY(browser.Open("MnuRechercher", "Form10"));
        browser.Find<QLineEdit>("Text1")->setText("g00012");
        browser.Click("Command1");
        browser.Find<QTableView>("List1")->selectRow(0);
        browser.Click("CommandPlay");
        QTRY_COMPARE(test::ReadFile(browser.folder.home.file("args.txt")),
                     "-rompath\n" + browser.folder.home.str() + "roms\ng00012\n");
        // The play is recorded when the emulator ends.
        auto played = [] {
            const std::string user = UserDatabase::PathBeside(TheSettings().DatabasePath);
            return FileExists(user) ? UserDatabase(user).AllPlayStats()["g00012"].count : 0;
        };
        QTRY_COMPARE(played(), 1);
    }
};

QTEST_MAIN(GameBrowserWindowTest)
#include "GameBrowserWindowTest.moc"
