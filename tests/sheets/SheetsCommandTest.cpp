#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <sstream>

#include "SheetFixture.h"
#include "cli/Cli.h"
#include "database/Database.h"

namespace arc::test {
namespace {

namespace fs = std::filesystem;

class SheetsCommandTest : public SheetTest {
  protected:
    SheetsCommandTest() {
        AddGame("pacman", "Pac-Man", {{"Working", "1"}});
        AddGame("puckman", "Puck Man", {{"CloneOf", "pacman"}, {"Working", "1"}});
        CloseDatabase();
        WriteFile(home.str() + "html/Blue.skin/rom.htm", "blue #GAMENAME");
    }
    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"arcanote-cli", "--home", home.str()});
        out.str("");
        err.str("");
        return cli::RunCli(args, out, err);
    }
    std::ostringstream out, err;
};

TEST_F(SheetsCommandTest, WritesTheSiteAndPrintsItsIndex) {
    ASSERT_EQ(Run({"sheets", "--db", database, "--out", site, "--no-clones", "--no-copy", "snap",
                   "flyers", "--substitutes"}),
              0)
        << err.str();
    EXPECT_EQ(out.str(), site + "index.htm\n");
    EXPECT_TRUE(PageExists("pacman.htm"));
    EXPECT_FALSE(PageExists("puckman.htm"));
    EXPECT_NE(Page("pacman.htm").find("file://" + site + "html/noimage.png"), std::string::npos);
    EXPECT_EQ(Page("pacman.htm").find("blue"), std::string::npos);  // built-in unless asked

    ASSERT_EQ(Run({"sheets", "--db", database, "--out", site, "--skin", "blue"}), 0) << err.str();
    EXPECT_EQ(Page("pacman.htm"), "blue Pac-Man");
    EXPECT_TRUE(fs::exists(site + "links.htm"));  // not empty, not emptied without --yes
}

TEST_F(SheetsCommandTest, YesEmptiesANonEmptyDestination) {
    WriteFile(site + "stale.txt", "x");
    setenv("XDG_DATA_HOME", (home.str() + "xdg").c_str(), 1);
    ASSERT_EQ(Run({"--yes", "sheets", "--db", database, "--out", site}), 0) << err.str();
    unsetenv("XDG_DATA_HOME");
    EXPECT_FALSE(fs::exists(site + "stale.txt"));
    EXPECT_TRUE(PageExists("pacman.htm"));
}

TEST_F(SheetsCommandTest, RejectsBadOptionsAndReportsFailures) {
    EXPECT_EQ(Run({"sheets", "--no-copy", "posters"}), 2);
    EXPECT_NE(err.str().find("unknown art kind"), std::string::npos);
    EXPECT_EQ(Run({"sheets", "--skin", "green", "--out", site}), 2);
    EXPECT_NE(err.str().find("Blue"), std::string::npos);
    EXPECT_EQ(Run({"sheets", "--db", home.str() + "missing.mdb", "--out", site}), 1);
    EXPECT_EQ(Run({"sheets", "--db", database, "--out", site, "--only-available"}), 1);
    EXPECT_NE(err.str().find("no game matches"), std::string::npos);
}

}  // namespace
}  // namespace arc::test
