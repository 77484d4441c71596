#include <gtest/gtest.h>

#include "core/ErrorGuard.h"
#include "database/Database.h"
#include "database/FullTextIndex.h"
#include "database/UserDatabase.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

class UserDataTest : public test::ProgramFolderTest {
  protected:
    std::string user() { return UserDatabase::PathBeside(home.file("Arcanote.mdb")); }
};

TEST_F(UserDataTest, FavouritesPlaysRatingsAndOptionsAreKeptPerListAndSet) {
    {
        UserDatabase db(user());
        db.SetFavourite("galaga", true);
        db.SetFavourite("smb", true, "nes");
        db.SetFavourite("dkong", true);
        db.SetFavourite("dkong", false);
        db.RecordPlay("galaga", 1000, 60);
        db.RecordPlay("galaga", 3000, 30);
        db.RecordPlay("pacman", 2000, -5);  // a clock set back counts no time
        db.SetRating("galaga", 9);
        db.SetEmulatorOptions("galaga", "-nofilter -sound none");
    }
    const UserDatabase db(user());  // reopened: everything was written
    EXPECT_EQ(db.Favourites(), std::vector<std::string>{"galaga"});
    EXPECT_TRUE(db.IsFavourite("GALAGA"));
    EXPECT_TRUE(db.IsFavourite("smb", "nes"));
    EXPECT_FALSE(db.IsFavourite("smb"));
    const auto stats = db.AllPlayStats();
    ASSERT_EQ(stats.size(), 2u);
    EXPECT_EQ(stats.at("galaga").count, 2);
    EXPECT_EQ(stats.at("galaga").totalSeconds, 90);
    EXPECT_EQ(stats.at("galaga").lastPlayed, 3000);
    EXPECT_EQ(stats.at("pacman").totalSeconds, 0);
    EXPECT_EQ(db.RecentlyPlayed(5), (std::vector<std::string>{"galaga", "pacman"}));
    EXPECT_EQ(db.Rating("galaga"), 5);
    EXPECT_EQ(db.EmulatorOptions("galaga"), "-nofilter -sound none");
    EXPECT_EQ(db.EmulatorOptions("pacman"), "");
}

TEST_F(UserDataTest, AFileThatIsNoDatabaseIsRefused) {
    test::WriteFile(user(), std::string(4096, 'x'));
    EXPECT_THROW(UserDatabase{user()}, AppError);
}

TEST(FullTextQuery, WordsAreTakenLiterallyAndTheLastAsAPrefix) {
    EXPECT_EQ(FullTextQuery("Donkey  KONG"), "\"donkey\" \"kong\"*");
    // Operators and quotes of FTS5 are not passed on.
    EXPECT_EQ(FullTextQuery("a\" OR b NEAR(c)*"), "\"a\" \"or\" \"b\" \"near\" \"c\"*");
    EXPECT_EQ(FullTextQuery(" \"-* "), "");
}

class FullTextTest : public test::ProgramFolderTest {
  protected:
    FullTextTest() {
        path = home.file("Arcanote.mdb");
        std::string error;
        EXPECT_TRUE(CreateTemplateDatabase(path, &error)) << error;
        EXPECT_TRUE(OpenDatabase(path));
        Execute(
            "INSERT INTO History (CodeHistory, Description, trivia) VALUES "
            "(1, 'A gorilla throws barrels.', 'Jumpman later became Mario.'), "
            "(2, 'Shoot the bees.', 'Dual fighter capture.')");
        Execute(
            "INSERT INTO Data (InternalName, GameName, CodeHistory, MameInfo) VALUES "
            "('dkong', 'Donkey Kong', 1, NULL), ('dkongj', 'Donkey Kong (Japan)', 1, NULL), "
            "('galaga', 'Galaga', 2, 'Bees in formation.'), ('pacman', 'Pac-Man', NULL, NULL)");
        Execute(
            "INSERT INTO Command (InternalName, cmd, info) VALUES ('pacman', 'Moves', "
            "'Eat the power pellet')");
        BuildFullTextIndex();
    }
    ~FullTextTest() override { CloseDatabase(); }

    std::vector<std::string> Names(std::string_view words) {
        std::vector<std::string> names;
        for (const FullTextMatch& match : SearchFullText(nullptr, words))
            names.push_back(match.name);
        return names;
    }

    std::string path;
};

TEST_F(FullTextTest, HistoryMameinfoAndCommandTextsAreSearchedForEveryWord) {
    EXPECT_TRUE(HasFullTextIndex(nullptr));
    EXPECT_EQ(Names("mario"), (std::vector<std::string>{"dkong", "dkongj"}));
    EXPECT_EQ(Names("gorilla mario"), (std::vector<std::string>{"dkong", "dkongj"}));
    EXPECT_EQ(Names("gorilla bees"), std::vector<std::string>{});
    EXPECT_EQ(Names("pell"), std::vector<std::string>{"pacman"});  // a word's start
    // Found in History and Mameinfo, the game is listed once.
    EXPECT_EQ(Names("bees"), std::vector<std::string>{"galaga"});
    // Built again after an update, the index follows the texts.
    Execute("UPDATE Data SET MameInfo = 'Gorilla notes' WHERE InternalName = 'pacman'");
    BuildFullTextIndex();
    EXPECT_EQ(Names("gorilla").size(), 3u);
    const ReadOnlyDatabase reader(path);
    EXPECT_EQ(SearchFullText(&reader, "gorilla", 1).size(), 1u);
}

}  // namespace
}  // namespace arc
