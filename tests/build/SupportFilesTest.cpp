#include <gtest/gtest.h>

#include <algorithm>

#include "build/BuildTestSupport.h"
#include "build/SupportFiles.h"
#include "core/AppState.h"
#include "core/Progress.h"
#include "core/Settings.h"

namespace arc {
namespace {

using test::WriteFile;
using F = SupportFile;

class Support : public test::BuildTest {
  protected:
    Support() {
        EXPECT_TRUE(OpenDatabase(home.file("Arcanote.mdx")));
        Execute("INSERT INTO Data (InternalName) VALUES ('pacman')");
    }

    void Write(F file, const std::string& text) {
        WriteFile(
            home.file(std::string(InfoOf(file).folder) + "/" + std::string(InfoOf(file).fileName)),
            text);
    }

    static bool Has(const std::vector<F>& ran, F file) {
        return std::find(ran.begin(), ran.end(), file) != ran.end();
    }

    /// Every INI file that a skip can leave out, present with a value for pacman.
    void WriteSkippable() {
        for (F file : {F::Genre, F::Catlist, F::Mature, F::Version, F::Alltime, F::Resolution,
                       F::Multiplayer})
            Write(file, "[x]\npacman\n");
    }
};

TEST_F(Support, PathRuleTakesTheChosenPlaceFirstAndTheOtherWhenMissing) {
    const std::string defined = home.file("mame/Folders/nplayers.ini");
    TheSettings().DataFilePaths[kNPlayersIni] = defined;
    const std::string own = home.file("ini/NPlayers.INI");  // any case
    State().UseDefinedPaths = true;
    EXPECT_EQ(SupportFilePath(F::NPlayers), home.str() + "ini/nplayers.ini");  // neither exists
    WriteFile(own, "[NPlayers]\n");
    EXPECT_EQ(SupportFilePath(F::NPlayers), own);
    WriteFile(defined, "[NPlayers]\n");
    EXPECT_EQ(SupportFilePath(F::NPlayers), defined);
    State().UseDefinedPaths = false;
    EXPECT_EQ(SupportFilePath(F::NPlayers), own);
    std::filesystem::remove(own);
    EXPECT_EQ(SupportFilePath(F::NPlayers), defined);
    // A history.xml beside the History.dat path counts as the history file.
    TheSettings().DataFilePaths[kHistoryDat] = home.file("mame/History.dat");
    WriteFile(home.file("mame/history.xml"), "<history/>");
    EXPECT_EQ(SupportFilePath(F::History), home.file("mame/History.dat"));
}

TEST_F(Support, WizsortReplacesSixFilesWhateverTheyHold) {
    WriteSkippable();
    Write(F::Wizsort, "[Year]\npacman=1980\n");
    const std::vector<F> ran = RunBuildImporters();
    EXPECT_TRUE(Has(ran, F::Wizsort));
    for (F file : {F::Genre, F::Catlist, F::Mature, F::Version, F::Alltime, F::Resolution})
        EXPECT_FALSE(Has(ran, file)) << InfoOf(file).name;
    EXPECT_TRUE(Has(ran, F::Multiplayer));  // no nPlayers.ini
    EXPECT_EQ(QueryValue("SELECT Year FROM Data"), "1980");
    EXPECT_EQ(QueryValue("SELECT Genre FROM Data"), "");
}

TEST_F(Support, CatverReplacesCatlistAndVersionOnlyWhenComplete) {
    WriteSkippable();
    Write(F::NPlayers, "[NPlayers]\npacman=2P alt\n");
    Write(F::Catver, "[Category]\npacman=Maze\n[VerAdded]\npacman=.30\n");
    std::vector<F> ran = RunBuildImporters();
    for (F file : {F::Genre, F::Mature, F::NPlayers, F::Alltime, F::Resolution})
        EXPECT_TRUE(Has(ran, file)) << InfoOf(file).name;
    for (F file : {F::Version, F::Catlist, F::Multiplayer})
        EXPECT_FALSE(Has(ran, file)) << InfoOf(file).name;
    EXPECT_EQ(QueryValue("SELECT VerAdded FROM Data"), ".30");

    // Without [VerAdded] Version.ini and Catlist.ini are read after all.
    Write(F::Catver, "[Category]\npacman=Maze\n");
    ran = RunBuildImporters();
    EXPECT_TRUE(Has(ran, F::Version));
    EXPECT_TRUE(Has(ran, F::Catlist));
    EXPECT_EQ(QueryValue("SELECT VerAdded FROM Data"), "x");
}

TEST_F(Support, BuildOrderIsFixedAndStopsAtCancel) {
    for (int i = 0; i < kSupportFileCount; ++i)
        Write(static_cast<F>(i), "");
    std::vector<F> ran = RunBuildImporters();
    // Empty Wizsort and nPlayers files are read: their successors are skipped.
    const std::vector<F> expected = {F::Mameinfo, F::Wizsort,  F::Catver,   F::Hiscore, F::Command,
                                     F::Cheat,    F::Controls, F::NPlayers, F::Aspect,  F::History};
    EXPECT_EQ(ran, expected);
    Progress().Cancel = true;
    EXPECT_TRUE(RunBuildImporters().empty());
}

}  // namespace
}  // namespace arc
