#include <gtest/gtest.h>

#include "core/Settings.h"
#include "support/TestSupport.h"
#include "translation/Dictionary.h"

namespace arc {
namespace {

using test::WriteFile;

class DictionaryTest : public test::ProgramFolderTest {};

TEST_F(DictionaryTest, CollectsNamesFromTheUsersFilesSortedOnce) {
    WriteFile(home.file("ini/Catlist.ini"),
              "[ROOT_FOLDER]\r\n\r\n[Maze]\r\npacman\r\n[Shooter / Flying]\r\ngalaga\r\n");
    WriteFile(home.file("ini/genre.ini"),
              "[FOLDER_SETTINGS]\r\nRootFolderIcon=mame\r\n[ Maze ]\r\n");
    WriteFile(home.file("ini/Catver.ini"),
              "[Category]\r\npacman=Maze\r\ngalaga=Shooter / Flying\r\ndkong = Platform\r\n"
              "empty=\r\n[VerAdded]\r\npacman=.36\r\n[Year]\r\npacman=1980\r\n");
    // The defined path wins over the program's own file.
    WriteFile(home.file("mine/wizsort.ini"),
              "[Wizsort]\r\nbreakout=Ball & Paddle\r\n[Driver]\r\nx=namcos1\r\n");
    WriteFile(home.file("ini/wizsort.ini"), "[Wizsort]\r\nignored=Not Read\r\n");
    TheSettings().DataFilePaths[SlotOf(SupportFile::Wizsort)] = home.file("mine/wizsort.ini");
    TheSettings().DataFilePaths[SlotOf(SupportFile::Catver)] = home.file("absent/catver.ini");
    WriteFile(home.file("ini/nplayers.ini"),
              "[NPlayers]\r\npacman=2P alt\r\ngalaga=2P alt\r\n1943=2P sim\r\n");
    WriteFile(home.file("ini/Multiplayer.ini"), "[2P sim]\r\n1943\r\n[4P alt]\r\n");

    ASSERT_TRUE(CreateDictionary());
    const std::string text = test::ReadFile(DictionaryPath());
    EXPECT_NE(text.find("[WIZ]\r\n; Traduction des fichiers Catlist.ini, Genre.ini, Catver.ini et "
                        "Wizsort.ini\r\nBall & Paddle = \r\nMaze = \r\nPlatform = \r\n"
                        "Shooter / Flying = \r\n\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("[PLAYERS]\r\n; Traduction des fichiers Multiplayer.ini et "
                        "Nplayers.ini\r\n2P alt = \r\n2P sim = \r\n4P alt = \r\n\r\n"),
              std::string::npos);
}

TEST(SectionFromLines, KeepsFinishedEntriesLongestFirst) {
    const std::vector<std::string> lines = {
        "[WIZ]",
        "Maze = Labyrinthe",
        "[HISTORY]",
        "; Board = commentaire",
        "Board = Planche",
        "Shooter =",
        "   Sound Board : = Carte Son :   ",
        "",
        "Main = Prin",
        "Beat = Tape",
        "= nothing on the left",
        "A == B",
        "no equals sign here",
        "[MAMEINFO]",
        "Driver = Pilote",
    };
    std::vector<std::string> pairs;  // longest source first, equal lengths in file order
    for (const TranslationPair& pair : SectionFromLines(lines, "[HISTORY]"))
        pairs.push_back(pair.source + "|" + pair.translation);
    EXPECT_EQ(pairs,
              (std::vector<std::string>{"Sound Board :|Carte Son :", "|nothing on the left",
                                        "Board|Planche", "Main|Prin", "Beat|Tape", "A|= B"}));

    EXPECT_TRUE(SectionFromLines(lines, "[PLAYERS]").empty());
    EXPECT_TRUE(
        SectionFromLines({"[PLAYERS]", "; only comments", "2P alt ="}, "[PLAYERS]").empty());
}

}  // namespace
}  // namespace arc
