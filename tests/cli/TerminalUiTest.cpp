#include <algorithm>
#include <iostream>
#include <regex>
#include <sstream>

#include "cli/TerminalUi.h"
#include "core/ErrorGuard.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Task.h"
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

// The bar is fed by the task's own progress: plain lines (one per tenth of
// the way, with the item then worked on) off a terminal, one redrawn line on it.
TEST(TerminalUiTest, ATaskProgressIsDrawnFromItsOwnCounts) {
    for (const bool terminal : {false, true}) {
        std::ostringstream err;
        cli::TerminalUi ui(err, false, terminal);
        TaskProgress progress;
        ui.RunTask(progress, [](TaskContext& context) {
            TaskProgress& task = context.progress();
            task.SetTotal(39448);
            for (int done = 1; done <= 39448; ++done) {
                task.SetLabel("set" + std::to_string(done));
                task.Step(done);
            }
        });
        const std::string text = err.str();
        EXPECT_NE(text.find("100%"), std::string::npos) << terminal;
        if (terminal) {
            EXPECT_NE(text.find("\r["), std::string::npos);
            EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);  // the bar's own line ends
        } else {
            EXPECT_EQ(text.find('\r'), std::string::npos);
            EXPECT_LE(std::count(text.begin(), text.end(), '\n'), 11) << text;
            EXPECT_NE(text.find("1% set1\n"), std::string::npos) << text;
            EXPECT_NE(text.find("50% set"), std::string::npos) << text;
        }
    }
}

TEST(TerminalUiTest, TheSixthErrorEndsTheTaskWithTheStopLineAndTheProcessGoesOn) {
    test::TempDir home;
    SetProgramFolder(home.str());
    ResetLog();
    std::ostringstream err;
    cli::TerminalUi ui(err, false, false);
    InstallUi(&ui);
    for (int i = 0; i < 5; ++i)
        WriteErrorBlock(53, "File not found");
    EXPECT_THROW(WriteErrorBlock(53, "File not found"), ErrorLimitReached);
    InstallUi(nullptr);
    // The terminal says where the log is, and nothing of it.
    EXPECT_TRUE(std::regex_match(err.str(), std::regex("^See: [^\n]*Arcanote\\.log\\.txt\n$")))
        << err.str();
    EXPECT_NE(test::ReadFile(home.file("Arcanote.log.txt")).find("5 BUG ERRORS"),
              std::string::npos);
    ResetLog();
}

}  // namespace
}  // namespace arc
