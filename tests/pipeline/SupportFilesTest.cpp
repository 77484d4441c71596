#include <gtest/gtest.h>

#include <algorithm>

#include "core/EmulatorConfig.h"
#include "core/Files.h"
#include "core/Settings.h"
#include "core/TextFile.h"
#include "importers/DataUpdate.h"
#include "pipeline/BuildTestSupport.h"
#include "pipeline/SupportFiles.h"
#include "pipeline/UpdateTask.h"
#include "pipeline/UpdateWindowState.h"
#include "support/ZipBuilder.h"

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
            home.file(std::string(RowOf(file).folder) + "/" + std::string(RowOf(file).fileName)),
            text);
    }

    static bool Has(const std::vector<F>& ran, F file) {
        return std::find(ran.begin(), ran.end(), file) != ran.end();
    }

    test::RecordedProgress progress;

    /// A copy of the template (with its pacman row), opened.
    std::string OpenCopy(const std::string& name) {
        const std::string database = home.file(name);
        std::filesystem::copy_file(home.file("Arcanote.mdx"), database,
                                   std::filesystem::copy_options::overwrite_existing);
        EXPECT_TRUE(OpenDatabase(database));
        return database;
    }

    /// Every INI file that a skip can leave out, present with a value for pacman.
    void WriteSkippable() {
        for (F file : {F::Genre, F::Catlist, F::Mature, F::Version, F::Alltime, F::Resolution,
                       F::Multiplayer})
            Write(file, "[x]\npacman\n");
    }
};

// Regression: an update wrote each value of a list at once (a whole row
// rewritten per line); collected per set, it leaves the rows the direct
// writes left, names in any case, repeats and sets that are no row included.
TEST_F(Support, UpdateOfEachListWritesEachSetOnceWithTheSameRows) {
    Execute("UPDATE Data SET Genre='Old', nPlayers='1P', Year='1979' WHERE InternalName='pacman'");
    Execute("INSERT INTO Data (InternalName, Category) VALUES ('mk', 'Old'), ('mk2', NULL)");
    CloseDatabase();
    const struct {
        F file;
        const char* text;
    } cases[] = {
        {F::Genre, "[Maze]\npacman\nPACMAN\n[Fighter]\nmk\nmk2\npacman\nnone\n"},
        {F::Controls, "pacman\n[Joy]\nmk\nMk\n[]\nmk2\n"},
        {F::Catlist, "[Maze]\npacman\n[Fighter]\nmk\n"},
        {F::Version, "[.30]\npacman\n[.37]\nmk\npacman\n"},
        {F::Multiplayer, "[2P]\npacman\nmk\n"},
        {F::Alltime, "[1979]\npacman\n[1992]\nmk\n"},  // pacman unchanged
        {F::Aspect, "[3:4]\npacman\n"},
        {F::Resolution, "[288x224]\npacman\nmk2\n"},
        {F::NPlayers, "skipped\n[NPlayers]\npacman=2P alt\nmk=2P sim\nMK=1P\nnone=3P\n"},
        {F::Mature, "[FOLDER_SETTINGS]\n[ROOT_FOLDER]\nmk\nmk2\nmk\n"},
        {F::Catver,
         "[Category]\npacman=Maze\nmk=Fighter\npacman=Maze / Other\n"
         "[VerAdded]\npacman=.30\nmk=.37\n"},
        {F::Wizsort,
         "[Genre]\npacman=Maze\n[Year]\nmk=1992\npacman=\n[Mature]\nmk=1\n"
         "[Set]\nmk=x\n[Other]\nmk=y\n"},
    };
    const std::string before = test::AllRows(home.file("Arcanote.mdx"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Write(c.file, c.text);
        const std::string path = home.file(std::string(RowOf(c.file).folder) + "/" +
                                           std::string(RowOf(c.file).fileName));
        std::string rows[2];
        for (int collected = 0; collected < 2; ++collected) {
            const std::string database = OpenCopy("update" + std::to_string(collected) + ".mdb");
            {
                Transaction transaction;
                EXPECT_TRUE(collected ? RunUpdateImporter(c.file, path, progress)
                                      : ImporterOf(c.file)(path, progress, nullptr));
                transaction.Commit();
            }
            CloseDatabase();
            rows[collected] = test::AllRows(database);
        }
        EXPECT_NE(rows[0], before);
        EXPECT_EQ(rows[1], rows[0]);
    }
}

// The files read while the list is imported (no Data row yet) give the rows
// of a run after it: names that are no set, in another case or repeated,
// History links and Command rows included.
TEST_F(Support, FilesReadBeforeTheListGiveTheRowsOfARunAfterIt) {
    CloseDatabase();
    Write(F::Genre, "[Maze]\npacman\nPACMAN\nnone\n[Fighter]\nmk\n");
    Write(F::NPlayers, "[NPlayers]\npacman=2P alt\nnone=3P\nMK=1P\n");
    Write(F::Command,
          "$info=pacman,none,PACMAN,pacman\n$cmd\n[Moves]\nUp\n$end\n"
          "$info=none\n$cmd\n[Lost]\nNothing\n$end\n$info=mk\n$cmd\n[Kicks]\nHigh\n$end\n");
    Write(F::History,
          "$info=pacman,mk,none\n$bio\n\nPac-Man (c) 1980 Namco.\n\nEat.\n$end\n"
          "$info=none\n$bio\n\nNone (c) 1990 X.\n$end\n");
    std::string rows[2];
    for (int before = 0; before < 2; ++before) {
        const std::string database = OpenCopy("build" + std::to_string(before) + ".mdb");
        auto list = [] { Execute("INSERT INTO Data (InternalName) VALUES ('pacman'), ('mk')"); };
        if (before) {
            SupportFilesReading reading({});
            list();
            reading.Write(progress);
        } else {
            list();
            RunBuildImporters({}, progress);
        }
        CloseDatabase();
        rows[before] = test::AllRows(database);
    }
    EXPECT_EQ(rows[1], rows[0]);
    for (std::string_view row : {"|2P alt|", "|Fighter|", "1|1980 Namco.|Eat.|", "mk|Kicks|"})
        EXPECT_NE(rows[0].find(row), std::string::npos) << row;
    EXPECT_EQ(rows[0].find("Lost"), std::string::npos);

    // A cancelled build stops the History and Command rows kept back for the
    // list before the first of them (the stop is also asked inside the replay).
    for (const bool cancelled : {true, false}) {
        const std::string database = OpenCopy(cancelled ? "stopped.mdb" : "written.mdb");
        DataValues values(/*readNames=*/false);
        for (const F file : {F::Command, F::History})
            ASSERT_TRUE(ImporterOf(file)(SupportFilePath(file, {}), progress, &values));
        Execute("INSERT INTO Data (InternalName) VALUES ('pacman'), ('mk')");
        values.Write(false, [cancelled] { return cancelled; });
        for (const char* table : {"History", "Command"})
            EXPECT_EQ(QueryValue(std::string("SELECT count(*) > 0 FROM ") + table),
                      cancelled ? "0" : "1")
                << table;
        CloseDatabase();
    }
}

TEST_F(Support, PathRuleTakesTheChosenPlaceFirstAndTheOtherWhenMissing) {
    const std::string defined = home.file("mame/Folders/nplayers.ini");
    SupportPaths paths{true, {}};
    paths.defined[SlotOf(SupportFile::NPlayers)] = defined;
    const std::string own = home.file("ini/NPlayers.INI");                            // any case
    EXPECT_EQ(SupportFilePath(F::NPlayers, paths), home.str() + "ini/nplayers.ini");  // neither
    WriteFile(own, "[NPlayers]\n");
    EXPECT_EQ(SupportFilePath(F::NPlayers, paths), own);
    WriteFile(defined, "[NPlayers]\n");
    EXPECT_EQ(SupportFilePath(F::NPlayers, paths), defined);
    paths.useDefinedPaths = false;
    EXPECT_EQ(SupportFilePath(F::NPlayers, paths), own);
    std::filesystem::remove(own);
    EXPECT_EQ(SupportFilePath(F::NPlayers, paths), defined);
    // A history.xml beside the History.dat path counts as the history file.
    paths.defined[SlotOf(SupportFile::History)] = home.file("mame/History.dat");
    WriteFile(home.file("mame/history.xml"), "<history/>");
    EXPECT_EQ(SupportFilePath(F::History, paths), home.file("mame/History.dat"));
    // A cheat collection beside the missing Cheat.dat is read in its place.
    test::WriteZip(home.file("dat/cheat.zip"),
                   {{"pacman.xml",
                     "<mamecheat version=\"1\"><cheat desc=\"Lives\"><script "
                     "state=\"run\"><action>maincpu.pb@4e0f=03</action></script>"
                     "</cheat></mamecheat>"}});
    EXPECT_TRUE(RunSupportImporter(F::Cheat, {}, progress));
    EXPECT_EQ(QueryValue("SELECT Cheat FROM Data WHERE InternalName='pacman'"), "1");
}

TEST_F(Support, WizsortReplacesSixFilesWhateverTheyHold) {
    WriteSkippable();
    Write(F::Wizsort, "[Year]\npacman=1980\n");
    const std::vector<F> ran = RunBuildImporters({}, progress);
    EXPECT_TRUE(Has(ran, F::Wizsort));
    for (F file : {F::Genre, F::Catlist, F::Mature, F::Version, F::Alltime, F::Resolution})
        EXPECT_FALSE(Has(ran, file)) << RowOf(file).name;
    EXPECT_TRUE(Has(ran, F::Multiplayer));  // no nPlayers.ini
    EXPECT_EQ(QueryValue("SELECT Year FROM Data"), "1980");
    EXPECT_EQ(QueryValue("SELECT Genre FROM Data"), "");
}

TEST_F(Support, CatverReplacesCatlistAndVersionOnlyWhenComplete) {
    WriteSkippable();
    Write(F::NPlayers, "[NPlayers]\npacman=2P alt\n");
    Write(F::Catver, "[Category]\npacman=Maze\n[VerAdded]\npacman=.30\n");
    std::vector<F> ran = RunBuildImporters({}, progress);
    for (F file : {F::Genre, F::Mature, F::NPlayers, F::Alltime, F::Resolution})
        EXPECT_TRUE(Has(ran, file)) << RowOf(file).name;
    for (F file : {F::Version, F::Catlist, F::Multiplayer})
        EXPECT_FALSE(Has(ran, file)) << RowOf(file).name;
    EXPECT_EQ(QueryValue("SELECT VerAdded FROM Data"), ".30");

    // Without [VerAdded] Version.ini and Catlist.ini are read after all.
    Write(F::Catver, "[Category]\npacman=Maze\n");
    ran = RunBuildImporters({}, progress);
    EXPECT_TRUE(Has(ran, F::Version));
    EXPECT_TRUE(Has(ran, F::Catlist));
    EXPECT_EQ(QueryValue("SELECT VerAdded FROM Data"), "x");
}

TEST_F(Support, BuildOrderIsFixedAndStopsAtCancel) {
    for (int i = 0; i < kSupportFileCount; ++i)
        Write(static_cast<F>(i), "");
    std::vector<F> ran = RunBuildImporters({}, progress);
    // Empty Wizsort and nPlayers files are read: their successors are skipped.
    const std::vector<F> expected = {F::Mameinfo, F::Wizsort,  F::Catver,   F::Hiscore, F::Command,
                                     F::Cheat,    F::Controls, F::NPlayers, F::Aspect,  F::History};
    EXPECT_EQ(ran, expected);
    Write(F::Mameinfo, "# read up to here\n");
    test::RecordedProgress cancelled(1);  // at the first line
    EXPECT_EQ(RunBuildImporters({}, cancelled), std::vector<F>{F::Mameinfo});
}

// Each row reaches its consumers: its settings line, its default path under
// the emulator's folders, its update box (its download entry and translation
// row are checked in those folders' tests).
TEST_F(Support, EveryCatalogueRowReachesItsConsumers) {
    for (const SupportFileRow& row : kSupportFileCatalogue)
        TheSettings().DataFilePaths[row.slot] = "/defined/" + std::string(row.name);
    ASSERT_TRUE(SaveSettings());
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextLines(home.file("Arcanote.inf"), lines));
    TheSettings() = DefaultSettings();
    ASSERT_TRUE(LoadSettings());
    const EmulatorLayout layout = LayOutEmulatorPaths({}, home.file("mame"));
    for (const SupportFileRow& row : kSupportFileCatalogue) {
        SCOPED_TRACE(std::string(row.name));
        const std::string defined = "/defined/" + std::string(row.name);
        EXPECT_EQ(TheSettings().DataFilePaths[row.slot], defined);
        EXPECT_EQ(lines.at(3 + row.slot), defined);
        EXPECT_EQ(BaseName(layout.dataFiles[row.slot]), row.name);
        EXPECT_EQ(UpdateWindowState::BoxFile(row.updateBox), row.file);
        EXPECT_EQ(UpdateWindowState::BoxCaption(row.updateBox), row.caption);
    }
}

}  // namespace
}  // namespace arc
