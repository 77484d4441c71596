#include <gtest/gtest.h>

#include "core/AppState.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "pipeline/BuildPipeline.h"
#include "pipeline/BuildTestSupport.h"
#include "pipeline/UpdateWindowState.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;

class Update : public test::BuildTest {
  protected:
    Update() {
        WriteFile(home.file("listxml.txt"), test::SmallListXml());
        EXPECT_EQ(BuildDatabase(), BuildOutcome::Built);
        ui().messages.clear();
    }
    std::string Value(const std::string& sql) {
        return test::QueryIn(home.file("Arcanote.mdb"), sql);
    }
};

TEST_F(Update, ChoicesRoundTripThroughTheSettingsWhileTheMenusAreOff) {
    TheSettings().UpdateFileChoices = "1;0;0;0;0;0;0;0;0;0;0;0;0;0;0;1;0;0;False";
    UpdateWindowState window;
    window.Load();
    EXPECT_TRUE(window.boxes[0] && window.boxes[15] && !window.boxes[1]);
    EXPECT_FALSE(ui().menusEnabled);
    window.boxes[3] = true;
    window.useDefinedPaths = true;
    window.Unload();
    EXPECT_TRUE(ui().menusEnabled);
    EXPECT_EQ(TheSettings().UpdateFileChoices, "1;0;0;1;0;0;0;0;0;0;0;0;0;0;0;1;0;0;True");
    window.SetChoicesText("0;1;True");  // missing values leave the boxes unticked
    EXPECT_TRUE(window.boxes[1] && !window.boxes[0] && !window.boxes[15]);
}

TEST_F(Update, MissingFileNoChoiceOrBrokenFileIsTold) {
    UpdateWindowState window;
    window.databasePath = home.file("none.mdb");
    window.boxes[1] = true;
    EXPECT_FALSE(window.Update());
    window.databasePath = home.file("Arcanote.mdb");
    window.boxes[1] = false;
    EXPECT_FALSE(window.Update());
    WriteFile(home.file("broken.mdb"), "not a database at all, but long enough to be read");
    window.databasePath = home.file("broken.mdb");
    window.boxes[1] = true;
    EXPECT_FALSE(window.Update());
    ASSERT_GE(ui().messages.size(), 3u);
    EXPECT_EQ(ui().messages.back().text, Text(kTextCannotOpenFile) + "\r\n" + window.databasePath);
}

TEST_F(Update, FreshListRunsTheEmulatorAndKeepsTheOlderStamps) {
    UpdateWindowState window;
    window.Load();
    window.boxes[0] = true;
    EXPECT_TRUE(window.Update());
    EXPECT_EQ(Calls(), "-help\n-help\n-listxml\n");  // the list was made again
    EXPECT_TRUE(window.Update());
    window.Unload();
    EXPECT_EQ(Value("SELECT count(*) FROM Versions"), "3");
    EXPECT_EQ(Value("SELECT count(*) FROM Data"), "3");
    EXPECT_EQ(ui().messages.back().text, Text(92));
}

TEST_F(Update, TickedImportersRunWithoutSkipsCommandIsReplacedHistoryRelinked) {
    WriteFile(home.file("ini/wizsort.ini"), "[Year]\npacman=1980\n");
    WriteFile(home.file("ini/genre.ini"), "[Maze]\npacman\n");
    WriteFile(home.file("dat/command.dat"), "$info=mk\n$cmd\n[Moves]\nkick\n$end\n");
    WriteFile(home.file("dat/history.dat"), "$info=pacman\n$bio\n\nA (c) 1\n$end\n");
    UpdateWindowState window;
    window.Load();
    window.useDefinedPaths = false;
    window.boxes[5] = window.boxes[10] = window.boxes[12] = window.boxes[15] = true;
    EXPECT_TRUE(window.Update());
    WriteFile(home.file("dat/history.dat"), "$info=pacman,mk\n$bio\n\nB (c) 2\n$end\n");
    EXPECT_TRUE(window.Update());
    window.Unload();
    EXPECT_EQ(Value("SELECT Genre || Year FROM Data WHERE InternalName='pacman'"), "Maze1980");
    EXPECT_EQ(Value("SELECT count(*) FROM Command"), "1");
    EXPECT_EQ(Value("SELECT count(*) FROM History"), "1");
    EXPECT_EQ(Value("SELECT yearmanufacturer FROM History JOIN Data USING (CodeHistory) "
                    "WHERE InternalName='mk'"),
              "2");
}

}  // namespace
}  // namespace arc
