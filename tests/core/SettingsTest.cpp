#include <algorithm>
#include <filesystem>
#include <utility>

#include "core/Log.h"
#include "core/Settings.h"
#include "core/TextFile.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;

class SettingsTest : public test::ProgramFolderTest {
  protected:
    std::string inf() const { return home.file("Arcanote.inf"); }

    /// Writes the first `count` of `lines` as the settings file.
    template <typename Lines>
    void WriteLines(const Lines& lines, const char* eol = "\r\n", size_t count = 49) const {
        std::string text;
        for (size_t i = 0; i < count; ++i)
            text += lines[i] + eol;
        WriteFile(inf(), text);
    }

    static Settings Sample() {
        Settings s = DefaultSettings();
        s.DatabasePath = "/data/Jeux é/Arcanote.mdb";
        s.MameFolder = "/opt/mame/";
        s.DataFilePaths[SlotOf(SupportFile::Controls)] = "/opt/mame/Controls.ini";
        s.ArtFolders[kFlyers] = "/art/Flyers/";
        s.Language = 1;
        s.MameExe = "/usr/games/mame";
        s.DefaultSkin = "Bl\r\nue";  // a line break inside a value cannot shift the lines
        s.MainWindow = {-120, -45, 9600, 7200, 2};
        for (int slot = 1; slot <= 12; ++slot)
            s.SheetOptions[slot] = slot % 2;
        for (int form = 1; form <= 13; ++form) {
            s.WindowLeft[form] = form * 15;
            s.WindowTop[form] = -form * 30;
            s.WindowWidth[form] = form * 600;
            s.WindowHeight[form] = form * 450;
        }
        s.XmlOptions = {0, 1, 1};
        s.BackupFolder = "/backup/";
        s.SearchOption = 3;
        s.ZipAllSource = "/zip/src/";
        s.ZipAllDest = "/zip/dst/";
        s.ImageSource = "/img/";
        s.UpdateDatabasePath = "/data/update.mdb";
        s.UpdateFileChoices = "1;0;1;";
        return s;
    }
};

TEST_F(SettingsTest, SavedFileHasTheExactLineFormatsAndRoundTripsByteIdentical) {
    TheSettings() = Sample();
    ASSERT_TRUE(SaveSettings());
    const std::string first = ReadFile(inf());
    EXPECT_EQ(std::count(first.begin(), first.end(), '\r'), 50);  // every line ends with CR LF
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextLines(inf(), lines));
    ASSERT_EQ(lines.size(), 50u);
    EXPECT_EQ(lines[0], "/data/Jeux é/Arcanote.mdb");
    EXPECT_EQ(lines[27], " 1 ");
    EXPECT_EQ(lines[30], "-120;-45;9600;7200;2");
    EXPECT_EQ(lines[31], "1;0;1;0;1;0;1;0;1;0;1");
    EXPECT_EQ(lines[32],
              "15;-30 ;30;-60 ;45;-90 ;60;-120 ;75;-150 ;90;-180 ;105;-210 ;120;-240 ;135;-270 "
              ";150;-300 ;");
    TheSettings() = DefaultSettings();
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(SettingsFileLines(TheSettings()), SettingsFileLines(Sample()));
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ReadFile(inf()), first);
    EXPECT_EQ(TheSettings().DefaultSkin, "Blue");
    EXPECT_TRUE(lines[49].starts_with("600;450 ;1200;900 ;"));
    // A file of the designed 49 lines loads; the sizes stay unsaved.
    TheSettings() = DefaultSettings();
    WriteLines(lines);
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(TheSettings().WindowTop[13], -390);
    EXPECT_EQ(TheSettings().WindowWidth[1], 0);
}

TEST_F(SettingsTest, HandWrittenLinesAreReadByTheNumberRules) {
    Settings s = Sample();
    auto lines = SettingsFileLines(s);
    lines[27] = "1";
    lines[30] = " 10 ; 20;30;40; 1 ";
    lines[32] = "1;2 ;3;4 ;5;6 ;7;8 ;9;10 ;11;12 ;13;14 ;15;16 ;17;18 ;19;20 ;";
    lines[33] = "abc";
    lines[34] = " 12abc";
    lines[37] = "  -7 ";
    lines[38] = "99999999999";
    WriteLines(lines, "\n");  // LF alone is accepted
    ASSERT_TRUE(LoadSettings());
    const Settings& t = TheSettings();
    EXPECT_EQ(
        (std::vector<int>{t.Language, t.MainWindow.Left, t.MainWindow.Top, t.MainWindow.State,
                          t.WindowLeft[1], t.WindowTop[1], t.WindowLeft[10], t.WindowTop[10],
                          t.XmlOptions[1], t.XmlOptions[2], t.SearchOption, t.WindowLeft[11]}),
        (std::vector<int>{1, 10, 20, 1, 1, 2, 19, 20, 0, 12, -7, 2147483647}));
}

TEST_F(SettingsTest, AFileEndingAfterLine30CountsAsReadOneEndingBeforeLine28DoesNot) {
    const Settings s = Sample();
    for (const int count : {30, 27}) {
        WriteLines(SettingsFileLines(s), "\r\n", count);
        TheSettings() = DefaultSettings();
        EXPECT_EQ(LoadSettings(), count == 30);
        EXPECT_EQ(TheSettings().HtmlFolder, s.HtmlFolder);  // the lines read are kept
        EXPECT_EQ(TheSettings().Language, count == 30 ? 1 : 0);
        EXPECT_EQ(TheSettings().DefaultSkin, count == 30 ? "Blue" : DefaultSettings().DefaultSkin);
        EXPECT_EQ(TheSettings().MainWindow.State, -1);
    }
    std::filesystem::remove(inf());
    EXPECT_FALSE(LoadSettings());
}

TEST_F(SettingsTest, ATruncatedCompoundLineStopsTheLoadWithTheValuesReadSoFar) {
    Settings s = Sample();
    auto lines = SettingsFileLines(s);
    lines[31] = "1;1;1;1;1";  // too few ";"
    WriteLines(lines);
    TheSettings() = DefaultSettings();
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(TheSettings().MainWindow.State, 2);
    EXPECT_EQ(TheSettings().SheetOptions[4], 1);  // read before the failure
    EXPECT_EQ(TheSettings().SheetOptions[5], 0);
    EXPECT_EQ(TheSettings().WindowLeft[1], 0);
}

// A file starting with two byte-order marks lost one U+FEFF of the database
// path at each save; every leading mark goes at load. Windows-1252 is converted.
TEST_F(SettingsTest, TwoByteOrderMarksNoLongerCostTheDatabasePathACharacterAtEachSave) {
    const std::string bom = "\xEF\xBB\xBF";
    for (const auto& [firstLine, path] : std::vector<std::pair<std::string, std::string>>{
             {bom + bom + "/data/Arcanote.mdb", "/data/Arcanote.mdb"},
             {bom + "/data/Jeux \xE9t\xE9/Arcanote.mdb", "/data/Jeux été/Arcanote.mdb"}}) {
        auto lines = SettingsFileLines(Sample());
        lines[0] = firstLine;
        WriteLines(lines);
        for (int round = 0; round < 2; ++round) {  // load, save, load again
            ASSERT_TRUE(LoadSettings());
            EXPECT_EQ(TheSettings().DatabasePath, path) << round;
            ASSERT_TRUE(SaveSettings());
        }
        EXPECT_TRUE(ReadFile(inf()).starts_with(path + "\r\n"));
    }
}

TEST_F(SettingsTest, AFailedSaveLogsAnErrorBlockAndKeepsTheOldFile) {
    EXPECT_FALSE(SaveSettings(home.file("missing/folder/Arcanote.inf")));
    const std::string log = ReadFile(home.file("Arcanote.log.txt"));
    EXPECT_NE(log.find("TRACKING BUG NUMBER = 6\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("missing/folder/Arcanote.inf"), std::string::npos);
    EXPECT_EQ(ErrorBlockCount(), 1);
}

TEST_F(SettingsTest, TempFolderComesFromTmpdirElseTmp) {
    {
        test::ScopedEnv tmpdir("TMPDIR", home.file("own-temp"));
        EXPECT_EQ(FindTempFolder(), home.str() + "own-temp/");
        EXPECT_TRUE(std::filesystem::is_directory(home.file("own-temp")));
    }
    WriteFile(home.file("a-file"), "");
    test::ScopedEnv tmpdir("TMPDIR", home.file("a-file"));  // not a folder
    EXPECT_EQ(FindTempFolder(), "/tmp/");
}

}  // namespace
}  // namespace arc
