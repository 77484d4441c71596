#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "collection/CollectionGameDb.h"
#include "collection/ImagesWindowState.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Settings.h"

namespace arc::test {
namespace {

namespace fs = std::filesystem;

class ImagesWindowTest : public CollectionTest {
  protected:
    ImagesWindowTest() {
        TheSettings().ArtFolders[kTitles] = home.file("mame/titles") + "/";
        TheSettings().ArtFolders[kSnapshots] = home.file("mame/snap") + "/";
        AddRom("pacman.zip");
        AddRom("galaga.7z");
        AddRom("mspacman/");  // kept unzipped
        window.ShowWindow = [this](bool shown) { shownStates.push_back(shown); };
    }

    ImagesWindowState window;
    std::vector<bool> shownStates;
};

TEST_F(ImagesWindowTest, DeleteRemovesOrphansOfTheChosenKindsOnly) {
    for (const char* name :
         {"pacman.png", "mspacman.png", "galaga.png", "zzzz.png", "Pacman.png", "zzzz.jpg"})
        WriteFile(home.file(std::string("mame/snap/") + name), name);
    WriteFile(home.file("mame/titles/zzzz.png"), "img");
    window.Kinds[kSnapshots] = true;
    ui().QueueAnswer(MsgAnswer::Yes);

    const ImagesOutcome outcome = window.DeleteImagesWithoutRom();

    EXPECT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.done, 2);
    // Kept: the images of a .zip, a .7z and a folder set, and what is no PNG.
    EXPECT_EQ(ListFolder(home.file("mame/snap"), "*"),
              (std::vector<std::string>{"galaga.png", "mspacman.png", "pacman.png", "zzzz.jpg"}));
    EXPECT_EQ(ReadFile(home.file("xdg/Trash/files/zzzz.png")), "zzzz.png");  // to the trash
    EXPECT_TRUE(FileExists(home.file("mame/titles/zzzz.png")));
    EXPECT_EQ(shownStates, (std::vector<bool>{false, true}));
}

TEST_F(ImagesWindowTest, NothingHappensWithoutAKindConsentOrRom) {
    WriteFile(home.file("mame/snap/zzzz.png"), "img");
    WriteFile(home.file("art/pacman.png"), "img");
    window.SourceText = home.file("art");
    window.DeleteImagesWithoutRom();
    window.CopyImagesThatHaveRom();
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_EQ(ui().progressShown, 0);

    window.Kinds[kSnapshots] = true;
    EXPECT_FALSE(window.DeleteImagesWithoutRom().ran);  // answered No
    EXPECT_EQ(ui().messages.size(), 1u);

    // An unmounted ROM folder would make every picture an orphan.
    TheSettings().RomsFolder = home.file("unmounted") + "/";
    ui().QueueAnswer(MsgAnswer::Yes);
    EXPECT_FALSE(window.DeleteImagesWithoutRom().ran);
    EXPECT_TRUE(FileExists(home.file("mame/snap/zzzz.png")));
    EXPECT_NE(ui().messages.back().text.find("No ROM was found"), std::string::npos);
}

TEST_F(ImagesWindowTest, CopyLooksInTheKindFolderThenTheSourceRoot) {
    WriteFile(home.file("art/snap/pacman.png"), "from snap");
    WriteFile(home.file("art/pacman.png"), "from root");
    WriteFile(home.file("art/mspacman.png"), "ms from root");
    WriteFile(home.file("art/dkong.png"), "not owned");
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
}

TEST_F(ImagesWindowTest, EditPathsStepsAsideUntilThePathsWindowCloses) {
    ui().onRunWindow = [&](WindowId opened) {
        EXPECT_EQ(opened, WindowId::Paths);
        EXPECT_EQ(shownStates, std::vector<bool>{false});  // hidden while it is open
    };
    window.EditPaths();
    EXPECT_EQ(ui().windowsOpened, std::vector<std::string>{"Form1"});
    EXPECT_EQ(shownStates, (std::vector<bool>{false, true}));
}

}  // namespace
}  // namespace arc::test
