#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "core/Files.h"
#include "core/Settings.h"
#include "core/TextFile.h"
#include "support/TestSupport.h"
#include "zip/ZipBuilder.h"

namespace arc::test {
namespace {

namespace fs = std::filesystem;

class ZipAllCommandsTest : public ::testing::Test {
  protected:
    ZipAllCommandsTest() { setenv("XDG_DATA_HOME", dir.file("xdg").c_str(), 1); }
    ~ZipAllCommandsTest() override { unsetenv("XDG_DATA_HOME"); }

    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"arcanote-cli", "--home", dir.file("home")});
        out.str("");
        err.str("");
        return cli::RunCli(args, out, err);
    }

    TempDir dir;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ZipAllCommandsTest, ZipAllThenUnzipAllRoundTrip) {
    WriteFile(dir.file("roms/pacman/pacman.6e"), std::string(3000, '6'));
    WriteFile(dir.file("roms/galaga/gg1.bin"), "galaga");
    ASSERT_EQ(Run({"zip-all", "--from", dir.file("roms"), "--to", dir.file("zipped"),
                   "--delete-sources"}),
              0)
        << err.str();
    EXPECT_EQ(ListFolder(dir.file("zipped"), "*"),
              (std::vector<std::string>{"galaga.zip", "pacman.zip"}));
    EXPECT_TRUE(ListFolder(dir.file("roms"), "*").empty());

    ASSERT_EQ(Run({"unzip-all", "--from", dir.file("zipped"), "--to", dir.file("back")}), 0);
    EXPECT_EQ(ReadFile(dir.file("back/pacman/pacman.6e")), std::string(3000, '6'));
    EXPECT_EQ(ListFolder(dir.file("zipped"), "*").size(), 2u);
}

TEST_F(ZipAllCommandsTest, FailuresAreNamedAndGiveExitCodeOne) {
    WriteFile(dir.file("zipped/junk.zip"), "not a zip");
    EXPECT_EQ(Run({"unzip-all", "--from", dir.file("zipped"), "--to", dir.file("back"),
                   "--delete-sources"}),
              1);
    EXPECT_NE(err.str().find("not done: " + dir.file("zipped") + "/junk.zip"), std::string::npos);
    EXPECT_TRUE(FileExists(dir.file("zipped/junk.zip")));

    EXPECT_EQ(Run({"zip-all", "--from", dir.file("roms")}), 2);
}

TEST_F(ZipAllCommandsTest, ImagesDeleteNeedsConsentAndUsesTheSettings) {
    Settings settings = DefaultSettings();
    settings.RomsFolder = dir.file("roms") + "/";
    settings.ArtFolders[kSnapshots] = dir.file("snap") + "/";
    settings.ArtFolders[kTitles] = dir.file("titles") + "/";
    fs::create_directories(dir.file("home"));
    const auto lines = SettingsFileLines(settings);
    ASSERT_TRUE(WriteTextLines(dir.file("home/Arcanote.inf"),
                               std::vector<std::string>(lines.begin(), lines.end())));
    WriteFile(dir.file("roms/pacman.zip"), "zip");
    WriteFile(dir.file("snap/pacman.png"), "p");
    WriteFile(dir.file("snap/zzzz.png"), "z");
    WriteFile(dir.file("titles/zzzz.png"), "z");

    // --yes never trashes: only the command's own --confirm does.
    EXPECT_EQ(Run({"--yes", "images", "delete", "--kinds", "snap"}), 1);
    EXPECT_NE(err.str().find("--confirm"), std::string::npos);
    EXPECT_TRUE(FileExists(dir.file("snap/zzzz.png")));
    EXPECT_EQ(Run({"images", "delete", "--kinds", "snap", "--confirm"}), 0) << err.str();
    EXPECT_FALSE(FileExists(dir.file("snap/zzzz.png")));
    EXPECT_TRUE(FileExists(dir.file("snap/pacman.png")));
    EXPECT_TRUE(FileExists(dir.file("titles/zzzz.png")));

    WriteFile(dir.file("art/titles/pacman.png"), "title");
    EXPECT_EQ(Run({"images", "copy", "--kinds", "0", "--source", dir.file("art")}), 0);
    EXPECT_EQ(ReadFile(dir.file("titles/pacman.png")), "title");

    EXPECT_EQ(Run({"images", "delete", "--kinds", "posters"}), 2);
    EXPECT_EQ(Run({"images"}), 2);
}

}  // namespace
}  // namespace arc::test
