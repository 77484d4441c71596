#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "collection/ImagesWindow.h"
#include "core/AppState.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "support/TestSupport.h"

namespace arc::test {
namespace {

namespace fs = std::filesystem;

class ImagesWindowTest : public ProgramFolderTest {
  protected:
    ImagesWindowTest() {
        Settings& settings = TheSettings();
        settings.RomsFolder = home.file("roms") + "/";
        settings.ArtFolders[kTitles] = home.file("mame/titles") + "/";
        settings.ArtFolders[kSnapshots] = home.file("mame/snap") + "/";
        WriteFile(home.file("roms/pacman.zip"), "zip");
        fs::create_directories(home.file("roms/mspacman"));  // kept unzipped
        window.ShowWindow = [this](bool shown) { shownStates.push_back(shown); };
    }

    ImagesWindow window;
    std::vector<bool> shownStates;
};

TEST_F(ImagesWindowTest, DeleteRemovesOrphansOfTheChosenKindsOnly) {
    for (const char* name : {"pacman.png", "mspacman.png", "zzzz.png", "Pacman.png", "zzzz.jpg"})
        WriteFile(home.file(std::string("mame/snap/") + name), "img");
    WriteFile(home.file("mame/titles/zzzz.png"), "img");
    window.Kinds[kSnapshots] = true;
    ui().QueueAnswer(MsgAnswer::Yes);

    window.DeleteImagesWithoutRom();

    EXPECT_EQ(ListFolder(home.file("mame/snap"), "*"),
              (std::vector<std::string>{"mspacman.png", "pacman.png", "zzzz.jpg"}));
    EXPECT_TRUE(FileExists(home.file("mame/titles/zzzz.png")));
    ASSERT_EQ(ui().messages.size(), 2u);
    EXPECT_EQ(ui().messages[0].icon, MsgIcon::Question);
    EXPECT_EQ(ui().messages[1].text, "Done.");
    EXPECT_EQ(shownStates, (std::vector<bool>{false, true}));
}

TEST_F(ImagesWindowTest, EmptyRomFolderDeletesNothing) {
    TheSettings().RomsFolder = home.file("unmounted") + "/";
    WriteFile(home.file("mame/snap/pacman.png"), "img");
    window.Kinds[kSnapshots] = true;
    ui().QueueAnswer(MsgAnswer::Yes);

    window.DeleteImagesWithoutRom();

    EXPECT_TRUE(FileExists(home.file("mame/snap/pacman.png")));
    ASSERT_EQ(ui().messages.size(), 2u);
    EXPECT_NE(ui().messages[1].text.find("No ROM was found in the ROM folder"), std::string::npos);
    EXPECT_FALSE(ui().progressVisible);
}

TEST_F(ImagesWindowTest, NothingHappensWithoutAKindOrWithoutConsent) {
    WriteFile(home.file("mame/snap/zzzz.png"), "img");
    WriteFile(home.file("art/pacman.png"), "img");
    window.SourceText = home.file("art");
    window.DeleteImagesWithoutRom();
    window.CopyImagesThatHaveRom();
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_EQ(ui().progressShown, 0);

    window.Kinds[kSnapshots] = true;
    ui().QueueAnswer(MsgAnswer::No);
    window.DeleteImagesWithoutRom();
    EXPECT_TRUE(FileExists(home.file("mame/snap/zzzz.png")));
    EXPECT_EQ(ui().messages.size(), 1u);
}

TEST_F(ImagesWindowTest, CopyLooksInTheKindFolderThenTheSourceRoot) {
    WriteFile(home.file("art/snap/pacman.png"), "from snap");
    WriteFile(home.file("art/pacman.png"), "from root");
    WriteFile(home.file("art/mspacman.png"), "ms from root");
    WriteFile(home.file("art/galaga.png"), "not owned");
    WriteFile(home.file("art/snap/mspacman.jpg"), "other format");
    WriteFile(home.file("mame/snap/pacman.png"), "old");
    window.Kinds[kSnapshots] = true;
    window.SourceText = home.file("art");  // no trailing separator

    window.CopyImagesThatHaveRom();

    EXPECT_EQ(TheSettings().ImageSource, home.file("art") + "/");
    EXPECT_EQ(ReadFile(home.file("mame/snap/pacman.png")), "from snap");
    EXPECT_EQ(ReadFile(home.file("mame/snap/mspacman.png")), "ms from root");
    EXPECT_EQ(ListFolder(home.file("mame/snap"), "*"),
              (std::vector<std::string>{"mspacman.png", "pacman.png"}));
    EXPECT_FALSE(fs::exists(home.file("mame/titles")));
    EXPECT_EQ(ui().messages.back().text, "Done.");
}

TEST_F(ImagesWindowTest, OpeningShowsTheProgramFolderAndSwitchesMenus) {
    window.Load();
    EXPECT_EQ(window.SourceText, ProgramFolder());
    EXPECT_FALSE(ui().menusEnabled);
    window.Unload();
    EXPECT_TRUE(ui().menusEnabled);

    EXPECT_EQ(OwnedRomNames(TheSettings().RomsFolder, nullptr),
              (std::vector<std::string>{"pacman", "mspacman"}));
}

TEST_F(ImagesWindowTest, PathsWaitsForTheDialogToClearTheFlag) {
    int rounds = 0;
    ui().onProcessEvents = [&] {
        if (++rounds == 3) State().PathsDialogOpen = false;
    };
    bool dialogShown = false;
    window.EditPaths([&] { dialogShown = true; });
    EXPECT_TRUE(dialogShown);
    EXPECT_GE(rounds, 3);
    EXPECT_EQ(shownStates, (std::vector<bool>{false, true}));
}

}  // namespace
}  // namespace arc::test
