#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "collection/CollectionGameDb.h"
#include "collection/ZipAllWindowState.h"
#include "core/Files.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "support/ZipBuilder.h"
#include "zip/Unzip.h"

namespace arc::test {
namespace {

namespace fs = std::filesystem;

class ZipAllWindowTest : public CollectionTest {
  protected:
    ZipAllWindowTest() {
        window.PackerFolders = {BinDir()};
        window.ShowWindow = [this](bool shown) { shownStates.push_back(shown); };
        window.SourceText = home.file("roms");  // typed without a trailing separator
        window.DestText = home.file("dest") + "/";
        fs::create_directories(home.file("dest"));
    }
    ZipAllWindowState window;
    std::vector<bool> shownStates;
};

TEST_F(ZipAllWindowTest, EmptyFolderBoxesDoNothingAndFilesOnlyPackNothing) {
    window.SourceText.clear();
    window.DeleteWhenDone = true;
    window.ZipAll();
    window.UnzipAll();
    EXPECT_EQ(ui().progressShown, 0);
    window.SourceText = home.file("roms");
    WriteFile(home.file("roms/a.zip"), "x");
    EXPECT_TRUE(window.ZipAll().ok());  // no sub-folder to pack
    EXPECT_TRUE(ListFolder(home.file("dest"), "*").empty());
    EXPECT_EQ(shownStates.back(), true);
}

TEST_F(ZipAllWindowTest, ZipAllPacksEachSubFolderAndTrashesOnlySoundSources) {
    WriteFile(home.file("roms/pacman/pacman.6e"), std::string(5000, 'p'));
    WriteFile(home.file("roms/pacman/sub/pacman.7f"), "seven");
    WriteFile(home.file("roms/mspacman/boot1"), "boot");
    fs::create_directories(home.file("roms/hollow"));  // nothing to pack
    WriteFile(home.file("roms/loose.txt"), "not a folder");
    window.DeleteWhenDone = true;
    ASSERT_TRUE(window.ZipAllEnabled());

    const ZipAllOutcome outcome = window.ZipAll();

    EXPECT_EQ(TheSettings().ZipAllSource, home.file("roms") + "/");
    EXPECT_EQ(ListFolder(home.file("dest"), "*"),
              (std::vector<std::string>{"mspacman.zip", "pacman.zip"}));
    EXPECT_EQ(ListZip(home.file("dest/pacman.zip")).Names(),
              (std::vector<std::string>{"pacman.6e", "sub/pacman.7f"}));
    // Sound sources went to the trash; the folder that gave no archive stayed.
    EXPECT_EQ(ListFolder(home.file("roms"), "*"),
              (std::vector<std::string>{"hollow", "loose.txt"}));
    EXPECT_TRUE(fs::exists(home.file("xdg/Trash/files/pacman/sub/pacman.7f")));
    EXPECT_EQ(outcome.unsound, std::vector<std::string>{home.file("roms") + "/hollow"});
    EXPECT_EQ(outcome.trashed, 2);
    ASSERT_EQ(ui().messages.size(), 2u);  // done, then what was kept
    EXPECT_NE(ui().messages[1].text.find("hollow"), std::string::npos);
    EXPECT_EQ(shownStates.front(), false);
    EXPECT_EQ(shownStates.back(), true);
}

TEST_F(ZipAllWindowTest, WithoutThePackerZipAllIsOffButUnzipAllWorks) {
    window.PackerFolders = {home.str()};
    EXPECT_FALSE(window.ZipAllEnabled());
    WriteFile(home.file("roms/keep/file"), "data");
    window.ZipAll();
    EXPECT_TRUE(ListFolder(home.file("dest"), "*").empty());

    WriteZip(home.file("roms/pacman.zip"), {{"pacman.6e", "six"}});
    window.UnzipAll();
    EXPECT_EQ(ReadFile(home.file("dest/pacman/pacman.6e")), "six");
}

TEST_F(ZipAllWindowTest, UnzipAllFailedOnUpperCaseNamesAndLeftEmptyFolders) {
    RawMember bad{"bad.bin", std::string(4000, 'b')};
    bad.badCrc = true;
    WriteFile(home.file("roms/pacman.zip"),
              BuildZip({{"pacman.6e", "six"}, {"sub/pacman.7f", "seven"}}));
    WriteZip(home.file("roms/GAME1.ZIP"), {{"game1.bin", "one"}});
    WriteZip(home.file("roms/broken.zip"), {{"good.bin", "good"}, bad});
    WriteFile(home.file("roms/text.ZIP"), "not an archive");
    WriteFile(home.file("dest/pacman/pacman.6e"), "old");
    window.DeleteWhenDone = true;

    const ZipAllOutcome outcome = window.UnzipAll();

    EXPECT_EQ(ReadFile(home.file("dest/pacman/pacman.6e")), "six");
    EXPECT_EQ(ReadFile(home.file("dest/pacman/sub/pacman.7f")), "seven");
    EXPECT_EQ(ReadFile(home.file("dest/GAME1/game1.bin")), "one");
    // The failed archives leave no folder behind.
    EXPECT_EQ(ListFolder(home.file("dest"), "*"), (std::vector<std::string>{"GAME1", "pacman"}));
    EXPECT_EQ(ListFolder(home.file("roms"), "*"),
              (std::vector<std::string>{"broken.zip", "text.ZIP"}));
    EXPECT_EQ(outcome.unsound.size(), 2u);
    EXPECT_EQ(ui().messages.size(), 2u);
}

TEST_F(ZipAllWindowTest, CancelledUnzipAllKeepsEverySource) {
    WriteZip(home.file("roms/a.zip"), {{"a", "a"}});
    WriteZip(home.file("roms/b.zip"), {{"b", "b"}});
    RecordedProgress progress(1);
    TaskContext context(progress, ui());
    const ZipAllOutcome outcome =
        RunUnzipAll({home.file("roms"), home.file("dest"), {}, true}, context);
    EXPECT_TRUE(outcome.cancelled());
    EXPECT_EQ(ListFolder(home.file("roms"), "*"), (std::vector<std::string>{"a.zip", "b.zip"}));
}

TEST_F(ZipAllWindowTest, ZipAllTrashedASourceWhoseArchiveLackedAnEmptyFile) {
    // A packer that leaves an archive without the empty file: the check refuses it.
    WriteFile(home.file("roms/s/a"), "x");
    WriteFile(home.file("roms/s/e"), "");
    WriteZip(home.file("dest/s.zip"), {{"a", "x"}});
    RecordedProgress progress;
    TaskContext context(progress, ui());
    const ZipAllOutcome outcome =
        RunZipAll({home.file("roms"), home.file("dest"), "/bin/true", true}, context);
    EXPECT_TRUE(outcome.partial());
    EXPECT_EQ(outcome.unsound, std::vector<std::string>{home.file("roms") + "/s"});
    EXPECT_TRUE(FileExists(home.file("roms/s/e")));
}

}  // namespace
}  // namespace arc::test
