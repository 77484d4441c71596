#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "SheetFixture.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "database/Database.h"
#include "sheets/SheetWindowState.h"
#include "sheets/SheetsTask.h"
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
    // A run of the task itself, every input given here.
    SheetsRequest Request() const {
        SheetsRequest request;
        request.databasePath = database;
        request.htmlFolder = site;
        for (int k = 0; k < kArtKinds; ++k)
            request.artFolders[k] = art + std::to_string(k) + "/";
        request.tempFolder = home.str() + "tmp/";
        request.programFolder = home.str();
        return request;
    }
    SheetsOutcome RunTask(const SheetsRequest& request) {
        TaskContext context(progress, ui());
        return RunSheets(request, context);
    }
    std::string UnzippedSkin(const std::string& name) const {
        return FindTempFolder() + "~" + name + ".skin";
    }
};

TEST_F(SheetRunTest, OnlyPlainFilesMakeTheDestinationNotEmpty) {
    fs::create_directories(site + "html/images/snap");
    SheetWindowState window = LoadedWindow();
    ASSERT_TRUE(window.MakeWithoutQuestions().ok());
    EXPECT_EQ(ui().messages.size(), 1u);  // "Done." only

    ui().messages.clear();
    WriteFile(site + "mine.txt", "keep");
    ui().QueueAnswer(MsgAnswer::Yes);
    ui().QueueAnswer(MsgAnswer::No);
    ASSERT_TRUE(window.MakeWithoutQuestions().ok());
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
    ASSERT_TRUE(window.MakeWithoutQuestions().ok());
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
        ASSERT_TRUE(window.MakeWithoutQuestions().ok());
        ASSERT_FALSE(ui().messages.empty());
        EXPECT_EQ(ui().messages[0].icon, MsgIcon::Exclamation);
        EXPECT_NE(ui().messages[0].text.find("not emptied"), std::string::npos);
        EXPECT_TRUE(fs::exists(database));
        EXPECT_TRUE(fs::exists(ProgramFolder() + "html/pacman.htm"));
    }
    // A folder inside the database's folder that holds neither may be emptied.
    EXPECT_FALSE(HoldsProgramFiles(site, ProgramFolder(), database));
    EXPECT_TRUE(HoldsProgramFiles(site, ProgramFolder(), site + "db/games.mdb"));
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
    const SheetsOutcome result = window.MakeWithoutQuestions();
    EXPECT_TRUE(result.failed());
    EXPECT_NE(result.message.find(site + "html/galaga.htm"), std::string::npos) << result.message;
    ASSERT_EQ(ui().messages.size(), 1u);  // the failure, never "Done."
    EXPECT_EQ(ui().messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(ui().messages[0].text, result.message);
    EXPECT_NE(ReadFile(LogFilePath()).find("TRACKING BUG NUMBER = 510"), std::string::npos);
    EXPECT_TRUE(ui().opened.empty());
}

TEST_F(SheetRunTest, ZippedSkinIsRemovedAfterACancel) {
    WriteZip(SkinDir("Slow.skin.zip"), {{"rom.htm", "#GAMENAME"}});
    SheetsRequest request = Request();
    request.skinName = "Slow";
    request.skinPath = SkinDir("Slow.skin.zip");
    // Cancelled at the run's first step, once it has seen whether the skin was unpacked.
    TaskProgress cancelling;
    bool sawSkin = false;
    cancelling.Watch([&](TaskProgress& progress) {
        if (progress.Done() < 1) return;
        sawSkin = sawSkin || fs::exists(request.tempFolder + "~Slow.skin/rom.htm");
        progress.Cancel();
    });
    TaskContext context(cancelling, ui());
    const SheetsOutcome result = RunSheets(request, context);
    EXPECT_TRUE(result.cancelled());
    EXPECT_TRUE(sawSkin);
    EXPECT_FALSE(fs::exists(request.tempFolder + "~Slow.skin"));
    EXPECT_FALSE(fs::exists(site + "index.htm"));
    EXPECT_FALSE(IsDatabaseOpen());
}

TEST_F(SheetRunTest, BrokenOrHostileSkinArchiveStillCompletes) {
    WriteZip(SkinDir("Bad.skin.zip"), {{"../../escaped.htm", "evil"},
                                       {"/tmp/absolute-arcanote.htm", "evil"},
                                       {"rom.htm", "broken #GAMENAME", true},
                                       {"list.htm", "#NAMELIST|#LIST"}});
    TheSettings().DefaultSkin = "Bad";
    SheetWindowState window = LoadedWindow();
    ASSERT_TRUE(window.MakeWithoutQuestions().ok());
    EXPECT_FALSE(fs::exists(FindTempFolder() + "../escaped.htm"));
    EXPECT_FALSE(fs::exists(home.str() + "escaped.htm"));
    EXPECT_FALSE(fs::exists("/tmp/absolute-arcanote.htm"));
    EXPECT_EQ(Page("COMPLETE_LISTP.htm").rfind("COMPLETE LIST|", 0), 0u);
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
    window.check1[1] = true;  // avoid clones: puckman gets no page, nor a substitute
    ASSERT_TRUE(window.MakeWithoutQuestions().ok());
    const std::string images = site + "html/images/";
    EXPECT_EQ(ReadFile(images + "titles/pacman.png"), "zipped title");
    EXPECT_EQ(ReadFile(images + "titles/galaga.png"), "loose title");
    EXPECT_FALSE(fs::exists(images + "snap/pacman.png"));
    EXPECT_FALSE(fs::exists(images + "snap/galaga.png"));
    EXPECT_EQ(ReadFile(images + "marquees/galaga.png"), "none");
    EXPECT_FALSE(fs::exists(images + "marquees/puckman.png"));
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
    ASSERT_TRUE(window.MakeWithoutQuestions().ok());
    EXPECT_TRUE(fs::exists(site + "html/images/cabinets/unknown.png"));
    EXPECT_FALSE(fs::exists(site + "html/images/cpanel/other.png"));
    EXPECT_TRUE(fs::is_empty(site + "html/images/titles"));
}

TEST_F(SheetRunTest, WizardModeAsksNothingAndUnloadsTheWindow) {
    SheetWindowState window = LoadedWindow();
    window.inWizard = true;
    const SheetsOutcome result = window.Make();
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(ui().fileRequests.empty());
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_FALSE(ui().menusEnabled);
    EXPECT_FALSE(window.visible);
    EXPECT_TRUE(window.unloadRequested);
}

TEST_F(SheetRunTest, ARunIsMadeOfItsRequestAloneInTheLanguageItAsks) {
    TheSettings().DatabasePath = home.str() + "elsewhere.mdb";
    TheSettings().HtmlFolder = home.str() + "elsewhere/";
    TheSettings().Language = 1;
    SheetsRequest request = Request();
    for (const bool french : {false, true}) {
        request.frenchPages = french;
        const SheetsOutcome outcome = RunTask(request);
        ASSERT_TRUE(outcome.ok()) << outcome.message;
        EXPECT_EQ(outcome.pages, 3);
        EXPECT_EQ(outcome.indexPath, site + "index.htm");
        const std::string page = Page("pacman.htm");
        EXPECT_EQ(page.find(french ? "Manufacturer : " : "Éditeur : "), std::string::npos);
        EXPECT_NE(page.find(french ? "Éditeur : " : "Manufacturer : "), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(home.str() + "elsewhere"));
    EXPECT_EQ(TheSettings().HtmlFolder, home.str() + "elsewhere/");
}

// A forged collection: 3 owned sets among 43, every picture missing.
TEST_F(SheetRunTest, ReplacementImagesOnlyForTheGamesWhosePagesAreMade) {
    OpenDatabase(database);
    for (int i = 0; i < 40; ++i)
        AddGame("unowned" + std::to_string(i), "Unowned " + std::to_string(i));
    AddGame("owned1", "Owned 1", {{"GotIt", "1"}});
    AddGame("owned2", "Owned 2", {{"GotIt", "1"}, {"CloneOf", "galaga"}});
    CloseDatabase();
    WriteFile(SkinDir("Plain.skin/noimage.png"), "none");
    SheetsRequest request = Request();
    request.skinName = "Plain";
    request.skinPath = SkinDir("Plain.skin");
    request.choices.onlyAvailable = true;
    request.choices.substitutes = true;
    request.choices.parentArtForClones = true;  // owned2's pages show galaga's pictures
    const SheetsOutcome outcome = RunTask(request);
    ASSERT_TRUE(outcome.ok()) << outcome.message;
    EXPECT_EQ(outcome.pages, 3);
    for (std::string_view kind : ArtSheetFolders()) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(site + "html/images/" + std::string(kind)))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"galaga.png", "owned1.png"})) << kind;
    }
}

TEST_F(SheetRunTest, UnsafeArtArchiveMembersEndTheRunPartial) {
    WriteZip(art + "0/titles.zip", {{"../../../escaped.png", "evil"}, {"pacman.png", "title"}});
    WriteZip(art + "2/marquees.zip", {{"galaga.png", "marquee"}});
    // A kind without a folder has no art: not the archives of the working folder.
    WriteZip(home.str() + "stray.zip", {{"pacman.png", "stray"}});
    const fs::path cwd = fs::current_path();
    fs::current_path(home.str());
    SheetsRequest request = Request();
    request.artFolders[3].clear();
    const SheetsOutcome outcome = RunTask(request);
    fs::current_path(cwd);
    EXPECT_FALSE(fs::exists(site + "html/images/cabinets/pacman.png"));
    EXPECT_TRUE(outcome.partial()) << outcome.message;
    EXPECT_EQ(outcome.uncleanArtArchives, 1);
    EXPECT_EQ(outcome.notDone, 1);
    EXPECT_EQ(outcome.done, 3);
    EXPECT_EQ(outcome.message,
              "1 art archive(s) held members that were not extracted (see the log).");
    EXPECT_EQ(ReadFile(site + "html/images/titles/pacman.png"), "title");
    EXPECT_EQ(ReadFile(site + "html/images/marquees/galaga.png"), "marquee");
    EXPECT_FALSE(fs::exists(home.str() + "escaped.png"));
    EXPECT_TRUE(fs::exists(site + "index.htm"));
}

TEST_F(SheetRunTest, TemporaryPagesOfAKilledRunAreRemovedAtTheNextStart) {
    const std::string leftovers[] = {"index.htm.0a1b2c3d", "html/pacman.htm.deadbeef",
                                     "html/images/snap/pacman.png.00ff00ff"};
    const std::string kept[] = {"mine.txt.12345678", "html/readme.12345678",
                                "html/pacman.htm.DEADBEEF"};
    for (const std::string& name : leftovers)
        WriteFile(site + name, "cut");
    for (const std::string& name : kept)
        WriteFile(site + name, "mine");
    ui().QueueAnswer(MsgAnswer::No);  // the destination is not empty: keep it
    ASSERT_TRUE(RunTask(Request()).ok());
    for (const std::string& name : leftovers)
        EXPECT_FALSE(fs::exists(site + name)) << name;
    for (const std::string& name : kept)
        EXPECT_EQ(ReadFile(site + name), "mine") << name;
}

}  // namespace
}  // namespace arc::test
