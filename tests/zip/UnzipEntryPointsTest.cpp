#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/ProgramFolder.h"
#include "support/TestSupport.h"
#include "support/ZipBuilder.h"
#include "zip/ZipModule.h"

namespace arc::test {
namespace {

using Names = std::vector<std::string>;

class UnzipEntryPointsTest : public ProgramFolderTest {
  protected:
    UnzipEntryPointsTest() {
        ZipState() = ZipModuleState{};
        WriteFile(archive, BuildZip({{"history.dat", "history"},
                                     {"readme.txt", "read me"},
                                     {"skin/", "", 0},
                                     {"skin/Index.HTM", "<html>"},
                                     {"skin/style.css", "css"}}));
    }

    std::string archive = home.file("pack.zip");
};

TEST_F(UnzipEntryPointsTest, ListFilesFillsTheOneBasedListOrLeavesTheDesignedError) {
    ZipListFiles(archive);
    EXPECT_EQ(ZipState().ZipFileCount, 5);
    EXPECT_EQ(ZipState().ZipFileList, (Names{"", "history.dat", "readme.txt", "skin/",
                                             "skin/Index.HTM", "skin/style.css"}));

    WriteFile(home.file("fake.zip"), "this is text");
    ZipListFiles(home.file("fake.zip"));
    EXPECT_EQ(ZipState().ZipFileCount, 0);
    EXPECT_EQ(ZipState().ZipFileList.size(), 1u);
    EXPECT_EQ(ZipState().ZipLastError,
              "Erreur 2 - Le fichier " + home.file("fake.zip") + " n'est pas un fichier Zip");
}

TEST_F(UnzipEntryPointsTest, UnzipAllKeepsFoldersReplacesFilesAndDropsTheTrailingSlash) {
    WriteFile(home.file("out/readme.txt"), "old");
    EXPECT_TRUE(UnzipAll(archive, home.file("out") + "/", true));
    EXPECT_EQ(ZipState().ZipDestFolder, home.file("out"));
    EXPECT_EQ(FilesUnder(home.file("out")),
              (Names{"history.dat", "readme.txt", "skin/Index.HTM", "skin/style.css"}));
    EXPECT_EQ(ReadFile(home.file("out/readme.txt")), "read me");
    EXPECT_TRUE(UnzipAll(archive, home.file("out2") + "\\", true));
    EXPECT_EQ(ZipState().ZipDestFolder, home.file("out2"));
}

TEST_F(UnzipEntryPointsTest, EmptyMembersAndEmptyFoldersMakeTheRoundTrip) {
    namespace fs = std::filesystem;
    WriteZip(home.file("hollow.zip"), {{"a", "x"},
                                       {"e", "", 0},
                                       {"emptydir/", "", 0},
                                       {"sub/", "", 0},
                                       {"sub/e2", "", 8},
                                       {"sub/deep/", "", 0}});
    ZipListFiles(home.file("hollow.zip"));
    EXPECT_EQ(ZipState().ZipFileList,
              (Names{"", "a", "e", "emptydir/", "sub/", "sub/e2", "sub/deep/"}));
    ASSERT_TRUE(UnzipAll(home.file("hollow.zip"), home.file("o"), true));
    EXPECT_EQ(ZipState().ZipLastError, "");
    EXPECT_EQ(FilesUnder(home.file("o")), (Names{"a", "e", "sub/e2"}));
    EXPECT_EQ(fs::file_size(home.file("o/e")), 0u);
    EXPECT_TRUE(fs::is_directory(home.file("o/emptydir")));
    EXPECT_TRUE(fs::is_directory(home.file("o/sub/deep")));
    // One member or an extension: an empty file is a file, a folder entry is none.
    EXPECT_TRUE(UnzipFile(home.file("hollow.zip"), "sub/e2", home.file("one"), true));
    EXPECT_FALSE(UnzipFile(home.file("hollow.zip"), "sub/", home.file("one"), true));
    EXPECT_EQ(UnzipByExtension(home.file("hollow.zip"), "e", home.file("one"), true), 1);
    EXPECT_EQ(FilesUnder(home.file("one")), (Names{"e", "e2"}));
}

TEST_F(UnzipEntryPointsTest, UnzipFileMatchesWithoutCaseNeedsTheFolderAndAGoodMember) {
    EXPECT_TRUE(UnzipFile(archive, "SKIN\\index.htm", home.file("one"), true));
    EXPECT_EQ(FilesUnder(home.file("one")), Names{"Index.HTM"});
    EXPECT_FALSE(UnzipFile(archive, "index.htm", home.file("three"), true));
    EXPECT_TRUE(FilesUnder(home.file("three")).empty());

    std::string dest;  // empty: the program folder
    EXPECT_TRUE(UnzipFile(archive, "readme.txt", dest, true));
    EXPECT_EQ(dest, ProgramFolder());
    EXPECT_EQ(ReadFile(home.file("readme.txt")), "read me");

    RawMember bad{"bad.dat", std::string(3000, 'b')};
    bad.badCrc = true;
    WriteZip(home.file("bad.zip"), {bad, {"good.dat", "good"}});
    EXPECT_FALSE(UnzipFile(home.file("bad.zip"), "bad.dat", home.file("out"), true));
    EXPECT_EQ(ZipState().ZipLastError.rfind("Erreur 5 - Erreur de checksum dans ", 0), 0u);
    EXPECT_EQ(UnzipByExtension(home.file("bad.zip"), ".DAT", home.file("out"), true), 1);
    EXPECT_EQ(FilesUnder(home.file("out")), Names{"good.dat"});
}

TEST_F(UnzipEntryPointsTest, UnzipByExtensionCountsMatchesOrAnswersMinusOne) {
    EXPECT_EQ(UnzipByExtension(archive, ".htm", home.file("htm"), true), 1);
    EXPECT_EQ(FilesUnder(home.file("htm")), Names{"Index.HTM"});
    EXPECT_EQ(UnzipByExtension(archive, "png", home.file("none"), true), -1);
    EXPECT_EQ(UnzipByExtension(archive, "a-very-long-extension.txt", home.file("none"), true), -1);
    EXPECT_TRUE(FilesUnder(home.file("none")).empty());
}

}  // namespace
}  // namespace arc::test
