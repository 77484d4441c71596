#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "collection/CollectionGameDb.h"
#include "collection/ListMyRoms.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "support/SoftwareFixture.h"

namespace arc {
namespace {

class ListMyRomsTest : public test::CollectionTest {
  protected:
    ListMyRomsTest() {
        std::vector<test::GameRow> games = {{.name = "mslug", .gotIt = true}};
        for (const char* name :
             {"pacman", "galaga", "dkong", "puckman", "o'brien", "abcdefghijklm"})
            games.push_back({name});
        MakeGames(games);
    }

    /// The menu command; a database that does not exist is chosen all the
    /// same in the chooser, which opens only then.
    ListMyRomsOutcome Run() {
        if (!std::filesystem::exists(TheSettings().DatabasePath))
            ui().QueueFile(TheSettings().DatabasePath);
        return ListMyRoms();
    }

    bool IsOwned(const std::string& name) { return std::ranges::count(Owned(), name) == 1; }

    /// The task itself over `folder`.
    ListMyRomsOutcome Scan(const std::string& folder, int cancelAt = 0) {
        test::RecordedProgress progress(cancelAt);
        TaskContext context(progress, ui());
        return RunListMyRoms({TheSettings().DatabasePath, folder}, context);
    }

    /// Everything the task switched off or opened is back.
    void ExpectPutBack() {
        EXPECT_TRUE(ui().menusEnabled);
        EXPECT_FALSE(ui().progressVisible);
        EXPECT_FALSE(IsDatabaseOpen());
    }
};

TEST_F(ListMyRomsTest, ArchivesAndFoldersMarkTheirGamesAndTheSummaryCountsThem) {
    AddRom("pacman.zip");
    AddRom("galaga .zip");       // the space before the extension is not part of the name
    AddRom("PUCKMAN.ZIP");       // upper-case extension, name matched without regard to case
    AddRom("o'brien.zip");       // a quote in the name must not break the statement
    AddRom("abcdefghijklm.7z");  // today's sets are .7z as well
    AddRom("dkong/");            // a folder counts as owned
    AddRom("unknown.zip");       // scanned, marks nothing
    AddRom("caf\xe9.zip");       // not UTF-8: scanned, marks nothing
    AddRom("readme.txt");        // neither archive nor folder

    const ListMyRomsOutcome outcome = Run();

    EXPECT_TRUE(outcome.ok());
    EXPECT_EQ(Owned(), (std::vector<std::string>{"abcdefghijklm", "dkong", "galaga", "o'brien",
                                                 "pacman", "puckman"}));
    ASSERT_EQ(ui().messages.size(), 1u);
    // mslug, owned before, is not in the folder.
    EXPECT_EQ(ui().messages[0].text, Text(92) + "\n8" + Text(114) + "\n6" + Text(115) + "\n6" +
                                         Text(340) + "\n1" + Text(341));
    for (const std::string& label : ui().progressLabels)
        EXPECT_TRUE(IsValidUtf8(label));
    ExpectPutBack();
    EXPECT_TRUE(ui().fileRequests.empty());  // the database in use, without a chooser
}

TEST_F(ListMyRomsTest, ARescanOfAnotherFolderLeftGoneSetsOwned) {
    AddRom("pacman.zip");
    AddRom("galaga/");
    const std::string other = home.str() + "other/";
    test::WriteFile(other + "dkong.7z", "7z");
    test::WriteFile(other + "PACMAN.ZIP", "zip");

    EXPECT_EQ(Scan(Roms()).noLongerFound, 1);  // mslug

    const ListMyRomsOutcome outcome = Scan(other);
    EXPECT_TRUE(outcome.ok());
    EXPECT_EQ(Owned(), (std::vector<std::string>{"dkong", "pacman"}));
    EXPECT_EQ(outcome.added, 1);          // dkong
    EXPECT_EQ(outcome.noLongerFound, 1);  // galaga
    EXPECT_EQ(outcome.owned, 2);
    EXPECT_NE(outcome.message.find("\n1" + Text(341)), std::string::npos);
}

TEST_F(ListMyRomsTest, SoftwareItemsOfTheListFoldersAreMarkedWithTheSets) {
    AddRom("pacman.zip");
    EXPECT_EQ(Scan(Roms()).ownedSoftware, -1);  // no software lists: no line
    {
        ASSERT_TRUE(OpenDatabase(TheSettings().DatabasePath));
        test::ImportCutSoftwareLists(ui());
        CloseDatabase();
    }
    AddRom("nes/smb.zip");
    AddRom("nes/zelda/");
    const ListMyRomsOutcome outcome = Scan(Roms());
    EXPECT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.ownedSoftware, 2);
    EXPECT_EQ(outcome.message.substr(outcome.message.rfind('\n')), "\n2" + Text(421));
    EXPECT_TRUE(IsOwned("pacman"));
    ASSERT_TRUE(OpenDatabase(TheSettings().DatabasePath));
    EXPECT_EQ(QueryValue("SELECT group_concat(Name) FROM (SELECT Name FROM Software "
                         "WHERE Owned = 1 ORDER BY Name)"),
              "smb,zelda");
    CloseDatabase();
}

TEST_F(ListMyRomsTest, EmptyOrMissingFolderIsToldAndOpensThePathsWindow) {
    // Hidden entries alone are nothing to scan.
    test::WriteFile(Roms() + ".directory", "x");
    std::filesystem::create_directories(Roms() + ".cache");
    for (const std::string& folder : {Roms(), home.str() + "nowhere"}) {
        ui().messages.clear();
        TheSettings().RomsFolder = folder;
        EXPECT_TRUE(Run().noRomFound);
        ASSERT_EQ(ui().messages.size(), 1u);
        EXPECT_EQ(ui().messages[0].text, Text(113) + "\n" + folder);
        // The paths window switches the menus back on when it closes.
        EXPECT_FALSE(ui().menusEnabled);
    }
    EXPECT_EQ(ui().windowsOpened, (std::vector<std::string>{"Form1", "Form1"}));
    EXPECT_EQ(ui().progressShown, 0);

    // A file that is no archive, or a sub-folder alone, is something to scan.
    TheSettings().RomsFolder = Roms();
    std::filesystem::remove(Roms() + ".cache");
    AddRom("readme.txt");
    EXPECT_TRUE(Run().ok());
    std::filesystem::remove(Roms() + "readme.txt");
    AddRom("galaga/");
    EXPECT_EQ(Run().scanned, 1);
    EXPECT_TRUE(IsOwned("galaga"));
}

TEST_F(ListMyRomsTest, CancelKeepsTheMarksMadeAndClearsNone) {
    for (int i = 0; i < 50; ++i)
        AddRom("other" + std::to_string(i) + ".zip");
    AddRom("abcdefghijklm.zip");  // sorts before every "other" archive
    AddRom("pacman/");
    const ListMyRomsOutcome outcome = Scan(Roms(), 1);
    EXPECT_TRUE(outcome.cancelled());
    EXPECT_EQ(outcome.scanned, 1);
    // The folders come after the archives; mslug, not seen, stays owned.
    EXPECT_EQ(Owned(), (std::vector<std::string>{"abcdefghijklm", "mslug"}));
    EXPECT_FALSE(IsDatabaseOpen());
}

TEST_F(ListMyRomsTest, WizardStepAsksNothingAndShowsNothing) {
    AddRom("pacman.zip");
    EXPECT_TRUE(ListMyRoms(/*wizardStep=*/true).ok());
    EXPECT_TRUE(IsOwned("pacman"));
    EXPECT_TRUE(ui().fileRequests.empty());
    EXPECT_TRUE(ui().messages.empty());
    // The menu command asks for a database it cannot find; its Cancel lists nothing.
    std::filesystem::remove(Roms() + "pacman.zip");
    const std::string database = TheSettings().DatabasePath;
    TheSettings().DatabasePath = home.file("missing.mdb");
    EXPECT_TRUE(ListMyRoms().cancelled());
    EXPECT_EQ(ui().fileRequests.size(), 1u);
    TheSettings().DatabasePath = database;
    EXPECT_TRUE(IsOwned("pacman"));
}

TEST_F(ListMyRomsTest, ABrokenDatabaseWasToldAsAnUnscannedRomFolder) {
    AddRom("pacman.zip");
    const std::string games = TheSettings().DatabasePath;
    const std::string garbage = home.str() + "garbage.mdb";
    test::WriteFile(garbage, std::string(4096, 'g'));
    ASSERT_TRUE(OpenDatabase(games));
    Execute("CREATE TRIGGER fault BEFORE UPDATE ON Data BEGIN SELECT RAISE(ABORT, 'x'); END");
    CloseDatabase();
    for (const std::string& database : {home.str() + "missing.mdb", garbage, games}) {
        ui().messages.clear();
        TheSettings().DatabasePath = database;
        const ListMyRomsOutcome outcome = Run();
        EXPECT_TRUE(outcome.failed());
        ASSERT_EQ(ui().messages.size(), 1u);
        EXPECT_NE(ui().messages[0].text.find(database), std::string::npos);
        EXPECT_EQ(ui().messages[0].text.find(Text(113)), std::string::npos);
        ExpectPutBack();
    }
}

TEST_F(ListMyRomsTest, CancelledDatabaseChooserWroteOwnedMarks) {
    AddRom("pacman.zip");
    const std::string database = TheSettings().DatabasePath;
    TheSettings().DatabasePath.clear();     // none set: the chooser asks
    EXPECT_TRUE(ListMyRoms().cancelled());  // the chooser is cancelled
    TheSettings().DatabasePath = database;
    EXPECT_FALSE(IsOwned("pacman"));
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_EQ(ui().progressShown, 0);
}

}  // namespace
}  // namespace arc
