#include <gtest/gtest.h>

#include "core/Settings.h"
#include "core/TextTable.h"
#include "support/TestSupport.h"
#include "translation/Dictionary.h"
#include "translation/TranslationWindowState.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;

class TranslationWindowTest : public test::ProgramFolderTest {};

TEST_F(TranslationWindowTest, PathsComeFromDefinedFilesOrTheProgramFolders) {
    WriteFile(home.file("user/Genre.ini"), "[Maze]\r\n");
    TheSettings().DataFilePaths[SlotOf(SupportFile::Genre)] = home.file("user/Genre.ini");
    TheSettings().DataFilePaths[SlotOf(SupportFile::Catver)] = home.file("user/missing.ini");
    TheSettings().DataFilePaths[SlotOf(SupportFile::History)] = home.file("user/History.dat");
    WriteFile(home.file("user/History.xml"), "<history/>");
    TranslationWindowState window;
    window.Open();
    EXPECT_EQ(window.rows[1].path, home.file("user/Genre.ini"));
    EXPECT_EQ(window.rows[2].path, home.file("ini/Catver.ini"));  // the defined file is missing
    EXPECT_EQ(window.rows[6].path, home.file("dat/History.dat"));
    EXPECT_EQ(window.rows[8].path, home.file("user/History.xml"));  // beside the History path

    EXPECT_EQ(TranslationWindowState::RowOfName("History.XML"), 8);
    EXPECT_EQ(TranslationWindowState::RowOfName("cheat"), -1);

    window.Translate();  // nothing ticked: nothing done
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_EQ(ui().progressShown, 0);
}

TEST_F(TranslationWindowTest, TranslatesTickedFilesWithTheirSections) {
    WriteFile(home.file("ini/Catver.ini"), "[Category]\r\npacman=Maze\r\n");
    WriteFile(home.file("ini/Wizsort.ini"), "[Wizsort]\r\npacman=Maze\r\n");
    WriteFile(home.file("dat/History.dat"), "Sound Board : YM2151\r\n");
    WriteFile(home.file("dat/history.xml"), "<text>Sound Board : YM2151</text>\n");
    WriteFile(home.file("ini/Nplayers.ini"), "[NPlayers]\r\npacman=2P alt\r\n");
    WriteFile(DictionaryPath(),
              "[WIZ]\r\nMaze = Labyrinthe\r\nShooter =\r\n[PLAYERS]\r\n2P alt =\r\n"
              "[HISTORY]\r\nBoard = Planche\r\nSound Board : = Carte Son :\r\n");
    TranslationWindowState window;
    window.Open();
    window.rows[2].checked = true;  // Catver
    window.rows[5].checked = true;  // Nplayers: its section has no finished entry
    window.rows[6].checked = true;  // History
    window.rows[8].checked = true;  // history.xml
    window.rows[0].checked = true;  // Catlist: the file does not exist
    window.Translate();

    EXPECT_EQ(ReadFile(home.file("ini/Catver.ini")), "[Category]\r\npacman=Labyrinthe\r\n");
    EXPECT_EQ(ReadFile(home.file("ini/Catver.ORIGINAL.ini")), "[Category]\r\npacman=Maze\r\n");
    EXPECT_EQ(ReadFile(home.file("ini/Wizsort.ini")), "[Wizsort]\r\npacman=Maze\r\n");
    EXPECT_EQ(ReadFile(home.file("dat/History.dat")), "Carte Son : YM2151\r\n");
    EXPECT_EQ(ReadFile(home.file("dat/history.xml")), "<text>Carte Son : YM2151</text>\r\n");
    EXPECT_EQ(ReadFile(home.file("ini/Nplayers.ini")), "[NPlayers]\r\npacman=2P alt\r\n");
    EXPECT_FALSE(std::filesystem::exists(home.file("ini/Nplayers.ORIGINAL.ini")));
    EXPECT_EQ(window.rows[0].result, TranslationWindowState::RowResult::Missing);
    EXPECT_EQ(window.rows[5].result, TranslationWindowState::RowResult::NoEntries);
    EXPECT_EQ(window.rows[6].result, TranslationWindowState::RowResult::Translated);
    EXPECT_TRUE(window.buttonsEnabled);
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].text, Text(92));
    EXPECT_FALSE(ui().progressVisible);
}

TEST_F(TranslationWindowTest, EditCreatesTheMissingDictionaryThenOpensIt) {
    TranslationWindowState window;
    window.EditDictionary();
    ASSERT_EQ(ui().opened.size(), 1u);
    EXPECT_EQ(ui().opened[0], DictionaryPath());
    EXPECT_NE(ReadFile(DictionaryPath()).find("[HISTORY]"), std::string::npos);
    EXPECT_FALSE(ui().progressVisible);

    // An existing dictionary is opened as it is.
    WriteFile(DictionaryPath(), "[WIZ]\r\nMine = A moi\r\n");
    window.EditDictionary();
    EXPECT_EQ(ReadFile(DictionaryPath()), "[WIZ]\r\nMine = A moi\r\n");
    EXPECT_EQ(ui().opened.size(), 2u);
}

}  // namespace
}  // namespace arc
