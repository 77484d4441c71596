#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "cli/CliRunTest.h"
#include "collection/CollectionGameDb.h"
#include "collection/Search.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "database/FullTextIndex.h"
#include "database/UserDatabase.h"

namespace arc {
namespace {

namespace fs = std::filesystem;

class CollectionCliTest : public test::CliRunTest<test::CollectionTest> {
  protected:
    CollectionCliTest() {
        MakeGames({{.name = "pacman", .title = "Pac-Man", .genre = "Maze"},
                   {.name = "galaga", .title = "Galaga", .year = "1981", .genre = "Shooter"},
                   {.name = "abcdefghijklm", .title = "Thirteen", .genre = "Shooter"}});
        db = TheSettings().DatabasePath;
    }

    std::string db;
    test::RecordedProgress progress;
    TaskContext context{progress, ui()};
};

TEST_F(CollectionCliTest, ListRomsPrintsTheSummary) {
    AddRom("pacman.zip");
    AddRom("galaga/");
    EXPECT_EQ(Run({"list-roms", "--db", db, "--roms", Roms()}), 0) << err;
    EXPECT_EQ(out, "Done.\n2 scanned file(s).\n2 listed roms.\n2" + Text(kTextSetsAdded) + "\n0" +
                       Text(kTextSetsNoLongerFound) + "\n");

    fs::remove_all(Roms());
    fs::create_directories(Roms());
    EXPECT_EQ(Run({"list-roms", "--db", db, "--roms", Roms()}), 1);
    EXPECT_NE(err.find("No rom could be found in"), std::string::npos);

    // A broken database is named, not taken for an unscanned ROM folder.
    AddRom("pacman.zip");
    test::WriteFile(db, std::string(2048, 'x'));
    EXPECT_EQ(Run({"list-roms", "--db", db, "--roms", Roms()}), 1);
    EXPECT_NE(err.find(Text(kTextDatabaseUnreadable) + db), std::string::npos) << err;
    EXPECT_EQ(err.find("not scanned"), std::string::npos);
}

TEST_F(CollectionCliTest, SearchCopyWithNoArchiveFoundSaidDone) {
    const std::string copies = home.str() + "copies/";
    EXPECT_EQ(Run({"--yes", "search", "--db", db, "--roms", Roms(), "--genre", "Shooter",
                   "--copy-to", copies}),
              1);
    EXPECT_NE(err.find("2" + Text(kTextArchivesNotFound) + Roms()), std::string::npos) << err;
    EXPECT_EQ(err.find(Text(kTextDone)), std::string::npos);
}

TEST_F(CollectionCliTest, SearchLeftWalFilesAndAFailedOneRewroteTheSettings) {
    ASSERT_TRUE(SaveSettings());
    const std::string settings = test::ReadFile(home.str() + "Arcanote.inf");
    const std::string garbage = home.str() + "garbage.mdb";
    test::WriteFile(garbage, std::string(2048, 'x'));
    EXPECT_EQ(Run({"search", "--genre", "Maze"}), 0) << err;
    EXPECT_EQ(out, "pacman       Pac-Man\n");
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        EXPECT_FALSE(fs::exists(db + suffix)) << suffix;
    EXPECT_EQ(Run({"search", "--db", garbage}), 1);
    EXPECT_NE(err.find(garbage), std::string::npos) << err;
    EXPECT_EQ(test::ReadFile(home.str() + "Arcanote.inf"), settings);
}

TEST_F(CollectionCliTest, SearchPrintsTheQueryAndTheLines) {
    EXPECT_EQ(
        Run({"search", "--db", db, "--genre", "Shooter", "--available", "no", "--show-query"}), 0)
        << err;
    EXPECT_EQ(out,
              "SELECT internalname, gamename FROM Data WHERE Genre='Shooter' AND gotit=false "
              "ORDER BY GameName\n"
              "galaga       Galaga\n"
              "abcdefghijklmThirteen\n");
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
        << err;
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

TEST_F(CollectionCliTest, SearchTsvReadsBackWithCutIntoTheQuerysRows) {
    MakeGames({{.name = "pacman", .title = "Pac-Man", .year = "1980", .manufacturer = "Namco"},
               {.name = "longsetname1234", .title = "Long\tName", .manufacturer = "Maker"},
               {.name = "galaga", .title = "Galaga", .year = "1981", .manufacturer = "Namco"}});
    const SearchOutcome query =
        RunSearch({db, FixedSearchCombos(), FixedAuditCombo(), {}}, context);
    ASSERT_EQ(query.results.size(), 3u);
    ASSERT_EQ(Run({"search", "--db", db, "--format", "tsv", "--show-query"}), 0) << err;
    EXPECT_NE(err.find(query.query + "\n"), std::string::npos) << err;  // not in the table
    const std::string tsv = home.str() + "found.tsv";
    test::WriteFile(tsv, out);
    auto cut = [&](const std::string& fields) {
        std::string text;
        FILE* pipe = popen(("cut -f" + fields + " '" + tsv + "'").c_str(), "r");
        char buffer[256];
        while (pipe && fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        if (pipe) pclose(pipe);
        return text;
    };
    std::string names = "set\n", rest = "title\tyear\tmanufacturer\n";
    for (const SearchResult& result : query.results) {
        names += result.internalName + "\n";
        std::string title = result.gameName;
        std::replace(title.begin(), title.end(), '\t', ' ');
        rest += title + "\t" + result.year + "\t" + result.manufacturer + "\n";
    }
    EXPECT_EQ(cut("1"), names);
    EXPECT_EQ(cut("2-4"), rest);
}

TEST_F(CollectionCliTest, SearchTextNeedsTheIndexThenFindsTheBestFirst) {
    ASSERT_TRUE(OpenDatabase(db));
    Execute(
        "INSERT INTO History (CodeHistory, Description) VALUES (1, 'Bees.'), (2, 'Bees bees.')");
    Execute("UPDATE Data SET CodeHistory = 1 WHERE InternalName = 'galaga'");
    Execute("UPDATE Data SET CodeHistory = 2 WHERE InternalName = 'abcdefghijklm'");
    CloseDatabase();
    EXPECT_EQ(Run({"search", "--db", db, "--text", "bees"}), 1);
    EXPECT_NE(err.find("run build or update"), std::string::npos) << err;
    EXPECT_EQ(out, "");
    ASSERT_TRUE(OpenDatabase(db));
    BuildFullTextIndex();
    CloseDatabase();
    EXPECT_EQ(Run({"search", "--db", db, "--text", "bees", "--year-to", "1985"}), 0) << err;
    EXPECT_EQ(out, "galaga       Galaga\n");
    EXPECT_EQ(Run({"search", "--db", db, "--text", "bee"}), 0) << err;
    EXPECT_EQ(out, "abcdefghijklmThirteen\ngalaga       Galaga\n");
    EXPECT_EQ(Run({"search", "--db", db, "--text", "bees", "--keyword", "x"}), 2);
}

TEST_F(CollectionCliTest, FavouritesAreMarkedListedFoundAndExported) {
    EXPECT_EQ(Run({"favourites", "--db", db, "--add", "galaga", "pacman", "nosuch"}), 1);
    EXPECT_NE(err.find("nosuch"), std::string::npos) << err;
    UserDatabase(UserDatabase::PathBeside(db)).SetFavourite("dropped", true);
    EXPECT_EQ(Run({"favourites", "--db", db}), 0);
    EXPECT_EQ(out, "dropped\tmissing\ngalaga\npacman\n");
    EXPECT_EQ(Run({"search", "--db", db, "--favourites", "--genre", "Shooter"}), 0) << err;
    EXPECT_EQ(out, "galaga       Galaga\n");

    const std::string ini = home.str() + "folders/Favourites.ini";
    EXPECT_EQ(Run({"favourites", "--db", db, "--remove", "pacman", "--export", "--to", ini}), 0)
        << err;
    EXPECT_NE(test::ReadFile(ini).find("[Favourites]\r\ndropped\r\ngalaga\r\n"), std::string::npos);
    // The file is replaced only with --overwrite, never by --yes.
    EXPECT_EQ(Run({"--yes", "favourites", "--db", db, "--add", "pacman", "--export", "--to", ini}),
              1);
    EXPECT_EQ(test::ReadFile(ini).find("pacman"), std::string::npos);
    EXPECT_EQ(Run({"favourites", "--db", db, "--export", "--to", ini, "--overwrite"}), 0) << err;
    EXPECT_NE(test::ReadFile(ini).find("galaga\r\npacman\r\n"), std::string::npos);
}

}  // namespace
}  // namespace arc
