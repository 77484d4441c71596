#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CliRunTest.h"
#include "core/Files.h"
#include "core/Settings.h"
#include "support/ZipBuilder.h"

namespace arc::test {
namespace {

class ZipAllCommandsTest : public CliRunTest<> {
    ScopedEnv trash{"XDG_DATA_HOME", home.file("xdg")};
};

TEST_F(ZipAllCommandsTest, ZipAllThenUnzipAllRoundTrip) {
    WriteFile(home.file("roms/pacman/pacman.6e"), std::string(3000, '6'));
    WriteFile(home.file("roms/galaga/gg1.bin"), "galaga");
    ASSERT_EQ(Run({"zip-all", "--from", home.file("roms"), "--to", home.file("zipped"),
                   "--delete-sources"}),
              0)
        << err;
    EXPECT_EQ(ListFolder(home.file("zipped"), "*"),
              (std::vector<std::string>{"galaga.zip", "pacman.zip"}));
    EXPECT_TRUE(ListFolder(home.file("roms"), "*").empty());

    ASSERT_EQ(Run({"unzip-all", "--from", home.file("zipped"), "--to", home.file("back")}), 0);
    EXPECT_EQ(ReadFile(home.file("back/pacman/pacman.6e")), std::string(3000, '6'));
    EXPECT_EQ(ListFolder(home.file("zipped"), "*").size(), 2u);
}

// Regression: unzip-all dropped empty files and folders, then trashed the archive.
TEST_F(ZipAllCommandsTest, UnzipAllKeepsEmptyFilesAndFoldersBeforeTrashingTheArchive) {
    WriteFile(home.file("zipped/s.zip"),
              BuildZip({{"a", "x"}, {"e", "", 0}, {"emptydir/", "", 0}, {"sub/e2", "", 0}}));
    ASSERT_EQ(Run({"unzip-all", "--from", home.file("zipped"), "--to", home.file("o"),
                   "--delete-sources"}),
              0)
        << err;
    EXPECT_EQ(FilesUnder(home.file("o")), (std::vector<std::string>{"s/a", "s/e", "s/sub/e2"}));
    EXPECT_TRUE(std::filesystem::is_directory(home.file("o/s/emptydir")));
    EXPECT_FALSE(FileExists(home.file("zipped/s.zip")));
    EXPECT_TRUE(FileExists(home.file("xdg/Trash/files/s.zip")));
}

TEST_F(ZipAllCommandsTest, FailuresAreNamedAndGiveExitCodeOne) {
    WriteFile(home.file("zipped/junk.zip"), "not a zip");
    EXPECT_EQ(Run({"unzip-all", "--from", home.file("zipped"), "--to", home.file("back"),
                   "--delete-sources"}),
              1);
    EXPECT_NE(err.find("not done: " + home.file("zipped") + "/junk.zip"), std::string::npos);
    EXPECT_TRUE(FileExists(home.file("zipped/junk.zip")));
}

TEST_F(ZipAllCommandsTest, ImagesDeleteNeedsConsentAndUsesTheSettings) {
    TheSettings().RomsFolder = home.file("roms") + "/";
    TheSettings().ArtFolders[kSnapshots] = home.file("snap") + "/";
    TheSettings().ArtFolders[kTitles] = home.file("titles") + "/";
    ASSERT_TRUE(SaveSettings());
    WriteFile(home.file("roms/pacman.zip"), "zip");
    WriteFile(home.file("snap/pacman.png"), "p");
    WriteFile(home.file("snap/zzzz.png"), "z");
    WriteFile(home.file("titles/zzzz.png"), "z");

    // --yes never trashes: only the command's own --confirm does.
    EXPECT_EQ(Run({"--yes", "images", "delete", "--kinds", "snap"}), 1);
    EXPECT_NE(err.find("--confirm"), std::string::npos);
    EXPECT_TRUE(FileExists(home.file("snap/zzzz.png")));
    EXPECT_EQ(Run({"images", "delete", "--kinds", "snap", "--confirm"}), 0) << err;
    EXPECT_FALSE(FileExists(home.file("snap/zzzz.png")));
    EXPECT_TRUE(FileExists(home.file("snap/pacman.png")));
    EXPECT_TRUE(FileExists(home.file("titles/zzzz.png")));

    WriteFile(home.file("art/titles/pacman.png"), "title");
    EXPECT_EQ(Run({"images", "copy", "--kinds", "0", "--source", home.file("art")}), 0);
    EXPECT_EQ(ReadFile(home.file("titles/pacman.png")), "title");
}

}  // namespace
}  // namespace arc::test
