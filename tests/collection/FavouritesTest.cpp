#include <gtest/gtest.h>

#include <filesystem>

#include "collection/CollectionGameDb.h"
#include "collection/Favourites.h"
#include "collection/PlayHistory.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "database/UserDatabase.h"

namespace arc {
namespace {

class FavouritesTest : public test::CollectionTest {
  protected:
    FavouritesTest() {
        MakeGames({{.name = "pacman", .title = "Pac-Man"},
                   {.name = "galaga", .title = "Galaga"},
                   {.name = "dkong", .title = "Donkey Kong"}});
        db = TheSettings().DatabasePath;
    }
    Outcome Change(std::vector<std::string> add, std::vector<std::string> remove = {}) {
        return RunFavouritesChange({db, {}, std::move(add), std::move(remove)}, context);
    }

    std::string db;
    test::RecordedProgress progress;
    TaskContext context{progress, ui()};
};

TEST_F(FavouritesTest, AnUnknownSetIsRefusedAndTheOthersAreKept) {
    EXPECT_TRUE(ReadFavourites(db).empty());  // no user database yet
    const Outcome outcome = Change({"galaga", "galagx", "PACMAN"});
    EXPECT_TRUE(outcome.partial());
    EXPECT_EQ(outcome.done, 2);
    EXPECT_NE(outcome.message.find("galagx"), std::string::npos) << outcome.message;
    EXPECT_EQ(ReadFavourites(db), (std::vector<std::string>{"galaga", "PACMAN"}));
    // A set the database no longer has can still be removed; an unmarked one changes nothing.
    UserDatabase(UserDatabase::PathBeside(db)).SetFavourite("gone", true);
    const Outcome removed = Change({}, {"gone", "dkong"});
    EXPECT_TRUE(removed.ok());
    EXPECT_EQ(removed.done, 1);
    EXPECT_EQ(ReadFavourites(db).size(), 2u);
}

TEST_F(FavouritesTest, ExportWritesTheSearchIniFormatAndAsksBeforeReplacing) {
    ASSERT_TRUE(Change({"pacman", "dkong"}).ok());
    const std::string ini = home.str() + "mame/folders/Favourites.ini";  // folder made
    const Outcome outcome = RunFavouritesExport({db, {}, ini, "Favourites"}, context);
    ASSERT_TRUE(outcome.ok()) << outcome.message;
    EXPECT_EQ(outcome.done, 2);
    EXPECT_EQ(test::ReadFile(ini),
              "[FOLDER_SETTINGS]\r\nRootFolderIcon cust1\r\nSubFolderIcon cust2\r\n\r\n\r\n"
              "[Favourites]\r\ndkong\r\npacman\r\n");
    ASSERT_TRUE(Change({}, {"dkong"}).ok());
    ui().QueueAnswer(MsgAnswer::No);
    EXPECT_TRUE(RunFavouritesExport({db, {}, ini, "Favourites"}, context).cancelled());
    EXPECT_NE(test::ReadFile(ini).find("dkong"), std::string::npos);
    ui().QueueAnswer(MsgAnswer::Yes);
    EXPECT_TRUE(RunFavouritesExport({db, {}, ini, "Favourites"}, context).ok());
    EXPECT_EQ(test::ReadFile(ini).find("dkong"), std::string::npos);
}

TEST_F(FavouritesTest, TheExportGoesToTheEmulatorsCategoryFolder) {
    const std::string emulator = home.str() + "mame/";
    std::filesystem::create_directories(home.str() + "cats");
    EXPECT_EQ(FavouritesIniPath({}, emulator), emulator + "folders/Favourites.ini");
    EXPECT_EQ(FavouritesIniPath({{"categorypath", home.str() + "cats"}}, emulator),
              home.str() + "cats/Favourites.ini");
    EXPECT_EQ(FavouritesIniPath({{"categorypath", "missing;" + home.str() + "cats"}}, emulator),
              home.str() + "cats/Favourites.ini");
}

TEST_F(FavouritesTest, PlaysAreRecordedUnlessTheEmulatorRefusedTheGame) {
    EXPECT_TRUE(RecordPlay(db, "pacman", 1000, 30));
    EXPECT_TRUE(RecordPlay(db, "pacman", 2000, 45));
    const auto stats = UserDatabase(UserDatabase::PathBeside(db)).AllPlayStats();
    ASSERT_EQ(stats.count("pacman"), 1u);
    EXPECT_EQ(stats.at("pacman").count, 2);
    EXPECT_EQ(stats.at("pacman").totalSeconds, 75);
    EXPECT_EQ(stats.at("pacman").lastPlayed, 2000);
    // A user database that cannot be written: false, nothing thrown.
    test::WriteFile(home.str() + "broken/Arcanote.user.db", std::string(2048, 'x'));
    EXPECT_FALSE(RecordPlay(home.str() + "broken/games.mdb", "pacman", 1, 1));
    for (const auto& [code, ran] : std::vector<std::pair<int, bool>>{
             {0, true}, {-1, true}, {3, true}, {1, false}, {2, false}, {5, false}, {6, false}})
        EXPECT_EQ(EmulatorRanTheGame(code), ran) << code;
}

}  // namespace
}  // namespace arc
