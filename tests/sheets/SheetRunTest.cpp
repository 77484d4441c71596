#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "SheetFixture.h"
#include "core/AppState.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "database/Database.h"
#include "sheets/SheetWindowState.h"
#include "support/ZipBuilder.h"

namespace arc::test {
namespace {

namespace fs = std::filesystem;

class SheetRunTest : public SheetTest {
  protected:
    SheetRunTest() {
        setenv("XDG_DATA_HOME", (home.str() + "xdg").c_str(), 1);
        AddGame("pacman", "Pac-Man", {{"Manufacturer", "Namco"}, {"Working", "1"}});
        AddGame("puckman", "Puck Man", {{"Manufacturer", "Namco"}, {"CloneOf", "pacman"}});
        AddGame("galaga", "Galaga", {{"Manufacturer", "Namco"}, {"GotIt", "1"}});
        AddRow("Versions", {{"VersionMame", "0.251"}, {"VersionArcanote", "1.0.0"}});
        CloseDatabase();
    }
    ~SheetRunTest() override { unsetenv("XDG_DATA_HOME"); }

    SheetWindowState LoadedWindow() {
        SheetWindowState window;
        window.Load(false);
        window.text1 = site;
        return window;
    }
    std::string SkinDir(const std::string& name) const { return home.str() + "html/" + name; }
    std::string UnzippedSkin(const std::string& name) const {
        return State().TempFolder + "~" + name + ".skin";
    }
};

TEST_F(SheetRunTest, OnlyPlainFilesMakeTheDestinationNotEmpty) {
    fs::create_directories(site + "html/images/snap");
    SheetWindowState window = LoadedWindow();
    ASSERT_TRUE(window.MakeWithoutQuestions().completed);
    EXPECT_EQ(ui().messages.size(), 1u);  // "Done." only

    ui().messages.clear();
    WriteFile(site + "mine.txt", "keep");
    ui().QueueAnswer(MsgAnswer::Yes);
    ui().QueueAnswer(MsgAnswer::No);
    ASSERT_TRUE(window.MakeWithoutQuestions().completed);
    ASSERT_GE(ui().messages.size(), 2u);
    EXPECT_EQ(ui().messages[0].text, "Destination folder is not empty.\r\nDo you want to delete ?");
    EXPECT_EQ(ui().messages[1].icon, MsgIcon::Critical);
    EXPECT_EQ(ReadFile(site + "mine.txt"), "keep");
}

TEST_F(SheetRunTest, TwoYesesEmptyTheDestinationIntoTheTrash) {
    WriteFile(site + "old.txt", "old");
    WriteFile(site + "html/stale.htm", "stale");
    SheetWindowState window = LoadedWindow();
    ui().QueueAnswer(MsgAnswer::Yes);
    ui().QueueAnswer(MsgAnswer::Yes);
    ASSERT_TRUE(window.MakeWithoutQuestions().completed);
    EXPECT_FALSE(fs::exists(site + "old.txt"));
    EXPECT_FALSE(PageExists("stale.htm"));
    EXPECT_TRUE(fs::exists(home.str() + "xdg/Trash/files/old.txt"));
    EXPECT_TRUE(PageExists("pacman.htm"));
}

TEST_F(SheetRunTest, ProgramOrDatabaseFolderIsNeverEmptied) {
    SheetWindowState window = LoadedWindow();
    for (const std::string& destination : {ProgramFolder(), home.str() + "site/../"}) {
        ui().messages.clear();
        window.text1 = destination;
        ui().QueueAnswer(MsgAnswer::Yes);
        ui().QueueAnswer(MsgAnswer::Yes);
        ASSERT_TRUE(window.MakeWithoutQuestions().completed);
        ASSERT_FALSE(ui().messages.empty());
        EXPECT_EQ(ui().messages[0].icon, MsgIcon::Exclamation);
        EXPECT_NE(ui().messages[0].text.find("not emptied"), std::string::npos);
        EXPECT_TRUE(fs::exists(database));
        EXPECT_TRUE(fs::exists(ProgramFolder() + "html/pacman.htm"));
    }
    // A folder inside the database's folder that holds neither may be emptied.
    EXPECT_FALSE(HoldsProgramFiles(site));
    TheSettings().DatabasePath = site + "db/games.mdb";
    EXPECT_TRUE(HoldsProgramFiles(site));
}

TEST_F(SheetRunTest, SkinListHasFoldersThenArchivesAndKeepsTheBuiltInFirst) {
    WriteFile(SkinDir("Blue.skin/rom.htm"), "#GAMENAME");
    WriteFile(SkinDir("notaskin/rom.htm"), "x");
    WriteZip(SkinDir("Red.SKIN.zip"), {{"rom.htm", "#GAMENAME"}});
    TheSettings().DefaultSkin = "gone";
    SheetWindowState window = LoadedWindow();
    ASSERT_EQ(window.combo1, (std::vector<std::string>{"", "Blue", "Red"}));
    EXPECT_EQ(window.combo1Index, 0);
    EXPECT_EQ(window.skinPaths[2], SkinDir("Red.SKIN.zip"));
    TheSettings().DefaultSkin = "red";
    window.FillSkinList();
    EXPECT_EQ(window.ComboText(), "Red");
}

TEST_F(SheetRunTest, MakeWithoutDestinationDatabaseOrWithTheChooserCancelledDoesNothing) {
    SheetWindowState window = LoadedWindow();
    window.text1.clear();
    EXPECT_FALSE(window.Make().databaseOpened);
    EXPECT_TRUE(window.focusText1);
    window.text1 = site;
    // No database in use: the chooser asks, and its Cancel stops the run.
    TheSettings().DatabasePath = home.str() + "none.mdb";
    EXPECT_FALSE(window.Make().databaseOpened);
    EXPECT_EQ(ui().fileRequests.size(), 1u);
    EXPECT_FALSE(fs::exists(site));
    EXPECT_FALSE(window.MakeWithoutQuestions().databaseOpened);
    EXPECT_FALSE(PageExists("pacman.htm"));
    EXPECT_TRUE(ui().menusEnabled);
}

TEST_F(SheetRunTest, APageThatCannotBeWrittenEndsTheRunAsAFailure) {
    fs::create_directories(site + "html/galaga.htm");  // a folder where a page should be
    SheetWindowState window = LoadedWindow();
    const SheetRunResult result = window.MakeWithoutQuestions();
    EXPECT_TRUE(result.failed && !result.completed && !result.cancelled);
    EXPECT_NE(result.failure.find(site + "html/galaga.htm"), std::string::npos) << result.failure;
    ASSERT_EQ(ui().messages.size(), 1u);  // the failure, never "Done."
    EXPECT_EQ(ui().messages[0].icon, MsgIcon::Critical);
    EXPECT_NE(ui().messages[0].text.find(result.failure), std::string::npos);
    EXPECT_NE(ReadFile(LogFilePath()).find("TRACKING BUG NUMBER = 510"), std::string::npos);
    EXPECT_TRUE(ui().opened.empty());
}

TEST_F(SheetRunTest, ZippedSkinIsRemovedAfterACancel) {
    WriteZip(SkinDir("Slow.skin.zip"), {{"rom.htm", "#GAMENAME"}});
    TheSettings().DefaultSkin = "Slow";
    SheetWindowState window = LoadedWindow();
    bool sawSkin = false;
    ui().onProcessEvents = [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        if (Progress().Done >= 1 && Progress().Total == 3) {
            sawSkin = fs::exists(UnzippedSkin("Slow") + "/rom.htm");
            Progress().Cancel = true;
        }
    };
    // Events run at most every 20 ms: the run's first round must not fall in the last one's window.
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
    const SheetRunResult result = window.MakeWithoutQuestions();
    EXPECT_TRUE(result.cancelled);
    EXPECT_TRUE(sawSkin);
    EXPECT_FALSE(fs::exists(UnzippedSkin("Slow")));
    EXPECT_FALSE(fs::exists(site + "index.htm"));
    EXPECT_TRUE(ui().menusEnabled);
    EXPECT_FALSE(IsDatabaseOpen());
}

TEST_F(SheetRunTest, BrokenOrHostileSkinArchiveStillCompletes) {
    WriteZip(SkinDir("Bad.skin.zip"), {{"../../escaped.htm", "evil"},
                                       {"/tmp/absolute-arcanote.htm", "evil"},
                                       {"rom.htm", "broken #GAMENAME", true},
                                       {"list.htm", "#NAMELIST|#LIST"}});
    TheSettings().DefaultSkin = "Bad";
    SheetWindowState window = LoadedWindow();
    ASSERT_TRUE(window.MakeWithoutQuestions().completed);
    EXPECT_FALSE(fs::exists(State().TempFolder + "../escaped.htm"));
    EXPECT_FALSE(fs::exists(home.str() + "escaped.htm"));
    EXPECT_FALSE(fs::exists("/tmp/absolute-arcanote.htm"));
    EXPECT_EQ(Page("COMPLETE_LISTP.htm").rfind("COMPLETE LIST|", 0), 0u);
    EXPECT_TRUE(State().LogFlag);
    EXPECT_NE(ReadFile(LogFilePath()).find("UnzipAll "), std::string::npos);
    EXPECT_FALSE(fs::exists(UnzippedSkin("Bad")));
}

TEST_F(SheetRunTest, ZippedSkinWithArtArchivesDontCopyAndSubstitutes) {
    const std::string source = home.str() + "skinsrc/";
    WriteFile(source + "rom.htm", "skinned #GAMENAME #EXPROM");
    WriteFile(source + "index1.jpg", "jpg");
    WriteFile(source + "rom_top.jpg", "jpg");
    WriteFile(source + "noimage.png", "none");
    fs::create_directories(home.str() + "html");
    ASSERT_EQ(RunAndWait("cd '" + source + "' && zip -q -r '" + SkinDir("Zipped.skin.zip") + "' ."),
              0);
    WriteZip(art + "0/titles.zip", {{"pacman.png", "zipped title"}});
    WriteFile(art + "0/pacman.png", "loose title");
    WriteFile(art + "0/galaga.png", "loose title");
    WriteZip(art + "1/snap.zip", {{"pacman.png", "zipped snap"}});
    WriteFile(art + "5/puckman.png", "flyer");
    TheSettings().DefaultSkin = "Zipped";
    SheetWindowState window = LoadedWindow();
    ASSERT_EQ(window.ComboText(), "Zipped");
    window.check2[1] = true;  // don't copy snapshots
    window.check4 = true;     // substitutes
    window.check1[1] = true;  // avoid clones: puckman gets no page but a substitute
    ASSERT_TRUE(window.MakeWithoutQuestions().completed);
    const std::string images = site + "html/images/";
    EXPECT_EQ(ReadFile(images + "titles/pacman.png"), "zipped title");
    EXPECT_EQ(ReadFile(images + "titles/galaga.png"), "loose title");
    EXPECT_FALSE(fs::exists(images + "snap/pacman.png"));
    EXPECT_FALSE(fs::exists(images + "snap/galaga.png"));
    EXPECT_EQ(ReadFile(images + "flyers/puckman.png"), "none");
    EXPECT_EQ(ReadFile(images + "marquees/puckman.png"), "none");
    EXPECT_FALSE(PageExists("puckman.htm"));
    EXPECT_EQ(ReadFile(site + "html/noimage.png"), "none");
    EXPECT_EQ(Page("pacman.htm"), "skinned Pac-Man &nbsp; ");
    EXPECT_TRUE(fs::exists(site + "index1.jpg"));
    EXPECT_TRUE(PageExists("rom_top.jpg"));
    EXPECT_FALSE(fs::exists(UnzippedSkin("Zipped")));
}

TEST_F(SheetRunTest, CopyAllArtCopiesEveryPictureOfTheCopiedKindsAndSubstitutesNeedTheSkins) {
    WriteFile(art + "3/unknown.png", "cab");
    WriteFile(art + "4/other.png", "panel");
    WriteFile(SkinDir("Plain.skin/rom.htm"), "#GAMENAME");
    TheSettings().DefaultSkin = "Plain";
    SheetWindowState window = LoadedWindow();
    window.check3 = true;
    window.check2[4] = true;
    window.check4 = true;  // substitutes, but the skin has no noimage.png
    ASSERT_TRUE(window.MakeWithoutQuestions().completed);
    EXPECT_TRUE(fs::exists(site + "html/images/cabinets/unknown.png"));
    EXPECT_FALSE(fs::exists(site + "html/images/cpanel/other.png"));
    EXPECT_TRUE(fs::is_empty(site + "html/images/titles"));
}

TEST_F(SheetRunTest, WizardModeAsksNothingAndUnloadsTheWindow) {
    State().WizardMode = true;
    SheetWindowState window = LoadedWindow();
    const SheetRunResult result = window.Make();
    ASSERT_TRUE(result.completed);
    EXPECT_TRUE(ui().fileRequests.empty());
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_FALSE(ui().menusEnabled);
    EXPECT_FALSE(window.visible);
    EXPECT_TRUE(window.unloadRequested);
}

}  // namespace
}  // namespace arc::test
