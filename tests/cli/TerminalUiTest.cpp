#include <algorithm>
#include <iostream>
#include <regex>
#include <sstream>

#include "cli/TerminalUi.h"
#include "core/ErrorGuard.h"
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

TEST(TerminalUiTest, NotesCopyDoesNotPrintEverySetName) {
    std::ostringstream err;
    cli::TerminalUi ui(err, false, false);
    Progress() = ProgressState{};
    Progress().Total = 39448;
    ui.ShowProgressWindow();
    for (int done = 1; done <= 39448; ++done) {
        Progress().Done = done;
        ui.SetProgressLabel("set" + std::to_string(done));
    }
    ui.UnloadProgressWindow();
    const std::string text = err.str();
    EXPECT_LE(std::count(text.begin(), text.end(), '\n'), 11);
    EXPECT_NE(text.find("set1\n"), std::string::npos);
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
