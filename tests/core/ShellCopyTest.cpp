#include <filesystem>

#include "core/Files.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;

class ShellCopyTest : public test::ProgramFolderTest {};

TEST_F(ShellCopyTest, CopiesFilesWildcardMatchesAndFoldersCreatingAndReplacingSilently) {
    WriteFile(home.file("src/pacman.zip"), "new");
    WriteFile(home.file("dest/pacman.zip"), "old");
    EXPECT_TRUE(ShellCopy(home.file("src/pacman.zip"), home.str() + "dest/"));
    EXPECT_EQ(ReadFile(home.file("dest/pacman.zip")), "new");
    EXPECT_TRUE(ShellCopy(home.file("src/pacman.zip"), home.str() + "made/deep/"));
    EXPECT_EQ(ReadFile(home.file("made/deep/pacman.zip")), "new");
    EXPECT_TRUE(ShellCopy(home.file("src/pacman.zip"), home.file("other/renamed.zip")));
    EXPECT_EQ(ReadFile(home.file("other/renamed.zip")), "new");
    EXPECT_TRUE(std::filesystem::exists(home.file("src/pacman.zip")));

    // Wildcards match without regard to case.
    WriteFile(home.file("art/a.PNG"), "a");
    WriteFile(home.file("art/b.png"), "b");
    WriteFile(home.file("art/c.jpg"), "c");
    EXPECT_TRUE(ShellCopy(home.str() + "art/*.png", home.str() + "out"));
    EXPECT_EQ(ListFolder(home.file("out"), "*"), (std::vector<std::string>{"a.PNG", "b.png"}));
    EXPECT_TRUE(ShellCopy(home.str() + "art/*.gif", home.str() + "none/"));

    // Folders are copied recursively and merged into existing ones.
    WriteFile(home.file("skin/html/style.css"), "css");
    WriteFile(home.file("skin/index.jpg"), "jpg");
    WriteFile(home.file("site/skin/keep.txt"), "keep");
    EXPECT_TRUE(ShellCopy(home.file("skin"), home.str() + "site/"));
    EXPECT_EQ(ReadFile(home.file("site/skin/html/style.css")), "css");
    EXPECT_EQ(ReadFile(home.file("site/skin/index.jpg")), "jpg");
    EXPECT_EQ(ReadFile(home.file("site/skin/keep.txt")), "keep");
}

TEST_F(ShellCopyTest, MovesFilesAndFolders) {
    WriteFile(home.file("roms/pacman.zip"), "p");
    WriteFile(home.file("roms/mspacman/a.bin"), "a");
    WriteFile(home.file("moved/pacman.zip"), "old");
    EXPECT_TRUE(ShellCopy(home.file("roms/pacman.zip"), home.str() + "moved/", ShellOp::Move));
    EXPECT_EQ(ReadFile(home.file("moved/pacman.zip")), "p");
    EXPECT_FALSE(std::filesystem::exists(home.file("roms/pacman.zip")));
    EXPECT_TRUE(ShellCopy(home.file("roms/mspacman"), home.str() + "moved/", ShellOp::Move));
    EXPECT_EQ(ReadFile(home.file("moved/mspacman/a.bin")), "a");
    EXPECT_FALSE(std::filesystem::exists(home.file("roms/mspacman")));
}

TEST_F(ShellCopyTest, RefusesMissingSourcesAndFoldersIntoThemselves) {
    EXPECT_FALSE(ShellCopy(home.file("missing.zip"), home.str() + "dest/"));
    WriteFile(home.file("tree/f"), "f");
    EXPECT_FALSE(ShellCopy(home.file("tree"), home.str() + "tree/inner/"));
    EXPECT_FALSE(ShellCopy(home.file("tree"), home.str() + "tree/inner/", ShellOp::Move));
    EXPECT_EQ(ReadFile(home.file("tree/f")), "f");
    EXPECT_FALSE(ShellCopy(home.file("tree/f"), home.file("tree/f")));
    EXPECT_EQ(ReadFile(home.file("tree/f")), "f");
}

}  // namespace
}  // namespace arc
