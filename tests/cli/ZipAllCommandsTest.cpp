#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CliRunTest.h"
#include "core/Files.h"
#include "core/Settings.h"

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

TEST_F(ZipAllCommandsTest, EmptyFilesAndEmptyFoldersMakeTheRoundTrip) {
    WriteFile(home.file("d/s/a"), "x");
    WriteFile(home.file("d/s/e"), "");
    WriteFile(home.file("d/s/sub/e2"), "");
    std::filesystem::create_directories(home.file("d/s/emptydir"));
    ASSERT_EQ(
        Run({"zip-all", "--from", home.file("d"), "--to", home.file("z"), "--delete-sources"}), 0)
        << err;
    EXPECT_FALSE(std::filesystem::exists(home.file("d/s")));
    ASSERT_EQ(Run({"unzip", home.file("z/s.zip"), "--to", home.file("o")}), 0) << err;
    ASSERT_EQ(
        Run({"unzip-all", "--from", home.file("z"), "--to", home.file("o2"), "--delete-sources"}),
        0)
        << err;
    EXPECT_FALSE(FileExists(home.file("z/s.zip")));
    EXPECT_TRUE(FileExists(home.file("xdg/Trash/files/s.zip")));
    for (const std::string& root : {home.file("o"), home.file("o2/s")}) {
        EXPECT_EQ(ReadFile(root + "/a"), "x");
        EXPECT_TRUE(FileExists(root + "/e"));
        EXPECT_TRUE(FileExists(root + "/sub/e2"));
        EXPECT_TRUE(FolderExists(root + "/emptydir"));
    }
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
