#include <gtest/gtest.h>

#include <filesystem>

#include "collection/CollectionGameDb.h"
#include "core/Settings.h"
#include "support/CliRun.h"

namespace arc {
namespace {

namespace fs = std::filesystem;

class CollectionCliTest : public test::CollectionTest {
  protected:
    CollectionCliTest() {
        MakeGames({{.name = "pacman", .title = "Pac-Man", .genre = "Maze"},
                   {.name = "galaga", .title = "Galaga", .year = "1981", .genre = "Shooter"},
                   {.name = "abcdefghijklm", .title = "Thirteen", .genre = "Shooter"}});
        db = TheSettings().DatabasePath;
    }

    /// The shared in-process runner; "--yes" may come first.
    int Run(const std::vector<std::string>& args) {
        run = test::RunCommand(home.str(), args[0], {args.begin() + 1, args.end()});
        return run.code;
    }

    std::string db;
    test::CliRun run;
};

TEST_F(CollectionCliTest, ListRomsPrintsTheSummary) {
    AddRom("pacman.zip");
    AddRom("galaga/");
    EXPECT_EQ(Run({"list-roms", "--db", db, "--roms", Roms()}), 0) << run.err;
    EXPECT_EQ(run.out, "Done.\n2 scanned file(s).\n2 listed roms.\n");

    fs::remove_all(Roms());
    fs::create_directories(Roms());
    EXPECT_EQ(Run({"list-roms", "--db", db, "--roms", Roms()}), 1);
    EXPECT_NE(run.err.find("No rom could be found in"), std::string::npos);
    EXPECT_EQ(Run({"list-roms", "--bogus"}), 2);
}

TEST_F(CollectionCliTest, SearchPrintsTheQueryAndTheLines) {
    EXPECT_EQ(
        Run({"search", "--db", db, "--genre", "Shooter", "--available", "no", "--show-query"}), 0)
        << run.err;
    EXPECT_EQ(run.out,
              "SELECT internalname, gamename FROM Data WHERE Genre='Shooter' AND gotit=false "
              "ORDER BY GameName\n"
              "galaga       Galaga\n"
              "abcdefghijklmThirteen\n");
    EXPECT_EQ(Run({"search", "--db", db, "--clones", "maybe"}), 2);
    EXPECT_EQ(Run({"search", "--db", db, "--year"}), 2);
    EXPECT_EQ(Run({"search", "--db", db, "--backup"}), 2);
}

TEST_F(CollectionCliTest, SearchActsOnTheRealSetNames) {
    AddRom("abcdefghijklm.zip", "thirteen");
    AddRom("abcdefghijkl.zip", "twelve");
    AddRom("galaga.zip", "galaga");
    const std::string ini = home.str() + "shooters.ini";
    const std::string copies = home.str() + "copies/";
    EXPECT_EQ(Run({"--yes", "search", "--db", db, "--roms", Roms(), "--genre", "Shooter", "--ini",
                   ini, "--folder", "Shooters", "--copy-to", copies, "--delete", "--backup"}),
              0)
        << run.err;
    EXPECT_NE(test::ReadFile(ini).find("[Shooters]\r\ngalaga\r\nabcdefghijklm\r\n"),
              std::string::npos);
    EXPECT_EQ(test::ReadFile(copies + "abcdefghijklm.zip"), "thirteen");
    EXPECT_FALSE(fs::exists(Roms() + "abcdefghijklm.zip"));
    EXPECT_FALSE(fs::exists(Roms() + "galaga.zip"));
    EXPECT_TRUE(fs::exists(Roms() + "abcdefghijkl.zip"));
    EXPECT_EQ(test::ReadFile(TheSettings().BackupFolder + "galaga.zip"), "galaga");
    // An existing INI file is replaced only with --overwrite, never by --yes.
    EXPECT_EQ(Run({"--yes", "search", "--db", db, "--genre", "Maze", "--ini", ini}), 1);
    EXPECT_NE(test::ReadFile(ini).find("[Shooters]"), std::string::npos);

    // --move-to is the consent to move, with or without --yes.
    AddRom("galaga.7z", "galaga");
    EXPECT_EQ(Run({"search", "--db", db, "--roms", Roms(), "--genre", "Shooter", "--move-to",
                   home.str() + "moved/"}),
              0);
    EXPECT_EQ(test::ReadFile(home.str() + "moved/galaga.7z"), "galaga");
}

}  // namespace
}  // namespace arc
