#include <gtest/gtest.h>

#include <utility>

#include "support/CliRun.h"
#include "support/TestSupport.h"
#include "translation/Dictionary.h"

namespace arc {
namespace {

using test::CliRun;
using test::ReadFile;
using test::WriteFile;

CliRun RunCli(const std::string& home, std::vector<std::string> args) {
    return test::RunCommand(home, "translate", std::move(args));
}

TEST(TranslateCommand, CreatesTheDictionaryThenTranslatesTheNamedFiles) {
    test::TempDir home;
    WriteFile(home.file("ini/Catver.ini"), "[Category]\r\npacman=Maze\r\n");
    WriteFile(home.file("dat/History.dat"), "Main CPU : Z80\r\n");

    CliRun run = RunCli(home.str(), {"--create-dictionary"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(ReadFile(home.file("TRANSLATE.DIC.txt")).find("\r\nMaze = \r\n"), std::string::npos);
    EXPECT_EQ(ReadFile(home.file("ini/Catver.ini")), "[Category]\r\npacman=Maze\r\n");

    WriteFile(home.file("TRANSLATE.DIC.txt"),
              "[WIZ]\r\nMaze = Labyrinthe\r\n[HISTORY]\r\n"
              "Main CPU : = CPU Principal :\r\n");
    run = RunCli(home.str(), {"--files", "CATVER"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(ReadFile(home.file("ini/Catver.ini")), "[Category]\r\npacman=Labyrinthe\r\n");
    EXPECT_EQ(ReadFile(home.file("dat/History.dat")), "Main CPU : Z80\r\n");  // not named
    EXPECT_NE(run.out.find("Catver.ini: translated"), std::string::npos) << run.out;

    run = RunCli(home.str(), {});  // every file
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(ReadFile(home.file("dat/History.dat")), "CPU Principal : Z80\r\n");
    EXPECT_NE(run.out.find("Genre.ini: skipped"), std::string::npos) << run.out;
}

TEST(TranslateCommand, RejectsUnknownNamesAndAMissingDictionary) {
    test::TempDir home;
    EXPECT_EQ(RunCli(home.str(), {"--files", "cheat"}).code, 2);
    EXPECT_EQ(RunCli(home.str(), {"--files"}).code, 2);
    EXPECT_EQ(RunCli(home.str(), {"--bogus"}).code, 2);
    CliRun run = RunCli(home.str(), {"--files", "history"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("--create-dictionary"), std::string::npos);

    // A file named on the command line that is not there is a failure, told on stderr.
    WriteFile(home.file("TRANSLATE.DIC.txt"), "[HISTORY]\r\nBoard = Planche\r\n");
    run = RunCli(home.str(), {"--files", "history.xml"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("history.xml: skipped (file not found)"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace arc
