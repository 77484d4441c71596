#include <gtest/gtest.h>

#include <filesystem>

#include "core/Settings.h"
#include "core/TextTable.h"
#include "database/BuildPipeline.h"
#include "database/Database.h"
#include "database/Schema.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

class RealMame : public test::ProgramFolderTest {};

// A build from the installed emulator. Slow: runs only with
// ARCANOTE_REAL_MAME=1 and /usr/games/mame present.
TEST_F(RealMame, BuildRunsTheEmulatorAndImportsItsList) {
    std::string why;
    const std::string list = test::RealEmulatorList(why);
    if (list.empty()) GTEST_SKIP() << why;
    // The shared whole list stands for the build's own; the emulator still
    // gives its version.
    std::filesystem::copy_file(list, home.file("listxml.txt"));
    std::string error;
    ASSERT_TRUE(CreateTemplateDatabase(home.file("Arcanote.mdx"), &error)) << error;
    TheSettings().MameExe = "/usr/games/mame";
    TheSettings().DatabasePath = home.file("Arcanote.mdb");
    EXPECT_EQ(CreerMDB(), BuildOutcome::Built);
    EXPECT_FALSE(std::filesystem::exists(home.file("tmp.sh")));
    ASSERT_TRUE(OpenDatabase(home.file("Arcanote.mdb")));
    EXPECT_GT(std::stoi(QueryValue("SELECT count(*) FROM Data")), 30000);
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Data WHERE InternalName IN ('z80', 'namco51') OR "
                         "InputButtons LIKE '%=%'"),
              "0");
    EXPECT_EQ(QueryValue("SELECT group_concat(InternalName || ' ' || Aspect || ' ' || driversound, "
                         "', ') FROM (SELECT * FROM Data WHERE InternalName IN ('actfancr', "
                         "'defender', 'pacman') ORDER BY InternalName)"),
              "actfancr ?4:3 imperfect, defender ?4:3 good, pacman ?3:4 good");
    EXPECT_NE(QueryValue("SELECT VersionMame FROM Versions"), Text(111));
    CloseDatabase();
}

}  // namespace
}  // namespace arc
