#include <gtest/gtest.h>

#include <sys/stat.h>

#include <sstream>

#include "cli/Cli.h"
#include "database/Database.h"
#include "database/Schema.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::WriteFile;

class BuildUpdateCommand : public ::testing::Test {
  protected:
    BuildUpdateCommand() {
        std::string error;
        EXPECT_TRUE(CreateTemplateDatabase(home.file("Arcanote.mdx"), &error)) << error;
        const std::string list =
            "<?xml version=\"1.0\"?>\n<mame build=\"9\">\n"
            "\t<machine name=\"pacman\">\n\t\t<description>Pac-Man</description>\n"
            "\t</machine>\n\t<machine name=\"mk\">\n\t\t<description>MK</description>\n"
            "\t</machine>\n</mame>\n";
        WriteFile(home.file("listxml.txt"), list);
        WriteFile(home.file("bin/list.xml"), list);
        // The lists are there: the build asks the stand-in emulator only for the version.
        mame = home.file("bin/mame");
        WriteFile(mame, "#!/bin/sh\nif [ \"$1\" = -listxml ]; then cat '" +
                            home.file("bin/list.xml") + "'; else echo 'MAME v9 (test)'; fi\n");
        chmod(mame.c_str(), 0755);
        WriteFile(home.file("ini/Genre.ini"), "[Maze]\npacman\n");
        WriteFile(home.file("dat/command.dat"), "$info=mk\n$cmd\n[Moves]\nkick\n$end\n");
    }

    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"arcanote-cli", "--home", home.str()});
        out.str("");
        err.str("");
        return cli::RunCli(args, out, err);
    }

    std::string Value(const std::string& sql) {
        EXPECT_TRUE(OpenDatabase(home.file("Arcanote.mdb")));
        const std::string value = QueryValue(sql);
        CloseDatabase();
        return value;
    }

    test::TempDir home;
    std::string mame;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(BuildUpdateCommand, BuildThenUpdateChosenBoxes) {
    ASSERT_EQ(Run({"build", "--mame", mame, "--data", "program"}), 0) << err.str();
    EXPECT_EQ(Value("SELECT Genre FROM Data WHERE InternalName='pacman'"), "Maze");
    EXPECT_EQ(Value("SELECT VersionMame FROM Versions"), "MAME v9 (test)");
    // An existing file is replaced only with --yes.
    EXPECT_EQ(Run({"build", "--mame", mame}), 1);
    EXPECT_EQ(Run({"--yes", "build", "--mame", mame, "--data", "program"}), 0) << err.str();
    EXPECT_TRUE(std::filesystem::exists(home.file("Arcanote.mdb.bak")));

    WriteFile(home.file("ini/Genre.ini"), "[Puzzle]\npacman\n");
    ASSERT_EQ(Run({"update", "--genre", "--command", "--data", "program"}), 0) << err.str();
    EXPECT_EQ(Value("SELECT Genre FROM Data WHERE InternalName='pacman'"), "Puzzle");
    EXPECT_EQ(Value("SELECT count(*) FROM Command"), "1");
    // The choices are kept for the next update.
    WriteFile(home.file("ini/Genre.ini"), "[Shooter]\npacman\n");
    ASSERT_EQ(Run({"update"}), 0) << err.str();
    EXPECT_EQ(Value("SELECT Genre FROM Data WHERE InternalName='pacman'"), "Shooter");
    EXPECT_EQ(Run({"update", "--nonsense"}), 2);
    // A ticked file that is missing: told, and the update counts as failed.
    EXPECT_EQ(Run({"update", "--catver"}), 1);
    EXPECT_NE(err.str().find("Catver.ini"), std::string::npos) << err.str();
    // --mame is for one run: the settings keep no trace of it.
    ASSERT_EQ(Run({"update", "--xml", "--mame", mame}), 0) << err.str();
    EXPECT_EQ(test::ReadFile(home.file("Arcanote.inf")).find(mame), std::string::npos);
}

}  // namespace
}  // namespace arc
