#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/Files.h"
#include "support/TestSupport.h"
#include "zip/Unzip.h"

namespace arc::test {
namespace {

namespace fs = std::filesystem;

/// Runs a shell command in `folder`; its exit code.
int Shell(const std::string& folder, const std::string& command) {
    return RunAndWait("cd '" + folder + "' && { " + command + "; } >/dev/null 2>&1");
}

std::string Numbers(int count, int seed) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::to_string((i + seed) * 7919 % 100003) + "\n";
    return text;
}

class InfoZipInteropTest : public ProgramFolderTest {
  protected:
    void SetUp() override {
        if (!FileExists("/usr/bin/zip") || !FileExists("/usr/bin/unzip"))
            GTEST_SKIP() << "Info-ZIP zip/unzip not installed";
        // A small ROM-like tree: nested folders, a space and a non-ASCII name, an empty file.
        WriteFile(home.file("src/pacman.6e"), Numbers(3000, 1));
        WriteFile(home.file("src/sub/deeper/pacman.7f"), Numbers(500, 2));
        WriteFile(home.file("src/with space.bin"), std::string(70000, '\x01'));
        WriteFile(home.file("src/été.txt"), "accents");
        WriteFile(home.file("src/empty.txt"), "");
    }
    std::string Myzip() const { return BinDir() + "/myzip"; }
};

TEST_F(InfoZipInteropTest, ArchiveFromZipIsExtractedByteForByte) {
    ASSERT_EQ(Shell(home.file("src"), "zip -q -r ../by-zip.zip ."), 0);
    // Five files and the folders "sub/", "sub/deeper/".
    EXPECT_EQ(ListZip(home.file("by-zip.zip")).members.size(), 7u);
    const UnzipResult result = UnzipAll(home.file("by-zip.zip"), home.file("out"));
    ASSERT_TRUE(result.ok()) << DescribeZipErrors(result.errors);
    for (const char* name :
         {"pacman.6e", "sub/deeper/pacman.7f", "with space.bin", "été.txt", "empty.txt"})
        EXPECT_EQ(ReadFile(home.file(std::string("out/") + name)),
                  ReadFile(home.file(std::string("src/") + name)))
            << name;
}

TEST_F(InfoZipInteropTest, StreamedZip64MemberWithDataDescriptor) {
    // zip writing to a pipe: Zip64 local fields and a data descriptor after the data.
    WriteFile(home.file("stream.txt"), Numbers(20000, 3));
    ASSERT_EQ(Shell(home.str(), "cat stream.txt | zip -q - - | cat > streamed.zip"), 0);
    EXPECT_EQ(ListZip(home.file("streamed.zip")).Names(), std::vector<std::string>{"-"});
    const UnzipResult result = UnzipAll(home.file("streamed.zip"), home.file("out"));
    ASSERT_TRUE(result.ok()) << DescribeZipErrors(result.errors);
    EXPECT_EQ(ReadFile(home.file("out/-")), ReadFile(home.file("stream.txt")));
}

TEST_F(InfoZipInteropTest, MyzipArchivePassesUnzipAndListsBack) {
    ASSERT_TRUE(FileExists(Myzip()));
    const std::string argument = home.file("dest/pacman.zip") + "," + home.file("src") + "/*.*";
    ASSERT_EQ(RunProgramAndWait({Myzip(), argument}), 0);
    EXPECT_EQ(Shell(home.str(), "unzip -tq dest/pacman.zip"), 0);
    ASSERT_EQ(Shell(home.str(), "unzip -qq -o dest/pacman.zip -d by-unzip"), 0);
    EXPECT_EQ(ReadFile(home.file("by-unzip/été.txt")), "accents");
    EXPECT_TRUE(fs::exists(home.file("by-unzip/empty.txt")));

    EXPECT_EQ(ListZip(home.file("dest/pacman.zip")).Names(),
              (std::vector<std::string>{"empty.txt", "pacman.6e", "sub/deeper/pacman.7f",
                                        "with space.bin", "été.txt"}));
    EXPECT_EQ(ReadFile(home.file("by-unzip/sub/deeper/pacman.7f")),
              ReadFile(home.file("src/sub/deeper/pacman.7f")));
    // Nothing but the archive is left in the destination.
    EXPECT_EQ(ListFolder(home.file("dest"), "*"), std::vector<std::string>{"pacman.zip"});
}

TEST_F(InfoZipInteropTest, MyzipTakesAMaskAndBackslashesAndRefusesBadArgumentsAndEmptyFolders) {
    ASSERT_EQ(
        RunProgramAndWait({Myzip(), home.file("mask.zip") + "," + home.file("src") + "\\*.6E"}), 0);
    EXPECT_EQ(ListZip(home.file("mask.zip")).Names(), std::vector<std::string>{"pacman.6e"});

    EXPECT_EQ(RunProgramAndWait({Myzip()}), 2);
    EXPECT_EQ(RunProgramAndWait({Myzip(), "no-comma-here"}), 2);
    // An empty sub-folder is packed; a folder with nothing at all is refused.
    fs::create_directories(home.file("shell/inner"));
    EXPECT_EQ(RunProgramAndWait({Myzip(), home.file("s.zip") + "," + home.file("shell/*.*")}), 0);
    EXPECT_EQ(ListZip(home.file("s.zip")).Names(), std::vector<std::string>{"inner/"});
    fs::create_directories(home.file("hollow"));
    EXPECT_EQ(RunProgramAndWait({Myzip(), home.file("h.zip") + "," + home.file("hollow/*.*")}), 12);
    EXPECT_EQ(RunProgramAndWait({Myzip(), home.file("m.zip") + "," + home.file("missing/*.*")}), 3);
    EXPECT_FALSE(FileExists(home.file("h.zip")));
    EXPECT_FALSE(FileExists(home.file("m.zip")));
}

}  // namespace
}  // namespace arc::test
