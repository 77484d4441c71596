// The software command on the cut lists.

#include <gtest/gtest.h>

#include "core/Task.h"
#include "database/Database.h"
#include "software/SoftwareImport.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

TEST(SoftwareCommand, PrintsTheListsAndTheItemsThatMatch) {
    test::TempDir home;
    const std::string db = home.file("soft.mdb");
    {
        ScopedScriptedUi scripted;
        std::string error;
        ASSERT_TRUE(CreateTemplateDatabase(db, &error)) << error;
        ASSERT_TRUE(OpenDatabase(db));
        test::RecordedProgress progress;
        TaskContext context(progress, scripted.ui);
        ASSERT_TRUE(RunSoftwareImport(
                        {test::SourceDir() + "/tests/data/software-0.251/hash", "", ""}, context)
                        .ok());
        CloseDatabase();
    }
    test::CliRun run = test::RunCommand(home.str(), "software", {"--db", db});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "bbc_hdd\tAcorn BBC Micro hard disks\t6\t0\n"
              "nes\tNintendo Entertainment System cartridges\t30\t0\n");

    run = test::RunCommand(home.str(), "software", {"--db", db, "--list", "nes", "mario"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(
        run.out.find("nes\tsmb\t\tSuper Mario Bros. (Europe, rev. A)\t1987\tNintendo\tyes\t\n"),
        std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("nes\tsmb3j\tsmb3\tSuper Mario Bros. 3 (Japan, rev. A)\t"),
              std::string::npos);
    EXPECT_EQ(run.out.find("zelda"), std::string::npos);
    EXPECT_EQ(run.out.find("bbc_hdd"), std::string::npos);

    run = test::RunCommand(home.str(), "software", {"--db", db, "--list", "snes", "mario"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("no software list named snes"), std::string::npos);
    run = test::RunCommand(home.str(), "software", {"--db", db, "--owned"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace arc
