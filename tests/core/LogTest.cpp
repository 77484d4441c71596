#include <filesystem>
#include <regex>

#include "core/ErrorGuard.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Task.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;

class LogTest : public test::ProgramFolderTest {
  protected:
    std::string log() const { return ReadFile(home.file("Arcanote.log.txt")); }
};

TEST_F(LogTest, GuardedWritesAnErrorBlockWithTheLogFlagOffAndTheCallerGoesOn) {
    ASSERT_FALSE(DebugLogging());
    int reached = 0;
    EXPECT_TRUE(Guarded(10, [&] { reached = 1; }) && reached);
    EXPECT_FALSE(Guarded(412, [] { throw AppError(err::kFileNotFound, "File not found"); }));
    const std::regex block(
        "<START DEBUGGING> \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\r\n"
        "TRACKING BUG NUMBER = 412\r\n53 File not found\r\n<END>\r\n \r\n");
    EXPECT_TRUE(std::regex_match(log(), block)) << log();
    EXPECT_EQ(ErrorBlockCount(), 1);
    EXPECT_EQ(CurrentProcedure(), 0);  // the number of the caller comes back
    // The block names the operation whose boundary caught the error.
    EXPECT_FALSE(Guarded(11, [&] {
        ProcedureScope inner(12);
        throw std::filesystem::filesystem_error(
            "open", std::make_error_code(std::errc::no_such_file_or_directory));
    }));
    EXPECT_NE(log().find("TRACKING BUG NUMBER = 11\r\n53 "), std::string::npos) << log();
    Guarded(13, [] { throw std::out_of_range("slot 99"); });
    // The number of the caller comes back when a scope ends.
    {
        ProcedureScope outer(20);
        Guarded(21, [] {});
        WriteErrorBlock(err::kInvalidCall, "after the inner scope");
    }
    EXPECT_NE(log().find("TRACKING BUG NUMBER = 20\r\n5 after"), std::string::npos) << log();
    EXPECT_NE(log().find("TRACKING BUG NUMBER = 13\r\n9 Subscript out of range: slot 99"),
              std::string::npos);
}

// A task that meets `errors` errors, each caught and logged by its operation,
// with a temporary file that its cleanup removes.
Outcome TaskMeeting(int errors, const std::string& temporary, bool& finished) {
    return RunCountingErrors<Outcome>([&] {
        WriteFile(temporary, "partial");
        struct Remover {
            std::string path;
            ~Remover() { std::filesystem::remove(path); }
        } remover{temporary};
        for (int i = 0; i < errors; ++i)
            Guarded(20 + i, [] { throw AppError(err::kInvalidCall, "Invalid procedure call"); });
        finished = true;
        return Outcome::Success();
    });
}

TEST_F(LogTest, TheSixthErrorBlockEndsTheTaskFailedAfterItsCleanupAndTheProgramGoesOn) {
    const std::string temporary = home.file("task.tmp");
    for (int i = 0; i < 4; ++i)  // errors before the task do not count against it
        WriteErrorBlock(5, "Invalid procedure call");
    bool finished = false;
    EXPECT_TRUE(TaskMeeting(5, temporary, finished).ok());
    EXPECT_TRUE(finished);
    EXPECT_EQ(log().find("5 BUG ERRORS"), std::string::npos);

    finished = false;
    const Outcome stopped = TaskMeeting(7, temporary, finished);
    EXPECT_TRUE(stopped.failed());
    EXPECT_FALSE(finished);
    EXPECT_FALSE(std::filesystem::exists(temporary));
    EXPECT_EQ(stopped.message, std::string(kErrorLimitLine) + "\n" + LogFilePath());
    EXPECT_EQ(ui().opened, std::vector<std::string>{home.file("Arcanote.log.txt")});
    EXPECT_TRUE(
        log().ends_with("TRACKING BUG NUMBER = 25\r\n5 Invalid procedure call\r\n<END>\r\n "
                        "\r\n5 BUG ERRORS => Sorry, Arcanote Stopped.\r\n"))
        << log();
    EXPECT_EQ(ErrorBlockCount(), 4 + 5 + 6);

    // The program goes on: the next task starts with a fresh count.
    EXPECT_TRUE(TaskMeeting(1, temporary, finished).ok());
}

TEST_F(LogTest, DebugLinesAndErrorBlocksKeepTheirOrder) {
    DebugLog("hidden");
    SetDebugLogging(true);
    DebugLog("first");
    WriteErrorBlock(53, "File not found");
    DebugLog("after");
    WriteLog("");
    const std::string text = log();  // no "hidden"; the empty line wrote nothing
    EXPECT_EQ(text.rfind("first\r\n<START DEBUGGING> ", 0), 0u) << text;
    EXPECT_TRUE(text.ends_with("<END>\r\n \r\nafter\r\n")) << text;
}

TEST_F(LogTest, AnUnwritableLogIsSkippedSilently) {
    SetProgramFolder(home.file("no/such/folder"));
    WriteLog("line");
    WriteErrorBlock(53, "File not found");
    EXPECT_EQ(ErrorBlockCount(), 1);
    EXPECT_TRUE(ui().messages.empty());
    SetProgramFolder(home.str());
}

TEST_F(LogTest, DebugCommandAsksBeforeDeletingAnOldLogAndOnlyThen) {
    EXPECT_TRUE(ToggleDebugLogging());
    EXPECT_TRUE(ui().messages.empty());  // no log yet
    EXPECT_TRUE(std::regex_match(log(), std::regex("<DEBUG ON> [-0-9]+ [:0-9]+\r\n")));
    EXPECT_FALSE(ToggleDebugLogging());

    WriteFile(home.file("Arcanote.log.txt"), "old\r\n");
    ui().QueueAnswer(MsgAnswer::No);
    EXPECT_TRUE(ToggleDebugLogging());
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(log().rfind("old\r\n<DEBUG ON> ", 0), 0u);

    EXPECT_FALSE(ToggleDebugLogging());
    EXPECT_FALSE(DebugLogging());
    EXPECT_NE(log().find("\r\n<DEBUG OFF> "), std::string::npos);

    ui().QueueAnswer(MsgAnswer::Yes);
    EXPECT_TRUE(ToggleDebugLogging());
    EXPECT_EQ(log().rfind("<DEBUG ON> ", 0), 0u) << log();
}

}  // namespace
}  // namespace arc
