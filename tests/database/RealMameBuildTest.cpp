#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/Settings.h"
#include "core/TextTable.h"
#include "database/BuildPipeline.h"
#include "database/Database.h"
#include "database/Schema.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

constexpr const char* kDebianMame = "/usr/games/mame";

class RealMame : public test::ProgramFolderTest {};

// The emulator's own lists, made by the emulator through the build. Slow:
// runs only with ARCANOTE_REAL_MAME=1.
TEST_F(RealMame, BuildRunsTheEmulatorAndImportsItsList) {
    const char* wanted = std::getenv("ARCANOTE_REAL_MAME");
    if (!wanted || std::string(wanted) != "1") GTEST_SKIP() << "set ARCANOTE_REAL_MAME=1";
    if (!std::filesystem::exists(kDebianMame)) GTEST_SKIP() << kDebianMame << " is absent";
    std::string error;
    ASSERT_TRUE(CreateTemplateDatabase(home.file("Arcanote.mdx"), &error)) << error;
    TheSettings().MameExe = kDebianMame;
    TheSettings().DatabasePath = home.file("Arcanote.mdb");
    EXPECT_EQ(CreerMDB(), BuildOutcome::Built);
    EXPECT_GT(std::filesystem::file_size(home.file("listxml.txt")), 1000000u);
    EXPECT_FALSE(std::filesystem::exists(home.file("tmp.sh")));
    ASSERT_TRUE(OpenDatabase(home.file("Arcanote.mdb")));
    EXPECT_GT(std::stoi(QueryValue("SELECT count(*) FROM Data")), 10000);
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Data WHERE InternalName='pacman'"), "1");
    EXPECT_NE(QueryValue("SELECT VersionMame FROM Versions"), Text(111));
    CloseDatabase();
}

}  // namespace
}  // namespace arc
