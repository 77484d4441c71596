#include <filesystem>

#include "core/Files.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::WriteFile;

class ProcessTest : public test::ProgramFolderTest {};

TEST_F(ProcessTest, RunAndWaitReturnsTheExitCodeAndLetsEventsRun) {
    EXPECT_EQ(RunAndWait("true"), 0);
    EXPECT_EQ(RunAndWait("exit 3"), 3);
    EXPECT_EQ(RunAndWait("exit 127"), 127);  // a shell word, not a missing program
    WriteFile(home.file("tmp.sh"), "echo done > \"$1\"\nexit 4\n");
    EXPECT_EQ(RunAndWait("/bin/sh \"" + home.file("tmp.sh") + "\" \"" + home.file("out") + "\""),
              4);
    EXPECT_TRUE(FileExists(home.file("out")));
    EXPECT_EQ(RunAndWait("kill -9 $$"), -1000 - 9);  // a killed program is negative
    const int events = ui().eventsProcessed;
    EXPECT_EQ(RunAndWait("sleep 0.35"), 0);
    EXPECT_GE(ui().eventsProcessed - events, 3);  // events run while waiting
}

TEST_F(ProcessTest, AProgramThatCannotStartGivesANegativeResult) {
    EXPECT_LT(RunAndWait(home.file("no-such-program")), 0);
    EXPECT_LT(RunAndWait("\"" + home.file("no such program") + "\" arg"), 0);
    EXPECT_LT(RunAndWait("arcanote-no-such-command-anywhere"), 0);
    WriteFile(home.file("not-executable"), "#!/bin/sh\n");
    EXPECT_LT(RunAndWait(home.file("not-executable")), 0);
    EXPECT_LT(RunProgramAndWait({home.file("no-such-program")}), 0);
    EXPECT_LT(RunProgramAndWait({"arcanote-no-such-command-anywhere"}), 0);
    EXPECT_LT(RunProgramAndWait({}), 0);
}

TEST_F(ProcessTest, RunProgramAndWaitPassesArgumentsWithoutAShell) {
    EXPECT_EQ(RunProgramAndWait({"sh", "-c", "exit $0", "9"}), 9);
    EXPECT_EQ(RunProgramAndWait({"/bin/sh", "-c", "test \"$0\" = 'a b;c'", "a b;c"}), 0);
}

}  // namespace
}  // namespace arc
