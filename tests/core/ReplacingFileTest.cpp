#include <filesystem>

#include "core/Files.h"
#include "core/ReplacingFile.h"
#include "core/Settings.h"
#include "core/TextFile.h"
#include "support/ReplacingWriters.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::EntriesIn;
using test::ReadFile;
using test::WriteFile;

class ReplacingFileTest : public test::ProgramFolderTest {};

// Today a translated Catver.ini became 0600: every writer that replaces a file
// through a temporary one keeps the replaced file's mode, and a new file gets
// the umask's mode. The dictionary, translation and unzip writers are checked
// in their own folders' tests.
TEST_F(ReplacingFileTest, EveryWriterKeepsTheReplacedFilesModeAndGivesANewFileTheUmasksMode) {
    WriteFile(home.file("source.ini"), "[Category]\r\npacman=Maze * Mature *\r\n");
    test::ExpectWritersKeepTheFileMode(
        home.str(),
        {{"text lines", false, [](const std::string& t) { return WriteTextLines(t, {"x"}); }},
         {"settings", false, [](const std::string& t) { return SaveSettings(t); }},
         {"shell copy", false,
          [&](const std::string& t) { return ShellCopy(home.file("source.ini"), t); }}});
}

TEST_F(ReplacingFileTest, AFailedWriteLeavesTheTargetAndTheFolderAsTheyWere) {
    const test::TempDir dir;
    EXPECT_FALSE(WriteTextLines(dir.file("no/such/folder/out.txt"), {"x"}));
    std::filesystem::create_directories(dir.file("taken"));
    WriteFile(dir.file("taken/keep"), "k");
    EXPECT_FALSE(WriteTextLines(dir.file("taken"), {"x"}));  // a folder cannot be replaced
    EXPECT_EQ(ReadFile(dir.file("taken/keep")), "k");

    WriteFile(dir.file("kept.txt"), "old");
    {
        ReplacingFile file(dir.file("kept.txt"));
        ASSERT_TRUE(file.Write("new, but never committed"));
    }
    EXPECT_EQ(ReadFile(dir.file("kept.txt")), "old");
    EXPECT_EQ(EntriesIn(dir.str()), 2);  // taken/, kept.txt: no temporary file left
}

}  // namespace
}  // namespace arc
