// Faults found by running the command line as a user would.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Files.h"
#include "database/Database.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"
#include "support/ZipBuilder.h"

namespace arc {
namespace {

using test::ReadFile;
using test::RunCommand;
using test::WriteFile;

class UserScenariosTest : public test::ProgramFolderTest {
  protected:
    ~UserScenariosTest() override { CloseDatabase(); }

    /// Builds home/Arcanote.mdb holding pacman and puckman.
    void BuildDatabase() {
        WriteFile(home.file("list.xml"),
                  "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n"
                  "<machine name=\"pacman\"><description>Pac-Man</description></machine>\n"
                  "<machine name=\"puckman\"><description>Puck Man</description></machine>\n"
                  "</mame>\n");
        const test::CliRun run =
            RunCommand(home.str(), "build", {"--yes", "--listxml", home.file("list.xml")});
        ASSERT_EQ(run.code, 0) << run.err;
    }
    /// The database path saved in the settings (their first line).
    std::string SavedDatabase() {
        const std::string text = ReadFile(home.file("Arcanote.inf"));
        return text.substr(0, text.find('\r'));
    }
};

TEST_F(UserScenariosTest, MissingSourceFolderIsAFailureNotDone) {
    const std::string missing = home.file("none");
    const std::vector<std::string> cases[] = {{"zip-all", "--from", missing, "--to", home.str()},
                                              {"unzip-all", "--from", missing, "--to", home.str()},
                                              {"images", "copy", "--source", missing}};
    for (const std::vector<std::string>& args : cases) {
        const test::CliRun run =
            RunCommand(home.str(), args[0], std::vector<std::string>(args.begin() + 1, args.end()));
        EXPECT_NE(run.code, 0) << args[0];
        EXPECT_NE(ToLowerAscii(run.err).find("no such folder: " + ToLowerAscii(missing)),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(run.err.find("Done."), std::string::npos) << run.err;
    }
}

// Regression: a command's options once reached the saved settings (the build's
// import choices, the download list, a search's database). Every option here
// is for its run alone.
TEST_F(UserScenariosTest, OptionsOfOneRunNeverChangeTheSavedSettings) {
    BuildDatabase();
    const std::string database = SavedDatabase();
    ASSERT_EQ(database, home.file("Arcanote.mdb"));
    std::filesystem::copy_file(database, home.file("other.mdb"));
    WriteFile(home.file("roms/pacman.zip"), "");
    WriteFile(home.file("art/snap/pacman.png"), "png");
    test::WriteZip(home.file("pack.zip"), {{"a.txt", "alpha"}});
    WriteFile(home.file("cut.xml"), ReadFile(home.file("list.xml")).substr(0, 60));
    const std::string settings = ReadFile(home.file("Arcanote.inf"));
    const std::vector<std::string> cases[] = {
        {"list-roms", "--db", home.file("other.mdb"), "--roms", home.file("roms")},
        {"search", "--db", home.file("missing.mdb")},
        {"search", "--db", home.file("other.mdb"), "--roms", home.file("roms")},
        {"build", "--yes", "--listxml", home.file("list.xml"), "--method", "dom", "--data",
         "defined", "--fresh-list"},
        {"build", "--db", home.file("failed.mdb"), "--listxml", home.file("cut.xml")},
        {"download", "--entries", "History", "--copy-to-paths"},
        {"translate", "--create-dictionary", "--files", "Genre"},
        {"unzip", home.file("pack.zip"), "--to", home.file("unpacked")},
        {"zip-all", "--from", home.file("roms"), "--to", home.file("packed")},
        {"images", "copy", "--source", home.file("art"), "--kinds", "snap"},
        {"sheets", "--out", home.file("site"), "--no-clones", "--substitutes"}};
    for (const std::vector<std::string>& args : cases) {
        const test::CliRun run =
            RunCommand(home.str(), args[0], std::vector<std::string>(args.begin() + 1, args.end()));
        EXPECT_NE(run.code, 2) << run.err;  // the options were taken
        EXPECT_EQ(ReadFile(home.file("Arcanote.inf")), settings) << args[0] << ' ' << args[1];
    }
}

TEST_F(UserScenariosTest, NotesWriteKeepsOldNotesOfGamesNoLongerInTheDatabase) {
    BuildDatabase();
    setenv("XDG_DATA_HOME", home.file("xdg").c_str(), 1);
    WriteFile(home.file("Notes/pacman.txt"), "[pacman] Pac-Man\r\nmine\r\n");
    WriteFile(home.file("Notes/gone.txt"), "[gone] Gone\r\nkept\r\n");
    const test::CliRun run = RunCommand(home.str(), "notes", {"write"});
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(ReadFile(home.file("NOTES.TXT")).find("Pac-Man\r\nmine\r\n"), std::string::npos);
    EXPECT_FALSE(FileExists(home.file("Notes/pacman.txt")));
    EXPECT_EQ(ReadFile(home.file("Notes/gone.txt")), "[gone] Gone\r\nkept\r\n");
}

}  // namespace
}  // namespace arc
