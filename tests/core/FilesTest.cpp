#include <algorithm>
#include <filesystem>

#include "core/Files.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(FilesTest, ExistenceTestsTellFilesFromFoldersAndNeverFail) {
    TempDir dir;
    WriteFile(dir.file("a.txt"), "x");
    EXPECT_TRUE(FileExists(dir.file("a.txt")) && FolderExists(dir.str()));
    EXPECT_FALSE(FolderExists(dir.file("a.txt")) || FileExists(dir.str()));
    EXPECT_FALSE(FileExists("") || FolderExists("") || FileExists(dir.file("a.txt/below")));
}

TEST(FilesTest, SafeFileNameReplacesEveryForbiddenCharacter) {
    EXPECT_EQ(SafeFileName("AC/DC?"), "AC_DC_");
    EXPECT_EQ(SafeFileName("a\\b:c|d<e>f*g"), "a_b_c_d_e_f_g");
    EXPECT_EQ(SafeFileName("Pac-Man (Midway) é"), "Pac-Man (Midway) é");
}

TEST(FilesTest, SortStringsOrdersByCharacterCodeWithinTheGivenRange) {
    std::vector<std::string> items = {"b", "a", "B", "Zed", "", "é", "A", "ab"};
    SortStrings(items, 0, static_cast<int>(items.size()) - 1);
    EXPECT_EQ(items, (std::vector<std::string>{"", "A", "B", "Zed", "a", "ab", "b", "é"}));

    items = {"z", "c", "b", "a", "y"};
    SortStrings(items, 1, 3);
    EXPECT_EQ(items, (std::vector<std::string>{"z", "a", "b", "c", "y"}));
    SortStrings(items, -4, 99);  // out-of-range bounds are clamped
    EXPECT_EQ(items, (std::vector<std::string>{"a", "b", "c", "y", "z"}));
}

// A dictionary built from N equal values took 25 s for 80,000 of them: the sort
// put every element equal to the pivot on one side. Now n log n.
TEST(FilesTest, SortStringsOnManyEqualElementsKeepsThemTogether) {
    std::vector<std::string> items(200000, "Maze = ");
    items[17] = "Shooter = ";
    items[99999] = "Ball & Paddle = ";
    SortStrings(items, 0, static_cast<int>(items.size()) - 1);
    EXPECT_EQ(items.front(), "Ball & Paddle = ");
    EXPECT_EQ(items.back(), "Shooter = ");
    EXPECT_EQ(std::count(items.begin(), items.end(), "Maze = "), 199998);
    EXPECT_TRUE(std::is_sorted(items.begin(), items.end()));
}

TEST(FilesTest, PatternsMatchWithoutRegardToCase) {
    for (const auto& [name, pattern] : {std::pair{"PACMAN.ZIP", "*.zip"},
                                        {"a.png", "?.PNG"},
                                        {"README", "*.*"},  // as on the original platform
                                        {"", "*"},
                                        {"aXbYb", "a*b"}})
        EXPECT_TRUE(MatchesPattern(name, pattern)) << name;
    EXPECT_FALSE(MatchesPattern("ab.png", "?.png") || MatchesPattern("pacman.zip.bak", "*.zip"));
}

TEST(FilesTest, ListFolderFiltersByPatternAndKindSorted) {
    TempDir dir;
    WriteFile(dir.file("b.ZIP"), "");
    WriteFile(dir.file("a.zip"), "");
    WriteFile(dir.file("c.txt"), "");
    std::filesystem::create_directories(dir.file("d.zip"));
    EXPECT_EQ(ListFolder(dir.str(), "*.zip"),
              (std::vector<std::string>{"a.zip", "b.ZIP", "d.zip"}));
    EXPECT_EQ(ListFolder(dir.str(), "*.zip", EntryKind::Files),
              (std::vector<std::string>{"a.zip", "b.ZIP"}));
    EXPECT_EQ(ListFolder(dir.str(), "*", EntryKind::Folders), (std::vector<std::string>{"d.zip"}));
    EXPECT_TRUE(ListFolder(dir.file("missing"), "*").empty());
}

TEST(FilesTest, FindNoCaseFindsEachPathComponent) {
    TempDir dir;
    WriteFile(dir.file("ini/Folders/Genre.ini"), "");
    EXPECT_EQ(FindNoCase(dir.str() + "ini", "folders/genre.INI"),
              dir.str() + "ini/Folders/Genre.ini");
    EXPECT_EQ(FindNoCase(dir.str() + "ini/", "Folders/Genre.ini"),
              dir.str() + "ini/Folders/Genre.ini");
    EXPECT_EQ(FindNoCase(dir.str() + "ini", "folders/missing.ini"),
              dir.str() + "ini/folders/missing.ini");
}

TEST(FilesTest, SmallStringHelpers) {
    EXPECT_EQ(WithTrailingSlash("/a/") + WithTrailingSlash(""), "/a/");
    EXPECT_EQ(BaseName("C:\\MAME\\mame.exe"), "mame.exe");
    EXPECT_EQ(BaseName("/x/"), "");
    EXPECT_EQ(ToUpperAscii("abcé") + ToLowerAscii("É"), "ABCéÉ");
    EXPECT_EQ(Trim("   "), "");
}

}  // namespace
}  // namespace arc
