#include <filesystem>

#include "core/ProgramFolder.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

/// An install laid out as bin/ beside the share folder, and XDG_DATA_HOME in
/// the same temporary folder.
class ProgramFolderResolution : public ::testing::Test {
  protected:
    ProgramFolderResolution() {
        std::filesystem::create_directories(root.file("prefix/bin"));
        WriteFile(share("Arcanote.mdx"), "template");
        WriteFile(share("html/default.skin/index.htm"), "skin");
    }
    std::string share(const std::string& name) const {
        return root.file("prefix/" ARCANOTE_SHARE_SUBDIR "/" + name);
    }
    std::string exe() const { return root.file("prefix/bin/arcanote-cli"); }

    TempDir root;
    test::ScopedEnv dataHome{"XDG_DATA_HOME", root.file("data")};
    std::string error;
};

TEST_F(ProgramFolderResolution, HomeOptionWinsAndIsFilledWithTheShippedFiles) {
    WriteFile(root.file("prefix/bin/Arcanote.mdx"), "built");
    const auto folder = ResolveProgramFolder(root.file("given/home"), exe(), &error);
    ASSERT_TRUE(folder) << error;
    EXPECT_EQ(*folder, root.str() + "given/home/");
    EXPECT_EQ(ReadFile(*folder + "Arcanote.mdx"), "template");

    // No share folder (a build tree): the shipped files beside the program,
    // never its working files, never over a file the folder has.
    std::filesystem::remove_all(root.file("prefix/share"));
    WriteFile(root.file("prefix/bin/html/x.skin/index.htm"), "skin");
    WriteFile(root.file("prefix/bin/readme.txt"), "shipped");
    WriteFile(root.file("prefix/bin/Arcanote.inf"), "settings");
    WriteFile(root.file("other/readme.txt"), "mine");
    ASSERT_TRUE(ResolveProgramFolder(root.file("other"), exe(), &error));
    EXPECT_EQ(ReadFile(root.file("other/Arcanote.mdx")), "built");
    EXPECT_EQ(ReadFile(root.file("other/html/x.skin/index.htm")), "skin");
    EXPECT_EQ(ReadFile(root.file("other/readme.txt")), "mine");
    EXPECT_FALSE(std::filesystem::exists(root.file("other/Arcanote.inf")));

    // Regression (a home holding a template got nothing): it gets what it lacks.
    WriteFile(root.file("prefix/bin/Arcanote.url.inf"), "list");
    WriteFile(root.file("made/Arcanote.mdx"), "mine");
    ASSERT_TRUE(ResolveProgramFolder(root.file("made"), exe(), &error));
    EXPECT_EQ(ReadFile(root.file("made/Arcanote.mdx")) + ReadFile(root.file("made/readme.txt")) +
                  ReadFile(root.file("made/Arcanote.url.inf")),
              "mineshippedlist");
}

TEST_F(ProgramFolderResolution, UnusableHomeGivesAClearError) {
    WriteFile(root.file("plain-file"), "");
    EXPECT_FALSE(ResolveProgramFolder(root.file("plain-file/sub"), exe(), &error));
    EXPECT_NE(error.find(root.file("plain-file/sub")), std::string::npos) << error;
    EXPECT_FALSE(ResolveProgramFolder(std::string(), exe(), &error));
    EXPECT_FALSE(error.empty());
}

TEST_F(ProgramFolderResolution, OtherwiseTheDataFolderIsFilledOnFirstUse) {
    const auto folder = ResolveProgramFolder(std::nullopt, exe(), &error);
    ASSERT_TRUE(folder) << error;
    EXPECT_EQ(*folder, root.str() + "data/arcanote/");
    EXPECT_EQ(ReadFile(*folder + "Arcanote.mdx"), "template");
    EXPECT_EQ(ReadFile(*folder + "html/default.skin/index.htm"), "skin");
    // An executable's folder holding the template and writable is the program folder.
    WriteFile(root.file("prefix/bin/Arcanote.mdx"), "");
    EXPECT_EQ(ResolveProgramFolder(std::nullopt, exe(), &error), root.str() + "prefix/bin/");
}

}  // namespace
}  // namespace arc
