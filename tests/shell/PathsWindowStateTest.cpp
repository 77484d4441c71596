#include "core/FakeHome.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "shell/PathsWindowState.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::FakeHome;

class PathsWindowStateTest : public test::ProgramFolderTest {
  protected:
    PathsWindowState paths;
    FakeHome fakeHome;
};

TEST_F(PathsWindowStateTest, EmulatorFolderIsUpToTheLastBackslashElseSlash) {
    for (const auto& [path, folder] :
         {std::pair{"/home/ann/games/mame/mame", "/home/ann/games/mame/"},
          {"C:\\MAME\\mame.exe", "C:\\MAME\\"},
          {"a/b\\c/mame", "a/b\\"},
          {"  mame  ", "mame/"}})  // no separator: the trimmed text
        EXPECT_EQ(PathsWindowState::EmulatorFolder(path), folder) << path;
}

TEST_F(PathsWindowStateTest, ChooseExecutableAppliesTheFolderRuleBeforeAndAfter) {
    paths.Load();
    paths.mameExe = "/opt/emu/mame";
    ui().QueueFile("/usr/games/mame");
    EXPECT_TRUE(paths.ChooseExecutable());
    EXPECT_EQ(ui().fileRequests.at(0).initialName, "/opt/emu/mame");
    EXPECT_EQ(paths.mameExe, "/usr/games/mame");
    EXPECT_EQ(TheSettings().MameFolder, "/usr/games/");

    // Cancelled: the typed text still becomes MameExe and gives the folder.
    paths.mameExe = "/srv/arcade/mame";
    EXPECT_FALSE(paths.ChooseExecutable());
    EXPECT_EQ(TheSettings().MameExe, "/srv/arcade/mame");
    EXPECT_EQ(TheSettings().MameFolder, "/srv/arcade/");
}

TEST_F(PathsWindowStateTest, FolderChoosersStoreAtOnceAndTheFileChooserOnlyFillsTheBox) {
    paths.Load();
    paths.romsFolder = " /roms ";
    ui().QueueFolder("/big/roms");
    EXPECT_TRUE(paths.ChooseRomsFolder());
    EXPECT_EQ(TheSettings().RomsFolder, "/big/roms/");
    paths.artFolders[kMarquees] = "/art/marquees/";
    ui().QueueFolder("/art/marq");
    EXPECT_TRUE(paths.ChooseArtFolder(kMarquees));
    EXPECT_EQ(paths.artFolders[kMarquees], "/art/marq/");
    EXPECT_EQ(TheSettings().ArtFolders[kMarquees], "/art/marq/");

    paths.dataFiles[SlotOf(SupportFile::History)] = "/old/History.dat";
    ui().QueueFile("/new/history.dat");
    EXPECT_TRUE(paths.ChooseDataFile(SlotOf(SupportFile::History)));
    EXPECT_EQ(ui().fileRequests.back().initialName, "/old/History.dat");
    EXPECT_EQ(paths.dataFiles[SlotOf(SupportFile::History)], "/new/history.dat");
    // Only the box changes; the setting follows when the window closes.
    EXPECT_NE(TheSettings().DataFilePaths[SlotOf(SupportFile::History)], "/new/history.dat");
}

TEST_F(PathsWindowStateTest, AutoFillAnsweredNoChangesNothingAndYesFollowsTheEmulator) {
    // The emulator named in Text1 prints its folders unexpanded; ui.ini in
    // ~/.mame adds the dat and ini folders.
    const std::string home = fakeHome.dir.str();
    const std::string emulator = home + "emu/mame";
    fakeHome.Emulator(emulator, "printf 'snapshot_directory $HOME/Shots\\nrompath roms\\n'");
    fakeHome.Make("shots");  // found without regard to case
    fakeHome.Make("dats");
    test::WriteFile(home + ".mame/ui.ini", "historypath $HOME/dats\ncategorypath ~/cats\n");
    test::WriteFile(home + "cats/CATVER.INI", "");
    paths.Load();
    paths.mameExe = emulator;
    const PathsWindowState before = paths;
    const Settings settingsBefore = TheSettings();
    ui().QueueAnswer(MsgAnswer::No);
    ui().QueueAnswer(MsgAnswer::No);
    EXPECT_FALSE(paths.FillArtFolders() || paths.FillDataFiles());
    EXPECT_EQ(ui().messages.size(), 2u);
    EXPECT_EQ(paths.artFolders, before.artFolders);
    EXPECT_EQ(paths.dataFiles, before.dataFiles);
    EXPECT_EQ(TheSettings().ArtFolders, settingsBefore.ArtFolders);
    EXPECT_EQ(TheSettings().DataFilePaths, settingsBefore.DataFilePaths);

    ui().QueueAnswer(MsgAnswer::Yes);
    ui().QueueAnswer(MsgAnswer::Yes);
    EXPECT_TRUE(paths.FillArtFolders() && paths.FillDataFiles());
    EXPECT_EQ(paths.artFolders[kSnapshots], home + "shots/");
    EXPECT_EQ(TheSettings().ArtFolders[kTitles], home + "emu/titles/");
    EXPECT_EQ(paths.dataFiles[SlotOf(SupportFile::History)], home + "dats/History.dat");
    EXPECT_EQ(TheSettings().DataFilePaths[SlotOf(SupportFile::Genre)], home + "cats/Genre.ini");
    EXPECT_EQ(TheSettings().MameExe, emulator);
}

TEST_F(PathsWindowStateTest, LoadFillsTheBoxesAndUnloadStoresThemAsTypedAndSavesTheFile) {
    TheSettings().DataFilePaths[SlotOf(SupportFile::Genre)] = "/data/Folders/Genre.ini";
    paths.Load();
    EXPECT_FALSE(ui().menusEnabled);
    EXPECT_EQ(paths.DataFileLabel(SlotOf(SupportFile::Genre)), "Genre.ini");
    paths.mameExe = "/usr/games/mame";
    paths.romsFolder = "/roms";  // no separator added
    paths.artFolders[kSnapshots] = "/snaps";
    paths.dataFiles[SlotOf(SupportFile::Catver)] = "/ini/catver.ini";
    paths.Unload();
    EXPECT_TRUE(ui().menusEnabled);
    TheSettings() = DefaultSettings();
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(TheSettings().MameExe, "/usr/games/mame");
    EXPECT_EQ(TheSettings().RomsFolder, "/roms");
    EXPECT_EQ(TheSettings().ArtFolders[kSnapshots], "/snaps");
    EXPECT_EQ(TheSettings().DataFilePaths[SlotOf(SupportFile::Catver)], "/ini/catver.ini");
}

}  // namespace
}  // namespace arc
