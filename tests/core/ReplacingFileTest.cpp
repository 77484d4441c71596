#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "core/Files.h"
#include "core/ReplacingFile.h"
#include "core/Settings.h"
#include "core/TextFile.h"
#include "download/ArchiveUnpack.h"
#include "support/TestSupport.h"
#include "support/ZipBuilder.h"
#include "translation/Dictionary.h"
#include "translation/FileTranslation.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;

class ReplacingFileTest : public test::ProgramFolderTest {
  protected:
    ReplacingFileTest() : savedMask_(::umask(027)) {}
    ~ReplacingFileTest() override { ::umask(savedMask_); }

    static int EntriesIn(const std::string& folder) {
        return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder),
                                              std::filesystem::directory_iterator()));
    }

  private:
    mode_t savedMask_;
};

// Today a translated Catver.ini became 0600: every writer that replaces a file
// through a temporary one keeps the replaced file's mode, and a new file gets
// the umask's mode (0666 & ~027 here), not the temporary file's 0600.
TEST_F(ReplacingFileTest, EveryWriterKeepsTheReplacedFilesModeAndGivesANewFileTheUmasksMode) {
    WriteFile(home.file("source.ini"), "[Category]\r\npacman=Maze * Mature *\r\n");
    test::WriteZip(home.file("source.zip"), {{"docs/catver.ini", "[Category]\r\n"}});
    struct Writer {
        const char* name;
        bool replacesOnly;
        std::function<bool(const std::string&)> write;
    };
    const LineTranslator translator(SectionTable{{"Maze", "Labyrinthe"}});
    const std::vector<Writer> writers = {
        {"text lines", false, [](const std::string& t) { return WriteTextLines(t, {"x"}); }},
        {"settings", false, [](const std::string& t) { return SaveSettings(t); }},
        {"dictionary", false, [](const std::string& t) { return CreateDictionary(t); }},
        {"translation", true,
         [&](const std::string& t) {
             return TranslateFile(t, translator) == TranslateOutcome::Translated;
         }},
        {"shell copy", false,
         [&](const std::string& t) { return ShellCopy(home.file("source.ini"), t); }},
        {"unzip", false,
         [&](const std::string& t) {
             std::string error;
             const std::string folder = t.substr(0, t.rfind('/') + 1);
             return UnpackByExtension(home.file("source.zip"), "INI", folder, error) == 1;
         }},
    };
    for (const Writer& writer : writers) {
        for (const mode_t before : {mode_t{0604}, mode_t{0}}) {
            if (writer.replacesOnly && before == 0) continue;
            SCOPED_TRACE(std::string(writer.name) + (before ? " replacing a file" : " new file"));
            const std::string folder = home.file(std::string(writer.name) + std::to_string(before));
            std::filesystem::create_directories(folder);
            const std::string target = folder + "/catver.ini";
            if (before) {
                WriteFile(target, "[Category]\r\npacman=Maze\r\n");
                ::chmod(target.c_str(), before);
            }
            ASSERT_TRUE(writer.write(target));
            EXPECT_EQ(static_cast<mode_t>(std::filesystem::status(target).permissions()),
                      before ? before : 0640);
            EXPECT_NE(ReadFile(target), before ? "[Category]\r\npacman=Maze\r\n" : "");
            EXPECT_EQ(EntriesIn(folder), writer.replacesOnly ? 2 : 1);  // + the untranslated copy
        }
    }
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
