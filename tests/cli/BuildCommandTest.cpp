#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include "cli/Cli.h"
#include "cli/CliRunTest.h"
#include "pipeline/BuildTestSupport.h"

namespace arc {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::WriteFile;

const char* const kListXml =
    "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n"
    "\t<machine name=\"pacman\" cloneof=\"puckman\">\n\t\t<description>Pac-Man</description>\n"
    "\t\t<rom name=\"pacman.6e\" size=\"4096\" crc=\"c1e6ab10\"/>\n\t</machine>\n"
    "\t<machine name=\"puckman\">\n\t\t<description>Puck Man</description>\n\t</machine>\n"
    "</mame>\n";

class BuildCommandTest : public test::CliRunTest<> {
  protected:
    ~BuildCommandTest() override { CloseDatabase(); }
};

TEST_F(BuildCommandTest, KeepsThePreviousDatabaseAsBakAndAsksBeforeReplacing) {
    const std::string list = home.file("other.xml");
    WriteFile(list, kListXml);
    const std::string database = home.file("games.db");
    ASSERT_EQ(Run({"build", "--db", database, "--listxml", list, "--method", "dom"}), 0) << err;
    EXPECT_EQ(test::QueryIn(database, "SELECT VersionMame FROM Versions"), "Unknown");
    EXPECT_EQ(test::QueryIn(database, "SELECT count(*) FROM Data"), "2");

    // Without --yes the existing file is not replaced.
    EXPECT_EQ(Run({"build", "--db", database, "--listxml", list}), 1);
    EXPECT_FALSE(fs::exists(database + ".bak"));

    WriteFile(database + ".bak", "older");
    ASSERT_EQ(Run({"--yes", "build", "--db", database, "--listxml", list}), 0) << err;
    EXPECT_EQ(test::QueryIn(database + ".bak", "SELECT count(*) FROM Data"), "2");
    EXPECT_EQ(test::QueryIn(database, "SELECT count(*) FROM Data"), "2");
    EXPECT_EQ(test::QueryIn(database, "SELECT count(*) FROM Versions"), "1");
}

TEST_F(BuildCommandTest, RefusesWithoutTemplateListOrValidOptions) {
    EXPECT_EQ(Run({"build", "--method", "slow"}), 2);
    EXPECT_EQ(Run({"build", "--db"}), 2);
    EXPECT_EQ(Run({"build", "--listxml", home.file("none.xml")}), 2);
    EXPECT_EQ(Run({"build", "--mame", home.file("none/mame")}), 2);
    // An empty list: the designed message, no success.
    WriteFile(home.file("empty.xml"), "");
    WriteFile(home.file("x.xml"), kListXml);
    EXPECT_EQ(Run({"build", "--listxml", home.file("empty.xml")}), 1);
    EXPECT_NE(err.find("Can't find listxml.txt"), std::string::npos);
    // The template is never the target; without it nothing is built.
    EXPECT_EQ(
        Run({"--yes", "build", "--db", home.file("Arcanote.mdx"), "--listxml", home.file("x.xml")}),
        1);
    EXPECT_NE(err.find("is the template"), std::string::npos);
    fs::remove(home.file("Arcanote.mdx"));
    std::ostringstream printed, errors;
    EXPECT_EQ(
        cli::RunCli({home.file("elsewhere/arcanote-cli"), "--home", home.str(), "--yes", "build"},
                    printed, errors),
        1);
    EXPECT_NE(errors.str().find("Arcanote.mdx"), std::string::npos);
}

TEST_F(BuildCommandTest, BuildThenUpdateTheChosenBoxesKeptForTheNextRun) {
    // A fresh --home gets the shipped template, and keeps a file it has.
    WriteFile(home.file("readme.txt"), "mine");
    WriteFile(home.file("listxml.txt"), kListXml);
    WriteFile(home.file("bin/list.xml"), kListXml);
    // The lists are there: the build asks the stand-in emulator only for the version.
    const std::string mame = home.file("bin/mame");
    WriteFile(mame, "#!/bin/sh\nif [ \"$1\" = -listxml ]; then cat '" + home.file("bin/list.xml") +
                        "'; else echo 'MAME v9 (test)'; fi\n");
    chmod(mame.c_str(), 0755);
    WriteFile(home.file("ini/Genre.ini"), "[Maze]\npacman\n");
    WriteFile(home.file("dat/command.dat"), "$info=pacman\n$cmd\n[Moves]\nkick\n$end\n");
    const std::string database = home.file("Arcanote.mdb");
    ASSERT_EQ(Run({"build", "--mame", mame, "--data", "program"}), 0) << err;
    EXPECT_EQ(out, "Database created.\n");
    EXPECT_EQ(test::QueryIn(database,
                            "SELECT Genre || VersionMame || RomName FROM Data, Versions, Rom "
                            "WHERE Data.InternalName='pacman'"),
              "MazeMAME v9 (test)pacman.6e");
    EXPECT_EQ(ReadFile(home.file("readme.txt")), "mine");

    WriteFile(home.file("ini/Genre.ini"), "[Puzzle]\npacman\n");
    ASSERT_EQ(Run({"update", "--genre", "--command", "--data", "program"}), 0) << err;
    EXPECT_EQ(test::QueryIn(database, "SELECT Genre FROM Data WHERE InternalName='pacman'"),
              "Puzzle");
    EXPECT_EQ(test::QueryIn(database, "SELECT count(*) FROM Command"), "1");
    // The choices are kept for the next update.
    WriteFile(home.file("ini/Genre.ini"), "[Shooter]\npacman\n");
    ASSERT_EQ(Run({"update"}), 0) << err;
    EXPECT_EQ(test::QueryIn(database, "SELECT Genre FROM Data WHERE InternalName='pacman'"),
              "Shooter");
    // A ticked file that is missing: told, and the update counts as failed.
    EXPECT_EQ(Run({"update", "--catver"}), 1);
    EXPECT_NE(err.find("Catver.ini"), std::string::npos) << err;
    // --mame is for one run: the settings keep no trace of it.
    ASSERT_EQ(Run({"update", "--xml", "--mame", mame}), 0) << err;
    EXPECT_EQ(ReadFile(home.file("Arcanote.inf")).find(mame), std::string::npos);
}

}  // namespace
}  // namespace arc
