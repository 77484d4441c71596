#include <gtest/gtest.h>

#include <filesystem>

#include "core/Files.h"
#include "core/Settings.h"
#include "core/SupportFileCatalogue.h"
#include "core/TextTable.h"
#include "support/ReplacingWriters.h"
#include "support/TestSupport.h"
#include "translation/Dictionary.h"
#include "translation/FileTranslation.h"
#include "translation/LineTranslator.h"
#include "translation/TranslationTask.h"
#include "translation/TranslationWindowState.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;

class DictionaryTest : public test::ProgramFolderTest {};
using TranslationWindowTest = DictionaryTest;

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
    // The request's paths are read, never the settings' ones.
    WriteFile(home.file("saved/wizsort.ini"), "[Wizsort]\r\nsaved=Settings Only\r\n");
    TheSettings().DataFilePaths[SlotOf(SupportFile::Wizsort)] = home.file("saved/wizsort.ini");
    DictionaryRequest request{home.file("mine.dic"), {}};
    request.dataFilePaths[SlotOf(SupportFile::Wizsort)] = home.file("mine/wizsort.ini");
    request.dataFilePaths[SlotOf(SupportFile::Catver)] = home.file("absent/catver.ini");
    WriteFile(home.file("ini/nplayers.ini"),
              "[NPlayers]\r\npacman=2P alt\r\ngalaga=2P alt\r\n1943=2P sim\r\n");
    WriteFile(home.file("ini/Multiplayer.ini"), "[2P sim]\r\n1943\r\n[4P alt]\r\n");

    TaskProgress progress;
    TaskContext context(progress, ui());
    ASSERT_TRUE(RunDictionary(request, context).ok());
    EXPECT_EQ(progress.Label(), Text(kTextCreatingDictionary));
    EXPECT_FALSE(FileExists(DictionaryPath()));
    const std::string text = ReadFile(request.path);
    EXPECT_EQ(text.find("Settings Only"), std::string::npos);
    EXPECT_NE(text.find("[WIZ]\r\n; Traduction des fichiers Catlist.ini, Genre.ini, Catver.ini et "
                        "Wizsort.ini\r\nBall & Paddle = \r\nMaze = \r\nPlatform = \r\n"
                        "Shooter / Flying = \r\n\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("[PLAYERS]\r\n; Traduction des fichiers Multiplayer.ini et "
                        "Nplayers.ini\r\n2P alt = \r\n2P sim = \r\n4P alt = \r\n\r\n"),
              std::string::npos);
}

TEST_F(DictionaryTest, DictionaryAndTranslationKeepTheReplacedFilesModeAndGiveANewFileTheUmasks) {
    const LineTranslator translator(SectionTable{{"Maze", "Labyrinthe"}});
    test::ExpectWritersKeepTheFileMode(
        home.str(), {{"dictionary", false,
                      [&](const std::string& t) {
                          TaskProgress progress;
                          TaskContext context(progress, ui());
                          return RunDictionary({t, {}}, context).ok();
                      }},
                     {"translation", true, [&](const std::string& t) {
                          return TranslateFile(t, translator) == TranslateOutcome::Translated;
                      }}});
}

TEST_F(DictionaryTest, EveryCatalogueRowReachesItsTranslationRow) {
    for (const SupportFileRow& row : kSupportFileCatalogue)
        EXPECT_EQ(TranslationRowOfName(row.caption), row.translation.row) << row.name;
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
    EXPECT_EQ(ui().messages[0].text,
              Text(kTextTranslatedFiles) + "\n" + home.file("ini/Catver.ini") + "\n" +
                  home.file("dat/History.dat") + "\n" + home.file("dat/history.xml"));
    EXPECT_FALSE(ui().progressVisible);
}

// Regression: the window ended with a bare "Done.", whatever it wrote.
TEST_F(TranslationWindowTest, EndMessageSaysWhichFilesItWroteNotABareDone) {
    TranslationWindowState window;
    EXPECT_EQ(window.EndMessage(), Text(kTextNothingTranslated));
    window.rows[1].result = TranslationWindowState::RowResult::Translated;
    window.rows[1].path = "/a/Genre.ini";
    window.rows[3].result = TranslationWindowState::RowResult::Failed;
    window.rows[3].path = "/a/Wizsort.ini";
    EXPECT_EQ(window.EndMessage(), Text(kTextTranslatedFiles) + "\n/a/Genre.ini\n\n" +
                                       Text(kTextTranslationFailed) + "\n/a/Wizsort.ini");
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
