#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include "cli/Cli.h"
#include "cli/CliRunTest.h"
#include "core/TextTable.h"
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

TEST_F(BuildCommandTest, BuildThenUpdateWithOptionsOfOneRunOnly) {
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
    // The options were for that run: the saved choices (none yet) stay as they were.
    EXPECT_EQ(Run({"update"}), 1);
    EXPECT_NE(err.find(Text(kTextUpdateNoChoice)), std::string::npos) << err;
    WriteFile(home.file("ini/Genre.ini"), "[Shooter]\npacman\n");
    ASSERT_EQ(Run({"update", "--genre", "--catver", "--data", "program"}), 1);  // no Catver.ini
    EXPECT_EQ(test::QueryIn(database, "SELECT Genre FROM Data WHERE InternalName='pacman'"),
              "Shooter");
    // A ticked file that is missing: told, and the update counts as failed.
    EXPECT_EQ(Run({"update", "--catver"}), 1);
    EXPECT_NE(err.find("Catver.ini"), std::string::npos) << err;
    // --mame is for one run: the settings keep no trace of it.
    ASSERT_EQ(Run({"update", "--xml", "--mame", mame}), 0) << err;
    EXPECT_EQ(ReadFile(home.file("Arcanote.inf")).find(mame), std::string::npos);
}

// Regressions: a failed `build --db X` made X the saved database; "Database
// created." was printed twice; a file that is no database, or an older one,
// gave silence or a whole SQL statement.
TEST_F(BuildCommandTest, OnlyABuiltDatabaseIsSavedAndAnyOtherFileIsToldWhy) {
    WriteFile(home.file("x.xml"), kListXml);
    WriteFile(home.file("cut.xml"), std::string(kListXml).substr(0, 120));
    ASSERT_EQ(Run({"build", "--listxml", home.file("x.xml")}), 0) << err;
    EXPECT_EQ(out, "Database created.\n");
    EXPECT_EQ(err.find("Database created."), std::string::npos) << err;
    const std::string saved = ReadFile(home.file("Arcanote.inf"));
    EXPECT_EQ(Run({"build", "--db", home.file("new.mdb"), "--listxml", home.file("cut.xml")}), 1);
    EXPECT_EQ(ReadFile(home.file("Arcanote.inf")), saved);

    WriteFile(home.file("junk.mdb"), std::string(3000, 'j'));
    fs::copy_file(home.file("Arcanote.mdb"), home.file("old.mdb"));
    ASSERT_TRUE(OpenDatabase(home.file("old.mdb"), DatabaseUse::Build));
    Execute("PRAGMA user_version = 0");
    CloseDatabase();
    const struct {
        std::vector<std::string> args;
        int code;
        const char* told;
    } cases[] = {
        {{"search", "--db", home.file("junk.mdb")}, 1, "junk.mdb is not an Arcanote database."},
        {{"sheets", "--db", home.file("junk.mdb"), "--out", home.file("site")},
         1,
         "junk.mdb is not an Arcanote database."},
        {{"search", "--db", home.file("old.mdb")},
         1,
         "old.mdb was made by an older version: run update or build."},
        {{"update", "--db", home.file("old.mdb"), "--genre"}, 1, "Genre.ini"},
        {{"search", "--db", home.file("old.mdb")}, 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.args), c.code) << c.args[0] << err;
        EXPECT_NE(err.find(c.told), std::string::npos) << err;
        EXPECT_EQ(err.find("SELECT"), std::string::npos) << err;
    }
}

// Regression: a settings file holding garbage was read as settings and
// rewritten from it.
TEST_F(BuildCommandTest, GarbageSettingsAreRefusedAndKeptAsTheyAre) {
    WriteFile(home.file("x.xml"), kListXml);
    const std::string garbage[] = {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
                                   std::string(300 * 1024, 'x')};
    for (const std::string& settings : garbage) {
        WriteFile(home.file("Arcanote.inf"), settings);
        ASSERT_EQ(Run({"build", "--listxml", home.file("x.xml"), "--yes"}), 0) << err;
        EXPECT_NE(err.find("Arcanote.inf is not a settings file of Arcanote"), std::string::npos)
            << err;
        EXPECT_EQ(ReadFile(home.file("Arcanote.inf")), settings);
    }
    // A file of an older version, shorter, is read as it was.
    std::string older;
    for (int line = 1; line <= 30; ++line)
        older += (line == 28 ? std::string(" 1 ") : "/path/" + std::to_string(line)) + "\r\n";
    WriteFile(home.file("Arcanote.inf"), older);
    ASSERT_EQ(Run({"build", "--db", home.file("other.mdb"), "--listxml", home.file("x.xml")}), 0)
        << err;
    EXPECT_EQ(err.find("settings"), std::string::npos) << err;
    const std::string saved = ReadFile(home.file("Arcanote.inf"));
    EXPECT_EQ(saved.rfind(home.file("other.mdb") + "\r\n/path/2\r\n", 0), 0u) << saved;
}

}  // namespace
}  // namespace arc
