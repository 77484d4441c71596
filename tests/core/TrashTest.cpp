#include <filesystem>

#include "core/Files.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;

/// Points the trash into the test's folder for the duration of a test.
class TrashTest : public test::ProgramFolderTest {
  protected:
    std::string trash(std::string_view relative) const {
        return home.file("data/Trash/" + std::string(relative));
    }
    test::ScopedEnv dataHome{"XDG_DATA_HOME", home.file("data")};
};

TEST_F(TrashTest, MovesAFileWithTheInfoTheDesktopNeedsToRestoreIt) {
    WriteFile(home.file("my roms/pac%man.zip"), "zip");
    ASSERT_TRUE(RecycleFile(home.file("my roms/pac%man.zip")));
    EXPECT_FALSE(std::filesystem::exists(home.file("my roms/pac%man.zip")));
    EXPECT_EQ(ReadFile(trash("files/pac%man.zip")), "zip");
    const std::string info = ReadFile(trash("info/pac%man.zip.trashinfo"));
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=", 0), 0u) << info;
    EXPECT_NE(info.find("/my%20roms/pac%25man.zip\n"), std::string::npos) << info;
    EXPECT_NE(info.find("\nDeletionDate="), std::string::npos);
}

TEST_F(TrashTest, NameClashesGetANumberedName) {
    WriteFile(home.file("a/notes.txt"), "1");
    WriteFile(home.file("b/notes.txt"), "2");
    ASSERT_TRUE(RecycleFile(home.file("a/notes.txt")));
    ASSERT_TRUE(RecycleFile(home.file("b/notes.txt")));
    EXPECT_EQ(ReadFile(trash("files/notes.txt")), "1");
    EXPECT_EQ(ReadFile(trash("files/notes.2.txt")), "2");
    EXPECT_NE(ReadFile(trash("info/notes.2.txt.trashinfo")).find("/b/notes.txt"),
              std::string::npos);
}

TEST_F(TrashTest, TrashesFoldersAndEveryMatchOfAPattern) {
    WriteFile(home.file("site/index.htm"), "i");
    WriteFile(home.file("site/html/a.htm"), "a");
    ASSERT_TRUE(RecycleFile(home.str() + "site/*.*"));
    EXPECT_TRUE(ListFolder(home.file("site"), "*").empty());
    EXPECT_EQ(ReadFile(trash("files/html/a.htm")), "a");
    ASSERT_TRUE(RecycleFile(home.str() + "site/"));
    EXPECT_FALSE(std::filesystem::exists(home.file("site")));
}

TEST_F(TrashTest, NothingToMoveIsFalse) {
    EXPECT_FALSE(RecycleFile(home.file("missing.zip")));
    EXPECT_FALSE(RecycleFile(home.str() + "nothing/*.zip"));
    WriteFile(home.file("data/Trash/files/old.txt"), "old");
    EXPECT_FALSE(RecycleFile(home.file("data")));  // holds the trash itself
    EXPECT_FALSE(RecycleFile(home.file("data/Trash")));
    EXPECT_TRUE(std::filesystem::exists(home.file("data")));
}

}  // namespace
}  // namespace arc
