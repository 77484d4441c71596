#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "core/AppState.h"
#include "core/Files.h"
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

    /// The first `count` lines of a saved file of `s`, CR LF ended.
    static std::string FirstLines(const Settings& s, int count) {
        const auto lines = SettingsFileLines(s);
        std::string text;
        for (int i = 0; i < count; ++i)
            text += lines[i] + "\r\n";
        return text;
    }

    static Settings Sample() {
        Settings s = DefaultSettings();
        s.DatabasePath = "/data/Jeux é/Arcanote.mdb";
        s.MameFolder = "/opt/mame/";
        s.DataFilePaths[kControlsIni] = "/opt/mame/Controls.ini";
        s.ArtFolders[kFlyers] = "/art/Flyers/";
        s.Language = 1;
        s.MameExe = "/usr/games/mame";
        s.DefaultSkin = "Blue";
        s.MainWindow = {-120, -45, 9600, 7200, 2};
        for (int slot = 1; slot <= 12; ++slot)
            s.SheetOptions[slot] = slot % 2;
        for (int form = 1; form <= 13; ++form) {
            s.WindowLeft[form] = form * 15;
            s.WindowTop[form] = -form * 30;
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

TEST_F(SettingsTest, DefaultsLiveInTheProgramAndEmulatorFolders) {
    // The folders under the emulator's are EmulatorConfigTest's.
    const Settings s = DefaultSettings();
    EXPECT_EQ(s.DatabasePath, home.str() + "Arcanote.mdb");
    EXPECT_EQ(s.MameFolder, WithTrailingSlash(std::getenv("HOME")) + "mame/");
    EXPECT_EQ(s.HtmlFolder, home.str());
    EXPECT_EQ(s.MainWindow.State, -1);
    EXPECT_EQ(s.SearchOption, 1);
    EXPECT_TRUE(s.BackupFolder.empty());
}

TEST_F(SettingsTest, SavedFileHasTheExactLineFormats) {
    TheSettings() = Sample();
    ASSERT_TRUE(SaveSettings());
    const std::string bytes = ReadFile(inf());
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 49);  // every line ends with CR LF
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextLines(inf(), lines));
    ASSERT_EQ(lines.size(), 49u);
    EXPECT_EQ(lines[0], "/data/Jeux é/Arcanote.mdb");
    EXPECT_EQ(lines[27], " 1 ");
    EXPECT_EQ(lines[30], "-120;-45;9600;7200;2");
    EXPECT_EQ(lines[31], "1;0;1;0;1;0;1;0;1;0;1");
    EXPECT_EQ(lines[32],
              "15;-30 ;30;-60 ;45;-90 ;60;-120 ;75;-150 ;90;-180 ;105;-210 ;120;-240 ;135;-270 "
              ";150;-300 ;");
    EXPECT_EQ(lines[39], "-330 ");
    EXPECT_EQ(lines[46], "1;0;1;");
}

TEST_F(SettingsTest, RoundTripKeepsEveryValueAndSavingAgainIsByteIdentical) {
    TheSettings() = Sample();
    ASSERT_TRUE(SaveSettings());
    const std::string first = ReadFile(inf());
    TheSettings() = DefaultSettings();
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(SettingsFileLines(TheSettings()), SettingsFileLines(Sample()));
    EXPECT_EQ(TheSettings().MainWindow.Left, -120);
    EXPECT_EQ(TheSettings().WindowTop[13], -390);
    EXPECT_EQ(TheSettings().SheetOptions[12], 0);
    EXPECT_EQ(TheSettings().SheetOptions[11], 1);
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(ReadFile(inf()), first);
}

TEST_F(SettingsTest, LineBreaksInsideAValueCannotShiftTheLines) {
    TheSettings().DefaultSkin = "two\r\nlines";
    ASSERT_TRUE(SaveSettings());
    TheSettings() = DefaultSettings();
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(TheSettings().DefaultSkin, "twolines");
    EXPECT_EQ(TheSettings().SearchOption, 1);
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
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";  // LF alone is accepted
    WriteFile(inf(), text);
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
        WriteFile(inf(), FirstLines(s, count));
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
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    WriteFile(inf(), text);
    TheSettings() = DefaultSettings();
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(TheSettings().MainWindow.State, 2);
    EXPECT_EQ(TheSettings().SheetOptions[4], 1);  // read before the failure
    EXPECT_EQ(TheSettings().SheetOptions[5], 0);
    EXPECT_EQ(TheSettings().WindowLeft[1], 0);
    EXPECT_EQ(TheSettings().SearchOption, 1);
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
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        WriteFile(inf(), text);
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
    EXPECT_EQ(State().ErrorCount, 1);
}

TEST_F(SettingsTest, LoadAndSaveWriteTheirDebugLinesOnlyWhenLogging) {
    for (const bool logging : {false, true}) {
        State().LogFlag = logging;
        ASSERT_TRUE(SaveSettings() && LoadSettings());
    }
    EXPECT_EQ(ReadFile(home.file("Arcanote.log.txt")),
              "Save " + inf() + "\r\nLoad " + inf() + "\r\n");
}

TEST_F(SettingsTest, AnEmptyBackupFolderBecomesTheProgramFolderBackup) {
    TheSettings().BackupFolder.clear();
    EnsureBackupFolder();
    EXPECT_EQ(TheSettings().BackupFolder, home.str() + "BACKUP/");
    EXPECT_TRUE(std::filesystem::is_directory(home.file("BACKUP")));
    TheSettings().BackupFolder = "/elsewhere/";
    EnsureBackupFolder();
    EXPECT_EQ(TheSettings().BackupFolder, "/elsewhere/");
}

TEST_F(SettingsTest, TempFolderComesFromTmpdirElseTmp) {
    State().LogFlag = true;
    {
        test::ScopedEnv tmpdir("TMPDIR", home.file("own-temp"));
        SetTempFolder();
        EXPECT_EQ(State().TempFolder, home.str() + "own-temp/");
        EXPECT_TRUE(std::filesystem::is_directory(home.file("own-temp")));
    }
    {
        WriteFile(home.file("a-file"), "");
        test::ScopedEnv tmpdir("TMPDIR", home.file("a-file"));
        SetTempFolder();
        EXPECT_EQ(State().TempFolder, "/tmp/");
    }
    EXPECT_EQ(ReadFile(home.file("Arcanote.log.txt")),
              "TEMP PATH = " + home.str() + "own-temp/\r\nTEMP PATH = /tmp/\r\n");
}

TEST_F(SettingsTest, SettingsDumpHasItsThirtySevenLines) {
    TheSettings() = Sample();
    const std::vector<std::string> lines = SettingsDumpLines(TheSettings());
    ASSERT_EQ(lines.size(), 37u);
    EXPECT_EQ(lines[2], "MDB = /data/Jeux é/Arcanote.mdb");
    EXPECT_EQ(lines[21], "PATH 16 = /opt/mame/Controls.ini");
    EXPECT_EQ(lines[36], lines[0]);
    WriteSettingsDump();
    std::string expected;
    for (const std::string& line : lines)
        expected += line + "\r\n";
    EXPECT_EQ(ReadFile(home.file("Arcanote.log.txt")), expected);
}

}  // namespace
}  // namespace arc
