// The game browser's index, filter, sort and details; its pictures from
// folders and archives; Play's command line and the sheet offer.

#include <gtest/gtest.h>

#include <filesystem>

#include "collection/ArtImages.h"
#include "collection/BrowserLayout.h"
#include "collection/CommandGlyphs.h"
#include "collection/GameActions.h"
#include "collection/GameBrowserQuery.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "database/Schema.h"
#include "database/UserDatabase.h"
#include "support/TestSupport.h"
#include "support/ZipBuilder.h"

namespace arc {
namespace {

class GameBrowserQueryTest : public test::ProgramFolderTest {
  protected:
    GameBrowserQueryTest() {
        path = home.str() + "games.mdb";
        std::string error;
        EXPECT_TRUE(CreateTemplateDatabase(path, &error)) << error;
        Run(
            {"INSERT INTO Data (InternalName, GameName, Year, Manufacturer, Category, nPlayers, "
             "DriverStatus, Working, GotIt, CloneOf, Mature, CodeHistory, MameInfo) VALUES "
             "('pacman', 'Pac-Man', '1980', 'Namco', 'Maze', '2', 'good', 1, 1, NULL, NULL, 7, "
             "'Mameinfo line\r\nsecond'),"
             "('puckman', 'Puck Man', '1980', 'Namco', 'Maze', '2', 'good', 1, NULL, 'pacman', "
             "NULL, NULL, NULL),"
             "('galaga', 'Galaga', '1981', 'namco', 'Shooter', '2', 'imperfect', 1, 1, '', NULL, "
             "NULL, NULL),"
             "('stripx', 'Strip X', '1990', 'Adult', 'Tabletop * Mature *', '1', 'good', 1, NULL, "
             "NULL, NULL, NULL, NULL),"
             "('ladyx', 'Lady X', '1991', 'Adult', 'Puzzle', '1', 'good', 1, 1, NULL, 1, NULL, "
             "NULL),"
             "('newgame', 'New Pac Game', '2001', 'Zeta', 'Maze', '4', 'preliminary', 1, 1, NULL, "
             "NULL, NULL, NULL)",
             "INSERT INTO History (CodeHistory, Description, trivia) VALUES (7, 'Eat dots.', "
             "'Named after paku-paku.')",
             "INSERT INTO Command (InternalName, cmd, info) VALUES ('pacman', 'Moves', 'Up Down'), "
             "('pacman', 'Secrets', 'Hold start')"});
    }

    void Run(std::initializer_list<const char*> statements) {
        ASSERT_TRUE(OpenDatabase(path));
        for (const char* sql : statements)
            Execute(sql);
        CloseDatabase();
    }

    std::vector<std::string> Shown(const BrowserFilter& filter) const {
        std::vector<std::string> names;
        for (int row : query.Match(filter))
            names.push_back(query.Game(row).name);
        return names;
    }

    std::string path;
    GameBrowserQuery query;
};

using Names = std::vector<std::string>;

TEST_F(GameBrowserQueryTest, FilterCombinesWordsOfTitleOrSetWithTheQuickFilters) {
    ASSERT_TRUE(query.Load(path));
    EXPECT_FALSE(query.HasAudit());
    {
        UserDatabase user(UserDatabase::PathBeside(path));
        user.SetFavourite("LADYX", true);
        user.SetFavourite("dropped", true);  // a set this database does not have
        user.RecordPlay("galaga", 100, 5);
    }
    ASSERT_TRUE(query.LoadUserData());
    struct Case {
        BrowserFilter filter;
        Names expected;  // in title order, the best answers to the text first
    };
    const Case cases[] = {
        {{}, {"galaga", "ladyx", "newgame", "pacman", "puckman", "stripx"}},
        {{.text = "  PAC "}, {"pacman", "newgame"}},  // title or set name, any case
        {{.text = "pac game"}, {"newgame"}},          // every word
        {{.text = "uckma"}, {"puckman"}},             // inside the set name
        {{.ownedOnly = true}, {"galaga", "ladyx", "newgame", "pacman"}},
        {{.workingOnly = true}, {"galaga", "ladyx", "pacman", "puckman", "stripx"}},
        {{.noClones = true}, {"galaga", "ladyx", "newgame", "pacman", "stripx"}},
        {{.noMature = true}, {"galaga", "newgame", "pacman", "puckman"}},
        {{.text = "a", .ownedOnly = true, .workingOnly = true, .noClones = true, .noMature = true},
         {"galaga", "pacman"}},
        {{.text = "zzz"}, {}},
        {{.favouritesOnly = true}, {"ladyx"}},
        {{.recentOnly = true}, {"galaga"}},
        {{.yearFrom = "1981", .yearTo = "1991"}, {"galaga", "ladyx", "stripx"}},
        {{.yearTo = "1980"}, {"pacman", "puckman"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Shown(c.filter), c.expected) << c.filter.text;
}

TEST(GameBrowserFilter, ASetNameFirstThenNamesThenTitlesThatBeginWithTheText) {
    EXPECT_EQ(FilterRelevance("dkong\tdonkey kong", "dkong"), 0);
    EXPECT_EQ(FilterRelevance("dkongjr\tdonkey kong junior", "dkong"), 1);
    EXPECT_EQ(FilterRelevance("galagao\tgalaga (older)", "galaga"), 1);
    EXPECT_EQ(FilterRelevance("gallag\tgalaga (bootleg)", "galaga"), 2);
    EXPECT_EQ(FilterRelevance("fantastc\tfantastic (galaga hardware)", "galaga"), 3);
    EXPECT_TRUE(YearInRange("198?", "1985", "1990"));
    EXPECT_FALSE(YearInRange("197?", "1985", ""));
    EXPECT_FALSE(YearInRange("", "1985", ""));
    EXPECT_TRUE(YearInRange("", "", ""));
}

TEST(EmulatorArguments, SplitAtBlanksWithQuotedPartsKeptWhole) {
    using Args = std::vector<std::string>;
    EXPECT_EQ(SplitEmulatorArguments("  -window   -nomax "), (Args{"-window", "-nomax"}));
    EXPECT_EQ(SplitEmulatorArguments("-cfg_directory \"my cfg\" x\"\""),
              (Args{"-cfg_directory", "my cfg", "x"}));
    EXPECT_EQ(SplitEmulatorArguments("a;rm -rf $HOME"), (Args{"a;rm", "-rf", "$HOME"}));
    EXPECT_EQ(SplitEmulatorArguments("\"\""), (Args{""}));
    EXPECT_EQ(SplitEmulatorArguments(""), Args{});
}

TEST(BrowserLayout, MakesTheRoundTripAndDropsWhatCannotBeRead) {
    const BrowserLayout set{BrowserColumn::PlayCount, true, {80, 0, 300}, {4, 12}, {600, 400}};
    EXPECT_EQ(ParseBrowserLayout(BrowserLayoutText(set)), set);
    EXPECT_EQ(ParseBrowserLayout(""), BrowserLayout{});
    const BrowserLayout garbage =
        ParseBrowserLayout("sort=99 widths=80,-5 hidden=2,x splitter=1,2 what=3 =");
    EXPECT_EQ(garbage.sortColumn, BrowserColumn::Title);
    EXPECT_TRUE(garbage.widths.empty());
    EXPECT_TRUE(garbage.hiddenColumns.empty());
    EXPECT_EQ(garbage.splitter, (std::vector<int>{1, 2}));
}

TEST(CommandGlyphs, CodesAreDrawnAsArrowsAndButtonsAndSeparatorsAsDashes) {
    EXPECT_EQ(CommandTextForDisplay("_2_3_6+_P"), "\u2193\u2198\u2192+\u24C5");
    EXPECT_EQ(CommandTextForDisplay("_A_+_B hold _4"), "\u24B6+\u24B7 hold \u2190");
    EXPECT_EQ(CommandTextForDisplay("\u0097\u0097 moves"), "\u2014\u2014 moves");
    // What is no code stays: an unknown letter, a trailing or doubled underscore.
    EXPECT_EQ(CommandTextForDisplay("a_z b_ __"), "a_z b_ __");
}

TEST_F(GameBrowserQueryTest, SortsByAnyColumnWithoutRegardToCaseTiesByTitle) {
    ASSERT_TRUE(query.Load(path));
    const BrowserFilter all;
    query.Sort(BrowserColumn::Manufacturer, false);  // "namco" ties with "Namco"
    EXPECT_EQ(Shown(all), (Names{"ladyx", "stripx", "galaga", "pacman", "puckman", "newgame"}));
    query.Sort(BrowserColumn::Year, true);
    EXPECT_EQ(Shown(all), (Names{"newgame", "ladyx", "stripx", "galaga", "pacman", "puckman"}));
    query.Sort(BrowserColumn::Owned, true);
    EXPECT_EQ(Shown({.noClones = true}), (Names{"galaga", "ladyx", "newgame", "pacman", "stripx"}));
    EXPECT_EQ(query.Game(0).Cell(BrowserColumn::Owned), "Yes");
}

TEST_F(GameBrowserQueryTest, TheUsersColumnsShowStarPlaysAndTimeAndSortByNumber) {
    ASSERT_TRUE(query.Load(path));
    {
        UserDatabase user(UserDatabase::PathBeside(path));
        user.SetFavourite("ladyx", true);
        user.RecordPlay("galaga", 100, 3725);
        user.RecordPlay("pacman", 200, 5);
        user.RecordPlay("pacman", 300, 9);
    }
    ASSERT_TRUE(query.LoadUserData());
    query.Sort(BrowserColumn::PlayCount, true);
    EXPECT_EQ(query.Game(0).name, "pacman");
    EXPECT_EQ(query.Game(0).Cell(BrowserColumn::PlayCount), "2");
    EXPECT_EQ(query.Game(0).Cell(BrowserColumn::PlayTime), "0:00:14");
    EXPECT_EQ(query.Game(0).Cell(BrowserColumn::LastPlayed), LocalTimeText(300));
    EXPECT_EQ(query.Game(5).Cell(BrowserColumn::PlayTime), "");  // never played
    query.Sort(BrowserColumn::PlayTime, true);
    EXPECT_EQ(query.Game(0).Cell(BrowserColumn::PlayTime), "1:02:05");
    query.Sort(BrowserColumn::Favourite, true);
    EXPECT_EQ(query.Game(0).name, "ladyx");
    EXPECT_EQ(query.Game(0).Cell(BrowserColumn::Favourite), "\u2605");
    EXPECT_EQ(LocalTimeText(0), "");
}

TEST_F(GameBrowserQueryTest, DetailsHoldTheFieldsHistoryMameinfoCommandsVerdictAndSoftwareLists) {
    Run({"CREATE TABLE Audit (Name TEXT PRIMARY KEY, Verdict TEXT, Missing INTEGER)",
         "INSERT INTO Audit (Name, Verdict) VALUES ('pacman', 'good'), ('galaga', 'bad dump')",
         "CREATE TABLE MachineSoftwareList (Machine TEXT, ListName TEXT, Status TEXT, "
         "Filter TEXT)",
         "INSERT INTO MachineSoftwareList VALUES ('pacman', 'pac_cart', 'original', 'NTSC'), "
         "('pacman', 'pac_cass', 'compatible', NULL), ('galaga', 'other', 'original', '')"});
    ASSERT_TRUE(query.Load(path));
    ASSERT_TRUE(query.HasAudit());
    query.Sort(BrowserColumn::Verdict, false);
    EXPECT_EQ(query.Game(5).Cell(BrowserColumn::Verdict), "good");

    const GameDetails pacman = query.Details("pacman");
    ASSERT_TRUE(pacman.found);
    EXPECT_EQ(pacman.title, "Pac-Man");
    const std::vector<std::pair<std::string, std::string>> fields = {
        {"Set name", "pacman"},
        {"Year", "1980"},
        {"Manufacturer", "Namco"},
        {"Category", "Maze"},
        {"Players", "2"},
        {"Status", "Working"},
        {"Owned", "Yes"},
        {"Audit", "good"},
        {"Software lists", "pac_cart (original, filter NTSC), pac_cass (compatible)"}};
    EXPECT_EQ(pacman.fields, fields);
    for (const auto& [label, value] : query.Details("puckman").fields)
        EXPECT_NE(label, "Software lists");  // no list, no field
    EXPECT_EQ(pacman.history, "Eat dots.\n\n- TRIVIA -\n\nNamed after paku-paku.");
    EXPECT_EQ(pacman.mameinfo, "Mameinfo line\nsecond");
    EXPECT_EQ(pacman.commands, "Moves\nUp Down\n\nSecrets\nHold start");
    EXPECT_FALSE(query.Details("nosuchgame").found);

    // In French, labels, words and captions come from the text table.
    TheSettings().Language = 1;
    BuildTextTable();
    const GameDetails french = query.Details("pacman");
    using Field = std::pair<std::string, std::string>;
    EXPECT_EQ(french.fields[0], Field("Nom du jeu", "pacman"));
    EXPECT_EQ(french.fields[5], Field("État", "Fonctionne"));
    EXPECT_EQ(french.fields[6], Field("Possédé", "Oui"));
    EXPECT_EQ(BrowserColumnCaption(BrowserColumn::LastPlayed), "Dernière partie");
}

// Regression (the pane said "Working: Yes" for every runnable set, whatever
// its driver's status).
TEST_F(GameBrowserQueryTest, TheDriverStateIsTheOneAUserReads) {
    struct Case {
        const char* status;
        const char* emulation;
        bool runnable;
        const char* shown;
    };
    for (const Case& c :
         {Case{"good", "good", true, "Working"}, Case{"good", "imperfect", true, "Imperfect"},
          Case{"imperfect", "", true, "Imperfect"},
          Case{"Preliminary", "good", true, "Not working"},
          Case{"good", "good", false, "Not working"}, Case{"odd", "", true, "odd"}})
        EXPECT_EQ(DriverStateText(c.status, c.emulation, c.runnable), c.shown) << c.status;
    ASSERT_TRUE(query.Load(path));
    EXPECT_EQ(query.Details("newgame").fields[5],
              (std::pair<std::string, std::string>("Status", "Not working")));
}

TEST_F(GameBrowserQueryTest, AFileThatIsNoDatabaseLoadsNothingAndSaysWhy) {
    test::WriteFile(home.file("text.mdb"), "not a database at all, just some text");
    for (const std::string& file : {home.str() + "text.mdb", home.str() + "missing.mdb"}) {
        std::string error;
        EXPECT_FALSE(query.Load(file, &error));
        EXPECT_EQ(query.GameCount(), 0);
        EXPECT_NE(error.find(file), std::string::npos) << error;
    }
}

TEST_F(GameBrowserQueryTest, PicturesComeFromFilesTheEmulatorLayoutOrArchivesInMemory) {
    const std::string snaps = home.str() + "snap/";
    test::WriteFile(snaps + "pacman.png", "loose");
    test::WriteFile(snaps + "galaga/0000.png", "emulator layout");
    test::RawMember broken("snap/broken.png", "bad bytes");
    broken.badCrc = true;
    test::WriteFile(snaps + "Snap.ZIP", test::BuildZip({{"sub/xevious.png", "deeper"},
                                                        {"XEVIOUS.png", "inflated member"},
                                                        {"dkong.png", "stored member", 0},
                                                        broken}));
    ArtImages art;
    struct Case {
        std::string location, set, bytes, source;
    };
    const Case cases[] = {
        {snaps, "pacman", "loose", snaps + "pacman.png"},
        {snaps, "galaga", "emulator layout", snaps + "galaga/0000.png"},
        {snaps, "xevious", "inflated member", snaps + "Snap.ZIP:XEVIOUS.png"},
        {snaps, "dkong", "stored member", snaps + "Snap.ZIP:dkong.png"},
        {snaps + "Snap.ZIP", "dkong", "stored member", snaps + "Snap.ZIP:dkong.png"},
        {snaps, "broken", "", ""},
        {snaps, "nosuchgame", "", ""},
        {"", "pacman", "", ""},
    };
    for (const Case& c : cases) {
        const ArtImage image = art.Find(c.location, c.set);
        EXPECT_EQ(image.bytes, c.bytes) << c.location << " " << c.set;
        EXPECT_EQ(image.source, c.source) << c.set;
    }
    const auto files = [&] {
        return std::distance(std::filesystem::recursive_directory_iterator(snaps), {});
    };
    EXPECT_EQ(files(), 4);  // nothing was extracted
}

TEST_F(GameBrowserQueryTest, PlayNeedsNoRomFolderAndMakingTheSheetsIsOfferedOnce) {
    TheSettings().RomsFolder.clear();
    TheSettings().MameExe = home.str() + "mame";
    test::WriteFile(TheSettings().MameExe, "#!/bin/sh\n");
    std::filesystem::permissions(TheSettings().MameExe, std::filesystem::perms::owner_all);
    TheSettings().MameFolder = home.str();
    EXPECT_EQ(PlanLaunch("pacman").arguments, Names{"pacman"});
    EXPECT_EQ(PlanLaunch("pacman").workingFolder, home.str());
    // The ROM folder comes first; the emulator's own folders stay searched.
    TheSettings().RomsFolder = home.str() + "roms/";
    const EmulatorOptions emulator = {{"rompath", "/usr/share/games/mame/roms;roms"}};
    EXPECT_EQ(PlanLaunch("pacman", emulator).arguments,
              (Names{"-rompath", home.str() + "roms;/usr/share/games/mame/roms;roms", "pacman"}));
    TheSettings().RomsFolder.clear();

    TheSettings().HtmlFolder = home.str() + "site/";
    ui().QueueAnswer(MsgAnswer::Yes);
    EXPECT_EQ(OpenOrOfferSheet("pacman"), SheetOutcome::MakeSheets);
    EXPECT_EQ(OpenOrOfferSheet("pacman"), SheetOutcome::Declined);  // No by default
    EXPECT_EQ(ui().messages.size(), 2u);
}

}  // namespace
}  // namespace arc
