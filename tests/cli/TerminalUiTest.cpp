#include <iostream>
#include <sstream>

#include "cli/TerminalUi.h"
#include "core/AppState.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

TEST(TerminalUiTest, QuestionsTakeTheSafeAnswerUnlessYesWasGiven) {
    std::ostringstream err;
    cli::TerminalUi cautious(err, false, false);
    EXPECT_EQ(cautious.Message("Delete?|Sure", MsgButtons::YesNo, MsgIcon::Question),
              MsgAnswer::No);
    EXPECT_EQ(cautious.Message("Go?", MsgButtons::OkCancel, MsgIcon::Question), MsgAnswer::Cancel);
    EXPECT_EQ(cautious.Message("Done", MsgButtons::Ok, MsgIcon::Information), MsgAnswer::Ok);
    EXPECT_NE(err.str().find("Delete?\nSure\n"), std::string::npos);
    EXPECT_NE(err.str().find("--yes"), std::string::npos);
    cli::TerminalUi bold(err, true, false);
    EXPECT_EQ(bold.Message("Delete?", MsgButtons::YesNoCancel, MsgIcon::Question), MsgAnswer::Yes);
    EXPECT_EQ(bold.Message("Go?", MsgButtons::OkCancel, MsgIcon::Question), MsgAnswer::Ok);
}

TEST(TerminalUiTest, ProgressIsPlainLinesWhenNotATerminal) {
    std::ostringstream err;
    cli::TerminalUi ui(err, false, false);
    Progress() = ProgressState{};
    Progress().Total = 100;
    ui.ShowProgressWindow();
    ui.SetProgressLabel("pacman");
    for (int done = 0; done <= 100; done += 5) {
        Progress().Done = done;
        ui.ProcessEvents();
    }
    ui.UnloadProgressWindow();
    EXPECT_EQ(err.str().find('\r'), std::string::npos);
    EXPECT_NE(err.str().find("pacman\n"), std::string::npos);
    EXPECT_NE(err.str().find("50%\n"), std::string::npos);
    EXPECT_NE(err.str().find("100%\n"), std::string::npos);
}

TEST(TerminalUiDeathTest, TheSixthErrorPrintsTheLogAndExitsNonZero) {
    test::TempDir home;
    SetProgramFolder(home.str());
    ResetState();
    std::string old;
    for (int i = 1; i <= 100; ++i)
        old += "old " + std::to_string(i) + "\r\n";
    test::WriteFile(home.file("Arcanote.log.txt"), old);
    EXPECT_EXIT(
        {
            cli::TerminalUi ui(std::cerr, false, false);
            InstallUi(&ui);
            for (int i = 0; i < 6; ++i)
                WriteErrorBlock(53, "File not found");
            InstallUi(nullptr);
        },
        ::testing::ExitedWithCode(1),
        // Only the end of the log: 9 old lines, 6 blocks of 5, the stop line.
        "^See: [^\n]*Arcanote.log.txt\nold 92\n.*5 BUG ERRORS => Sorry, Arcanote "
        "Stopped\\.\nArcanote stopped");
    ResetState();
}

}  // namespace
}  // namespace arc
