#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "collection/CollectionGameDb.h"
#include "collection/ListMyRoms.h"
#include "core/AppState.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "database/Database.h"

namespace arc {
namespace {

using test::Game;

class ListMyRomsTest : public test::CollectionTest {
  protected:
    ListMyRomsTest() {
        MakeGames({Game("pacman", "Pac-Man"), Game("galaga", "Galaga"),
                   Game("dkong", "Donkey Kong"), Game("puckman", "Puck Man"),
                   Game("o'brien", "Quoted"), Game("abcdefghijklm", "Thirteen"),
                   Game("mslug", "Metal Slug", true)});
    }

    /// The task with its database confirmed in the chooser.
    ListMyRomsSummary Run() {
        ui().QueueFile(TheSettings().DatabasePath);
        return ListerMesRoms();
    }

    std::string Summary(int scanned, int listed) {
        return Text(92) + "\n" + std::to_string(scanned) + Text(114) + "\n" +
               std::to_string(listed) + Text(115);
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

    const ListMyRomsSummary summary = Run();

    EXPECT_TRUE(summary.finished);
    EXPECT_EQ(summary.scanned, 8);
    EXPECT_EQ(summary.listed, 7);
    EXPECT_EQ(Owned(), (std::vector<std::string>{"abcdefghijklm", "dkong", "galaga", "mslug",
                                                 "o'brien", "pacman", "puckman"}));
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].text, Summary(8, 7));
    for (const std::string& label : ui().progressLabels)
        EXPECT_TRUE(IsValidUtf8(label));
    EXPECT_TRUE(ui().menusEnabled);
    EXPECT_FALSE(ui().progressVisible);
    EXPECT_FALSE(IsDatabaseOpen());
    // The chooser started on the database in use.
    ASSERT_EQ(ui().fileRequests.size(), 1u);
    EXPECT_EQ(ui().fileRequests[0].initialName, TheSettings().DatabasePath);
}

TEST_F(ListMyRomsTest, MarksAreOnlyAddedAndASecondRunCountsTheEntriesAgain) {
    AddRom("pacman.zip");
    EXPECT_EQ(Run().listed, 2);  // mslug was owned before

    std::filesystem::remove(Roms() + "pacman.zip");
    AddRom("galaga.zip");
    AddRom("dkong/");
    ListMyRomsSummary second = Run();
    EXPECT_EQ(second.scanned, 2);
    EXPECT_EQ(second.listed, 4);  // pacman stays owned
    EXPECT_EQ(GotIt("pacman"), 1);
}

TEST_F(ListMyRomsTest, RomFolderProbe) {
    // A file that is no archive lets the probe succeed: nothing is marked.
    AddRom("readme.txt");
    ListMyRomsSummary summary = Run();
    EXPECT_TRUE(summary.finished);
    EXPECT_EQ(summary.scanned, 0);
    EXPECT_EQ(summary.listed, 1);

    // Only sub-folders: the probe finds the first one and they are scanned.
    std::filesystem::remove(Roms() + "readme.txt");
    AddRom("galaga/");
    AddRom("dkong/");
    summary = Run();
    EXPECT_EQ(summary.scanned, 2);
    EXPECT_EQ(Owned(), (std::vector<std::string>{"dkong", "galaga", "mslug"}));

    // Hidden entries alone are nothing to scan.
    test::TempDir hidden;
    test::WriteFile(hidden.file(".directory"), "x");
    std::filesystem::create_directories(hidden.file(".cache"));
    EXPECT_FALSE(RomFolderHasEntries(hidden.str()));
    EXPECT_FALSE(RomFolderHasEntries(hidden.str() + "missing/"));
}

TEST_F(ListMyRomsTest, EmptyOrMissingFolderIsToldAndOpensThePathsWindow) {
    for (const std::string& folder : {Roms(), home.str() + "nowhere"}) {
        ui().messages.clear();
        TheSettings().RomsFolder = folder;
        const ListMyRomsSummary summary = Run();
        EXPECT_FALSE(summary.finished);
        ASSERT_EQ(ui().messages.size(), 1u);
        EXPECT_EQ(ui().messages[0].text, Text(113) + "\n" + folder);
        EXPECT_EQ(ui().messages[0].icon, MsgIcon::Critical);
        // The paths window switches the menus back on when it closes.
        EXPECT_FALSE(ui().menusEnabled);
    }
    EXPECT_EQ(ui().windowsOpened, (std::vector<std::string>{"Form1", "Form1"}));
    EXPECT_EQ(ui().progressShown, 0);
}

TEST_F(ListMyRomsTest, CancelKeepsTheMarksMadeAndShowsNoSummary) {
    for (int i = 0; i < 50; ++i)
        AddRom("other" + std::to_string(i) + ".zip");
    AddRom("abcdefghijklm.zip");  // sorts before every "other" archive
    AddRom("pacman/");
    int events = 0;
    ui().onProcessEvents = [&] {
        // The first call opens the progress window; waiting there lets the
        // next one through the event throttle, where the user cancels.
        if (++events == 1) std::this_thread::sleep_for(std::chrono::milliseconds(30));
        if (events == 2) UnloadProgress();
    };
    const ListMyRomsSummary summary = Run();
    EXPECT_TRUE(summary.cancelled);
    EXPECT_FALSE(summary.finished);
    EXPECT_EQ(summary.scanned, 1);
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_EQ(GotIt("abcdefghijklm"), 1);
    EXPECT_NE(GotIt("pacman"), 1);  // the folders come after the archives
    EXPECT_TRUE(ui().menusEnabled);
    EXPECT_FALSE(IsDatabaseOpen());
}

TEST_F(ListMyRomsTest, WizardStepAsksNothingShowsNothingAndClearsItsFlag) {
    AddRom("pacman.zip");
    State().WizardMode = true;
    State().WizardTaskRunning = true;
    ui().SetMenusEnabled(false);
    const ListMyRomsSummary summary = ListerMesRoms();
    EXPECT_TRUE(summary.finished);
    EXPECT_EQ(GotIt("pacman"), 1);
    EXPECT_TRUE(ui().fileRequests.empty());
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_FALSE(ui().menusEnabled);  // the wizard keeps the menus off
    EXPECT_FALSE(State().WizardTaskRunning);

    // A failed step releases the wizard as well.
    std::filesystem::remove(Roms() + "pacman.zip");
    State().WizardTaskRunning = true;
    ListerMesRoms();
    EXPECT_FALSE(State().WizardTaskRunning);
}

TEST_F(ListMyRomsTest, AFailureIsToldOrLoggedAndEverythingIsPutBack) {
    AddRom("pacman.zip");
    const std::string games = TheSettings().DatabasePath;
    TheSettings().DatabasePath = home.str() + "missing.mdb";
    EXPECT_FALSE(Run().finished);
    ASSERT_EQ(ui().messages.size(), 1u);  // the opener's message
    EXPECT_NE(ui().messages[0].text.find("missing.mdb"), std::string::npos);
    EXPECT_EQ(ui().progressShown, 0);

    // A failing statement: an error block, no message.
    ui().messages.clear();
    TheSettings().DatabasePath = games;
    ASSERT_TRUE(OpenDatabase(games));
    Execute("ALTER TABLE Data RENAME TO Games");
    CloseDatabase();
    EXPECT_FALSE(Run().finished);
    EXPECT_EQ(State().ErrorCount, 1);
    EXPECT_NE(test::ReadFile(LogFilePath()).find("600"), std::string::npos);
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_TRUE(ui().menusEnabled);
    EXPECT_FALSE(ui().progressVisible);
    EXPECT_FALSE(IsDatabaseOpen());
}

TEST_F(ListMyRomsTest, CancelledDatabaseChooserWroteOwnedMarks) {
    AddRom("pacman.zip");
    const ListMyRomsSummary summary = ListerMesRoms();  // the chooser is cancelled
    EXPECT_TRUE(summary.cancelled);
    EXPECT_NE(GotIt("pacman"), 1);
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_EQ(ui().progressShown, 0);
}

}  // namespace
}  // namespace arc
