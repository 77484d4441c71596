#include <algorithm>
#include <filesystem>
#include <thread>

#include "core/Files.h"
#include "core/Settings.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;

/// A program folder with the trash pointed into it.
class FilesTest : public test::ProgramFolderTest {
  protected:
    std::string trash(std::string_view relative) const {
        return home.file("data/Trash/" + std::string(relative));
    }
    test::ScopedEnv dataHome{"XDG_DATA_HOME", home.file("data")};
};

TEST_F(FilesTest, ExistenceTestsNeverFailAndSafeFileNameReplacesForbiddenCharacters) {
    WriteFile(home.file("a.txt"), "x");
    EXPECT_TRUE(FileExists(home.file("a.txt")) && FolderExists(home.str()));
    EXPECT_FALSE(FolderExists(home.file("a.txt")) || FileExists(home.str()));
    EXPECT_FALSE(FileExists("") || FolderExists("") || FileExists(home.file("a.txt/below")));
    EXPECT_EQ(SafeFileName("AC/DC?"), "AC_DC_");
    EXPECT_EQ(SafeFileName("a\\b:c|d<e>f*g"), "a_b_c_d_e_f_g");
    EXPECT_EQ(SafeFileName("Pac-Man (Midway) é"), "Pac-Man (Midway) é");
}

TEST_F(FilesTest, PatternsMatchWithoutRegardToCase) {
    for (const auto& [name, pattern] : {std::pair{"PACMAN.ZIP", "*.zip"},
                                        {"a.png", "?.PNG"},
                                        {"README", "*.*"},  // as on the original platform
                                        {"", "*"},
                                        {"aXbYb", "a*b"}})
        EXPECT_TRUE(MatchesPattern(name, pattern)) << name;
    EXPECT_FALSE(MatchesPattern("ab.png", "?.png") || MatchesPattern("pacman.zip.bak", "*.zip"));
}

TEST_F(FilesTest, ListFolderFiltersByPatternAndKindSorted) {
    WriteFile(home.file("b.ZIP"), "");
    WriteFile(home.file("a.zip"), "");
    WriteFile(home.file("c.txt"), "");
    std::filesystem::create_directories(home.file("d.zip"));
    EXPECT_EQ(ListFolder(home.str(), "*.zip"),
              (std::vector<std::string>{"a.zip", "b.ZIP", "d.zip"}));
    EXPECT_EQ(ListFolder(home.str(), "*.zip", EntryKind::Files),
              (std::vector<std::string>{"a.zip", "b.ZIP"}));
    EXPECT_EQ(ListFolder(home.str(), "*.zip", EntryKind::Folders),
              (std::vector<std::string>{"d.zip"}));
    EXPECT_TRUE(ListFolder(home.file("missing"), "*").empty());
}

TEST_F(FilesTest, FindNoCaseFindsEachPathComponent) {
    WriteFile(home.file("ini/Folders/Genre.ini"), "");
    EXPECT_EQ(FindNoCase(home.str() + "ini", "folders/genre.INI"),
              home.str() + "ini/Folders/Genre.ini");
    EXPECT_EQ(FindNoCase(home.str() + "ini/", "Folders/Genre.ini"),
              home.str() + "ini/Folders/Genre.ini");
    EXPECT_EQ(FindNoCase(home.str() + "ini", "folders/missing.ini"),
              home.str() + "ini/folders/missing.ini");
}

TEST_F(FilesTest, BrowseFolderStartsOnTheStartFolderAndEndsWithASeparator) {
    const struct {
        const char* start;
        const char* chosen;  // nullptr: cancelled
        const char* opened;
        const char* result;
    } cases[] = {
        {"/home/user/roms/", nullptr, "/home/user/roms", "/home/user/roms/"},
        {"/home/user/mame/mame", nullptr, "/home/user/mame", "/home/user/mame/mame/"},
        {"/", nullptr, "/", "/"},
        {"/start/", "/data/roms", "/start", "/data/roms/"},
        {"/start/", "/data/art/", "/start", "/data/art/"},
    };
    for (const auto& c : cases) {
        if (c.chosen) ui().QueueFolder(c.chosen);
        EXPECT_EQ(BrowseFolder(c.start, "Pick"), c.result) << c.start;
        EXPECT_EQ(ui().folderRequests.back(), c.opened) << c.start;
    }
    EXPECT_EQ(BrowseFolder("", "Pick"), "");
    EXPECT_FALSE(ui().folderRequests.back().empty());
}

TEST_F(FilesTest, ChooseDatabaseFileStoresTheChoiceAndSavesTheSettings) {
    ui().QueueFile("/games/other.mdb");
    EXPECT_EQ(ChooseDatabaseFile(), "/games/other.mdb");
    EXPECT_EQ(TheSettings().DatabasePath, "/games/other.mdb");
    EXPECT_EQ(ReadFile(home.file("Arcanote.inf")).rfind("/games/other.mdb\r\n", 0), 0u);
    bool cancelled = false;
    EXPECT_EQ(ChooseDatabaseFile(&cancelled), "/games/other.mdb");
    EXPECT_TRUE(cancelled);
}

TEST_F(FilesTest, TasksUseTheOpenDatabaseAndAskOnlyWhenNoneIsSet) {
    TheSettings().DatabasePath.clear();
    ui().QueueFile(home.file("chosen.mdb"));
    EXPECT_EQ(ConfirmDatabaseFile(), home.file("chosen.mdb"));  // none set: the chooser
    EXPECT_EQ(ui().fileRequests.size(), 1u);
    EXPECT_EQ(ConfirmDatabaseFile(), "");  // a missing file asks again; Cancel stops
    EXPECT_EQ(ui().fileRequests.size(), 2u);
    WriteFile(home.file("open.mdb"), "db");
    TheSettings().DatabasePath = home.file("open.mdb");
    EXPECT_EQ(ConfirmDatabaseFile(), home.file("open.mdb"));
    EXPECT_EQ(ui().fileRequests.size(), 2u);  // no chooser for the open database
}

/// The state letter of a process ('Z' zombie), or 0 once it is gone.
char ProcessState(const std::string& pid) {
    const std::string stat = test::ReadFile("/proc/" + pid + "/stat");
    const std::size_t close = stat.rfind(')');
    return close == std::string::npos || close + 2 >= stat.size() ? 0 : stat[close + 2];
}

TEST_F(FilesTest, RunAndWaitReturnsTheExitCodeAndItsStopKillsTheProgramsGroup) {
    EXPECT_EQ(RunAndWait("exit 127"), 127);  // a shell word, not a missing program
    WriteFile(home.file("tmp.sh"), "echo done > \"$1\"\nexit 4\n");
    EXPECT_EQ(RunAndWait("/bin/sh \"" + home.file("tmp.sh") + "\" \"" + home.file("out") + "\""),
              4);
    EXPECT_TRUE(FileExists(home.file("out")));
    EXPECT_EQ(RunAndWait("kill -9 $$"), -1000 - 9);  // a killed program is negative
    // A cancelled task's program stops, and so does what it started.
    const std::string pidFile = home.file("child.pid");
    int asked = 0;
    const StopCheck stop = [&] {
        ++asked;
        return FileExists(pidFile) && !test::ReadFile(pidFile).empty();
    };
    EXPECT_EQ(RunAndWait("sleep 30 & echo $! > \"" + pidFile + "\"; wait", stop), -1000 - 9);
    EXPECT_GE(asked, 1);
    const std::string child(Trim(test::ReadFile(pidFile)));
    for (int i = 0; i < 2000 && ProcessState(child) != 0 && ProcessState(child) != 'Z'; ++i)
        std::this_thread::yield();
    EXPECT_TRUE(ProcessState(child) == 0 || ProcessState(child) == 'Z') << child;
    // Arguments reach the program as they are, without a shell.
    EXPECT_EQ(RunProgramAndWait({"sh", "-c", "exit $0", "9"}), 9);
    EXPECT_EQ(RunProgramAndWait({"/bin/sh", "-c", "test \"$0\" = 'a b;c'", "a b;c"}), 0);
}

TEST_F(FilesTest, AProgramThatCannotStartGivesANegativeResult) {
    EXPECT_LT(RunAndWait(home.file("no-such-program")), 0);
    EXPECT_LT(RunAndWait("\"" + home.file("no such program") + "\" arg"), 0);
    EXPECT_LT(RunAndWait("arcanote-no-such-command-anywhere"), 0);
    WriteFile(home.file("not-executable"), "#!/bin/sh\n");
    EXPECT_LT(RunAndWait(home.file("not-executable")), 0);
    EXPECT_LT(RunProgramAndWait({home.file("no-such-program")}), 0);
    EXPECT_LT(RunProgramAndWait({"arcanote-no-such-command-anywhere"}), 0);
    EXPECT_LT(RunProgramAndWait({}), 0);
}

TEST_F(FilesTest, ShellCopyCopiesAndMovesFilesWildcardMatchesAndFoldersReplacingSilently) {
    WriteFile(home.file("src/pacman.zip"), "new");
    WriteFile(home.file("dest/pacman.zip"), "old");
    EXPECT_TRUE(ShellCopy(home.file("src/pacman.zip"), home.str() + "dest/"));
    EXPECT_EQ(ReadFile(home.file("dest/pacman.zip")), "new");
    EXPECT_TRUE(ShellCopy(home.file("src/pacman.zip"), home.str() + "made/deep/"));
    EXPECT_EQ(ReadFile(home.file("made/deep/pacman.zip")), "new");
    EXPECT_TRUE(ShellCopy(home.file("src/pacman.zip"), home.file("other/renamed.zip")));
    EXPECT_EQ(ReadFile(home.file("other/renamed.zip")), "new");
    EXPECT_TRUE(std::filesystem::exists(home.file("src/pacman.zip")));

    // Wildcards match without regard to case.
    WriteFile(home.file("art/a.PNG"), "a");
    WriteFile(home.file("art/b.png"), "b");
    WriteFile(home.file("art/c.jpg"), "c");
    EXPECT_TRUE(ShellCopy(home.str() + "art/*.png", home.str() + "out"));
    EXPECT_EQ(ListFolder(home.file("out"), "*"), (std::vector<std::string>{"a.PNG", "b.png"}));
    EXPECT_TRUE(ShellCopy(home.str() + "art/*.gif", home.str() + "none/"));

    // Folders are copied recursively and merged into existing ones.
    WriteFile(home.file("skin/html/style.css"), "css");
    WriteFile(home.file("skin/index.jpg"), "jpg");
    WriteFile(home.file("site/skin/keep.txt"), "keep");
    EXPECT_TRUE(ShellCopy(home.file("skin"), home.str() + "site/"));
    EXPECT_EQ(ReadFile(home.file("site/skin/html/style.css")), "css");
    EXPECT_EQ(ReadFile(home.file("site/skin/index.jpg")), "jpg");
    EXPECT_EQ(ReadFile(home.file("site/skin/keep.txt")), "keep");

    // Moves take files and folders away.
    WriteFile(home.file("roms/pacman.zip"), "p");
    WriteFile(home.file("roms/mspacman/a.bin"), "a");
    WriteFile(home.file("moved/pacman.zip"), "old");
    EXPECT_TRUE(ShellCopy(home.file("roms/pacman.zip"), home.str() + "moved/", ShellOp::Move));
    EXPECT_EQ(ReadFile(home.file("moved/pacman.zip")), "p");
    EXPECT_FALSE(std::filesystem::exists(home.file("roms/pacman.zip")));
    EXPECT_TRUE(ShellCopy(home.file("roms/mspacman"), home.str() + "moved/", ShellOp::Move));
    EXPECT_EQ(ReadFile(home.file("moved/mspacman/a.bin")), "a");
    EXPECT_FALSE(std::filesystem::exists(home.file("roms/mspacman")));
}

TEST_F(FilesTest, ShellCopyRefusesMissingSourcesAndFoldersIntoThemselves) {
    EXPECT_FALSE(ShellCopy(home.file("missing.zip"), home.str() + "dest/"));
    WriteFile(home.file("tree/f"), "f");
    EXPECT_FALSE(ShellCopy(home.file("tree"), home.str() + "tree/inner/"));
    EXPECT_FALSE(ShellCopy(home.file("tree"), home.str() + "tree/inner/", ShellOp::Move));
    EXPECT_EQ(ReadFile(home.file("tree/f")), "f");
    EXPECT_FALSE(ShellCopy(home.file("tree/f"), home.file("tree/f")));
    EXPECT_EQ(ReadFile(home.file("tree/f")), "f");
}

TEST_F(FilesTest, TrashKeepsTheInfoTheDesktopNeedsToRestoreAFileAndNumbersClashes) {
    WriteFile(home.file("my roms/pac%man.zip"), "zip");
    ASSERT_TRUE(RecycleFile(home.file("my roms/pac%man.zip")));
    EXPECT_FALSE(std::filesystem::exists(home.file("my roms/pac%man.zip")));
    EXPECT_EQ(ReadFile(trash("files/pac%man.zip")), "zip");
    const std::string info = ReadFile(trash("info/pac%man.zip.trashinfo"));
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=", 0), 0u) << info;
    EXPECT_NE(info.find("/my%20roms/pac%25man.zip\n"), std::string::npos) << info;
    EXPECT_NE(info.find("\nDeletionDate="), std::string::npos);
    // A name clash gets a numbered name.
    WriteFile(home.file("b/pac%man.zip"), "2");
    ASSERT_TRUE(RecycleFile(home.file("b/pac%man.zip")));
    EXPECT_EQ(ReadFile(trash("files/pac%man.2.zip")), "2");
    EXPECT_NE(ReadFile(trash("info/pac%man.2.zip.trashinfo")).find("/b/pac%25man.zip"),
              std::string::npos);
}

TEST_F(FilesTest, TrashTakesFoldersAndEveryMatchOfAPatternAndRefusesItself) {
    WriteFile(home.file("site/index.htm"), "i");
    WriteFile(home.file("site/html/a.htm"), "a");
    ASSERT_TRUE(RecycleFile(home.str() + "site/*.*"));
    EXPECT_TRUE(ListFolder(home.file("site"), "*").empty());
    EXPECT_EQ(ReadFile(trash("files/html/a.htm")), "a");
    ASSERT_TRUE(RecycleFile(home.str() + "site/"));
    EXPECT_FALSE(std::filesystem::exists(home.file("site")));
    // Nothing to move is false.
    EXPECT_FALSE(RecycleFile(home.file("missing.zip")));
    EXPECT_FALSE(RecycleFile(home.str() + "nothing/*.zip"));
    WriteFile(home.file("data/Trash/files/old.txt"), "old");
    EXPECT_FALSE(RecycleFile(home.file("data")));  // holds the trash itself
    EXPECT_FALSE(RecycleFile(home.file("data/Trash")));
    EXPECT_TRUE(std::filesystem::exists(home.file("data")));
}

}  // namespace
}  // namespace arc
