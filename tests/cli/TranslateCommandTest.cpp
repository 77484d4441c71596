#include <gtest/gtest.h>

#include "cli/CliRunTest.h"
#include "translation/Dictionary.h"

namespace arc::test {
namespace {

using TranslateCommand = CliRunTest<>;

TEST_F(TranslateCommand, CreatesTheDictionaryThenTranslatesTheNamedFiles) {
    WriteFile(home.file("ini/Catver.ini"), "[Category]\r\npacman=Maze\r\n");
    WriteFile(home.file("dat/History.dat"), "Main CPU : Z80\r\n");

    ASSERT_EQ(Run({"translate", "--create-dictionary"}), 0) << err;
    EXPECT_NE(ReadFile(home.file("TRANSLATE.DIC.txt")).find("\r\nMaze = \r\n"), std::string::npos);
    EXPECT_EQ(ReadFile(home.file("ini/Catver.ini")), "[Category]\r\npacman=Maze\r\n");

    WriteFile(home.file("TRANSLATE.DIC.txt"),
              "[WIZ]\r\nMaze = Labyrinthe\r\n[HISTORY]\r\n"
              "Main CPU : = CPU Principal :\r\n");
    ASSERT_EQ(Run({"translate", "--files", "CATVER"}), 0) << err;
    EXPECT_EQ(ReadFile(home.file("ini/Catver.ini")), "[Category]\r\npacman=Labyrinthe\r\n");
    EXPECT_EQ(ReadFile(home.file("dat/History.dat")), "Main CPU : Z80\r\n");  // not named
    EXPECT_NE(out.find("Catver.ini: translated"), std::string::npos) << out;

    ASSERT_EQ(Run({"translate"}), 0) << err;  // every file
    EXPECT_EQ(ReadFile(home.file("dat/History.dat")), "CPU Principal : Z80\r\n");
    EXPECT_NE(out.find("Genre.ini: skipped"), std::string::npos) << out;
}

TEST_F(TranslateCommand, AMissingDictionaryOrNamedFileFails) {
    EXPECT_EQ(Run({"translate", "--files", "history"}), 1);
    EXPECT_NE(err.find("--create-dictionary"), std::string::npos);

    // A file named on the command line that is not there is a failure, told on stderr.
    WriteFile(home.file("TRANSLATE.DIC.txt"), "[HISTORY]\r\nBoard = Planche\r\n");
    EXPECT_EQ(Run({"translate", "--files", "history.xml"}), 1);
    EXPECT_NE(err.find("history.xml: skipped (file not found)"), std::string::npos) << err;
}

}  // namespace
}  // namespace arc::test
