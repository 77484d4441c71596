#include <gtest/gtest.h>
#include <sqlite3.h>

#include "core/ErrorGuard.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "database/FullTextIndex.h"
#include "database/UserDatabase.h"
#include "pipeline/BuildPipeline.h"
#include "pipeline/BuildTestSupport.h"
#include "pipeline/DatabaseBuild.h"
#include "pipeline/UpdateWindowState.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;

class Update : public test::BuildTest {
  protected:
    Update() {
        WriteFile(home.file("listxml.txt"), test::SmallListXml());
        EXPECT_TRUE(Run(Request()).ok());
        ui().messages.clear();
    }
    std::string Value(const std::string& sql) {
        return test::QueryIn(home.file("Arcanote.mdb"), sql);
    }
};

TEST_F(Update, ChoicesRoundTripThroughTheSettingsWhileTheMenusAreOff) {
    TheSettings().UpdateFileChoices = "1;0;0;0;0;0;0;0;0;0;0;0;0;0;0;1;0;0;False";
    UpdateWindowState window;
    window.Load();
    EXPECT_TRUE(window.boxes[0] && window.boxes[15] && !window.boxes[1]);
    EXPECT_FALSE(ui().menusEnabled);
    EXPECT_EQ(window.Request(TheSettings()).emulator.exe, mame);
    window.boxes[3] = true;
    window.useDefinedPaths = true;
    window.Unload();
    EXPECT_TRUE(ui().menusEnabled);
    EXPECT_EQ(TheSettings().UpdateFileChoices, "1;0;0;1;0;0;0;0;0;0;0;0;0;0;0;1;0;0;0;True");
    window.SetChoicesText("0;1;True");  // missing values leave the boxes unticked
    EXPECT_TRUE(window.boxes[1] && !window.boxes[0] && !window.boxes[15]);
}

TEST_F(Update, MissingFileNoChoiceOrBrokenFileIsTold) {
    UpdateWindowState window;
    window.databasePath = home.file("none.mdb");
    window.boxes[1] = true;
    EXPECT_FALSE(window.Update());
    window.databasePath = home.file("Arcanote.mdb");
    window.boxes[1] = false;
    EXPECT_FALSE(window.Update());
    WriteFile(home.file("broken.mdb"), "not a database at all, but long enough to be read");
    window.databasePath = home.file("broken.mdb");
    window.boxes[1] = true;
    EXPECT_FALSE(window.Update());
    ASSERT_GE(ui().messages.size(), 3u);
    EXPECT_EQ(ui().messages.back().text, Text(kTextCannotOpenFile) + "\r\n" + window.databasePath);
}

TEST_F(Update, FreshListRunsTheEmulatorAndKeepsTheOlderStamps) {
    UpdateWindowState window;
    window.Load();
    window.boxes[0] = true;
    EXPECT_TRUE(window.Update());
    EXPECT_EQ(Calls(), "-help\n-help\n-listxml\n");  // the list was made again
    EXPECT_TRUE(window.Update());
    window.Unload();
    EXPECT_EQ(Value("SELECT count(*) FROM Versions"), "3");
    EXPECT_EQ(Value("SELECT count(*) FROM Data"), "3");
    EXPECT_EQ(ui().messages.back().text, Text(92));
}

TEST_F(Update, TickedImportersRunWithoutSkipsCommandIsReplacedHistoryRelinked) {
    WriteFile(home.file("ini/wizsort.ini"), "[Year]\npacman=1980\n");
    WriteFile(home.file("ini/genre.ini"), "[Maze]\npacman\n");
    WriteFile(home.file("dat/command.dat"), "$info=mk\n$cmd\n[Moves]\nkick\n$end\n");
    WriteFile(home.file("dat/history.dat"), "$info=pacman\n$bio\n\nA (c) 1\n$end\n");
    UpdateWindowState window;
    window.Load();
    window.useDefinedPaths = false;
    window.boxes[5] = window.boxes[10] = window.boxes[12] = window.boxes[15] = true;
    EXPECT_TRUE(window.Update());
    WriteFile(home.file("dat/history.dat"), "$info=pacman,mk\n$bio\n\nB (c) 2\n$end\n");
    EXPECT_TRUE(window.Update());
    window.Unload();
    EXPECT_EQ(Value("SELECT Genre || Year FROM Data WHERE InternalName='pacman'"), "Maze1980");
    EXPECT_EQ(Value("SELECT count(*) FROM Command"), "1");
    EXPECT_EQ(Value("SELECT count(*) FROM History"), "1");
    EXPECT_EQ(Value("SELECT yearmanufacturer FROM History JOIN Data USING (CodeHistory) "
                    "WHERE InternalName='mk'"),
              "2");
}

// Favourites, plays and notes live beside the built database: a build or an
// update never replaces them; the full-text index follows the texts read.
TEST_F(Update, UserDataSurvivesBuildAndUpdateAndTheIndexFollowsTheTexts) {
    const std::string database = home.file("Arcanote.mdb");
    {
        UserDatabase user(UserDatabase::PathBeside(database));
        user.SetFavourite("mk", true);
        user.RecordPlay("mk", 100, 60);
    }
    WriteFile(home.file("NOTES.TXT"), "[mk]\r\nFinish him.\r\n");
    WriteFile(home.file("dat/history.dat"),
              "$info=mk\n$bio\n\nMortal Kombat (c) 1992 Midway.\n\nA kombat tournament.\n$end\n");
    ASSERT_TRUE(Run(Request()).ok());
    UpdateWindowState window;
    window.Load();
    window.useDefinedPaths = false;
    window.boxes[RowOf(SupportFile::History).updateBox] = true;
    EXPECT_TRUE(window.Update());
    window.Unload();
    const UserDatabase user(UserDatabase::PathBeside(database));
    EXPECT_TRUE(user.IsFavourite("mk"));
    EXPECT_EQ(user.AllPlayStats().at("mk").count, 1);
    EXPECT_NE(Value("SELECT MyNotes FROM Data WHERE InternalName='mk'").find("Finish him."),
              std::string::npos);
    ASSERT_TRUE(OpenDatabase(database));
    const std::vector<FullTextMatch> found = SearchFullText(nullptr, "tournament");
    CloseDatabase();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, "mk");
}

// Regression: a killed update left History rows that no set links to. An
// engine error part-way through History.dat stands for the kill: nothing of
// the file stays.
TEST_F(Update, UpdateOfOneFileIsOneTransaction) {
    WriteFile(home.file("dat/history.dat"),
              "$info=pacman\n$bio\n\nA (c) 1\n$end\n$info=puckman\n$bio\n\nB (c) 2\n$end\n"
              "$info=mk\n$bio\n\nC (c) 3\n$end\n");
    ASSERT_TRUE(OpenDatabase(home.file("Arcanote.mdb")));
    Execute(
        "CREATE TRIGGER fault BEFORE INSERT ON History WHEN (SELECT count(*) FROM History) >= 2 "
        "BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
    CloseDatabase();
    UpdateRequest request;
    request.databasePath = home.file("Arcanote.mdb");
    request.sources[15] = true;
    test::RecordedProgress progress;
    TaskContext context(progress, ui());
    const UpdateOutcome outcome = RunUpdate(request, context);
    EXPECT_TRUE(outcome.partial());
    EXPECT_NE(outcome.message.find("injected"), std::string::npos) << outcome.message;
    EXPECT_EQ(Value("SELECT count(*) FROM History"), "0");
    EXPECT_EQ(Value("SELECT count(*) FROM Data WHERE CodeHistory IS NOT NULL"), "0");

    // A second writer is refused at once.
    const BuildLock running(request.databasePath);
    EXPECT_NE(RunUpdate(request, context).message.find(Text(kTextBuildRunning)), std::string::npos);
}

// Regression: an older database showed double-escaped names and device pages;
// a file that is no database gave silence.
TEST_F(Update, LayoutIsCheckedAtOpenAndOnlyTheUpdateMigrates) {
    const std::string db = home.file("Arcanote.mdb");
    ASSERT_TRUE(OpenDatabase(db));
    Execute(
        "UPDATE Data SET DriverStatus = 'good', GameName = 'Cookie &amp; Bibi &#33;' "
        "WHERE InternalName = 'mk'");
    Execute("INSERT INTO Data (InternalName, GameName) VALUES ('z80', 'Zilog Z80')");
    Execute("DROP TABLE DeviceRef");
    Execute("PRAGMA user_version = 0");
    CloseDatabase();
    WriteFile(home.file("plain.mdb"), std::string(5000, 'x'));
    test::WriteFile(home.file("other.mdb"), "");
    {
        sqlite3* other = nullptr;
        sqlite3_open(home.file("other.mdb").c_str(), &other);
        sqlite3_exec(other, "CREATE TABLE t (x)", nullptr, nullptr, nullptr);
        sqlite3_close(other);
    }
    const struct {
        std::string path;
        const char* told;
    } refused[] = {{db, "made by an older version: run update or build"},
                   {home.file("plain.mdb"), "is not an Arcanote database"},
                   {home.file("other.mdb"), "is not an Arcanote database"}};
    for (const auto& c : refused) {
        ui().messages.clear();
        EXPECT_FALSE(OpenDatabase(c.path));
        ASSERT_EQ(ui().messages.size(), 1u);
        EXPECT_EQ(ui().messages[0].text.rfind(c.path + " ", 0), 0u);
        EXPECT_NE(ui().messages[0].text.find(c.told), std::string::npos) << c.path;
        EXPECT_THROW(ReadOnlyDatabase reader(c.path), AppError);
    }
    UpdateRequest request;
    request.databasePath = db;
    request.sources[5] = true;  // Genre.ini, here missing: the migration is done all the same
    test::RecordedProgress progress;
    TaskContext context(progress, ui());
    EXPECT_TRUE(RunUpdate(request, context).partial());
    EXPECT_EQ(Value("SELECT GameName FROM Data WHERE InternalName = 'mk'"), "Cookie & Bibi !");
    EXPECT_EQ(Value("SELECT count(*) FROM Data"), "1");  // devices and games without status out
    EXPECT_EQ(Value("SELECT count(*) FROM DeviceRef"), "0");
    EXPECT_EQ(Value("PRAGMA user_version"), "1");

    ASSERT_TRUE(OpenDatabase(db));
    Execute("PRAGMA user_version = 99");
    CloseDatabase();
    EXPECT_FALSE(OpenDatabase(db, DatabaseUse::Update));
    EXPECT_NE(ui().messages.back().text.find("newer version"), std::string::npos);
}

}  // namespace
}  // namespace arc
