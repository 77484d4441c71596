#include <gtest/gtest.h>

#include "core/EmulatorConfig.h"
#include "core/FakeHome.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::FakeHome;
using test::WriteFile;

class EmulatorConfigTest : public test::ProgramFolderTest {
  protected:
    std::string Home() const { return fakeHome.dir.str(); }
    FakeHome fakeHome;
};

TEST_F(EmulatorConfigTest, VariablesAndTildeExpandAsTheEmulatorDoes) {
    setenv("ARC_EMU_DIR", "/srv/emu", 1);
    unsetenv("ARC_EMU_UNSET");
    const struct {
        const char* path;
        std::string expanded;
    } cases[] = {
        {"$HOME/mame/roms", Home() + "mame/roms"},
        {"${ARC_EMU_DIR}/snap", "/srv/emu/snap"},
        {"~/cheat", Home() + "cheat"},
        {"$ARC_EMU_UNSET/roms", "/roms"},
        {"a$/b${", "a$/b${"},
        {"~other/roms", "~other/roms"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandPathVariables(c.path), c.expanded) << c.path;
}

TEST_F(EmulatorConfigTest, TheEmulatorsAnswerElseItsIniFilesWithABoundedWait) {
    const std::string user = Home() + ".mame/";
    const std::string system = Home() + "etc/";
    const struct {
        const char* name;
        const char* emulator;  // script body; "" for no emulator
        const char* userIni;   // "" for none
        std::string rompath;
        const char* logged;
    } cases[] = {
        {"answers", "printf '# PATHS\\nrompath  \"$HOME/my roms\"\\n'", "rompath /user",
         "$HOME/my roms", ""},
        {"fails", "echo rompath /cut; exit 3", "rompath /user", "/user", "ended with code 3"},
        {"hangs", "sleep 30", "rompath /user", "/user", "no answer in time"},
        {"silent", "exit 0", "", "/system", "printed no option"},
        {"none", "", "", "/system", ""},
    };
    WriteFile(system + "mame.ini", "rompath /system\r\n");
    WriteFile(system + "ui.ini", "historypath history;dats\n");
    for (const auto& c : cases) {
        std::filesystem::remove_all(user);
        std::filesystem::remove(LogFilePath());
        if (*c.userIni) WriteFile(user + "mame.ini", c.userIni);
        EmulatorConfigSources sources;
        if (*c.emulator) {
            sources.executable = Home() + "bin/mame";
            FakeHome::Emulator(sources.executable, c.emulator);
        }
        sources.iniFolders = {user, system};
        sources.timeout = std::chrono::milliseconds(300);
        const EmulatorOptions options = ReadEmulatorOptions(sources);
        EXPECT_EQ(options.at("rompath"), c.rompath) << c.name;
        EXPECT_EQ(options.at("historypath"), "history;dats") << c.name;
        const std::string log = test::ReadFile(LogFilePath());
        EXPECT_NE(log.find(c.logged), std::string::npos) << c.name << ": " << log;
    }

    EmulatorConfigSources nothing;
    nothing.iniFolders = {user};
    EXPECT_TRUE(ReadEmulatorOptions(nothing).empty());
    EXPECT_NE(test::ReadFile(LogFilePath()).find("usual folders"), std::string::npos);
}

TEST_F(EmulatorConfigTest, FirstExistingFolderFoundWithoutRegardToCase) {
    const std::string home = Home();
    const std::string base = home + "emu/";
    for (const char* folder : {"Roms2", "emu/cabdevs", "emu/Snap", "Folders", "Hash"})
        fakeHome.Make(folder);
    WriteFile(home + "emu/dats/HISTORY.DAT", "");
    WriteFile(home + "a.file", "");  // no folder can be made under it
    WriteFile(home + "emu/cheat.7z", "");
    WriteFile(home + "plugins/hiscore/hiscore.dat", "");
    EmulatorOptions options;
    ParseEmulatorOptions(
        "rompath $HOME/a.file/missing;$HOME/roms2\n"
        "snapshot_directory ~/snap\n"
        "categorypath $HOME/folders\n"
        "pluginspath $HOME/nothing;$HOME/plugins\n"
        "hashpath $HOME/nohash;$HOME/hash\n",
        options);
    const EmulatorLayout layout = LayOutEmulatorPaths(options, base);
    EXPECT_EQ(layout.romsFolder, home + "Roms2/");
    EXPECT_EQ(layout.hashFolder, home + "Hash/");
    EXPECT_EQ(LayOutEmulatorPaths({}, base).hashFolder, "");   // no software lists: no folder
    EXPECT_EQ(layout.artFolders[kSnapshots], home + "snap/");  // none exists: the one it names
    EXPECT_EQ(layout.artFolders[kCabinets], base + "cabdevs/");
    EXPECT_EQ(layout.dataFiles[SlotOf(SupportFile::History)], base + "dats/HISTORY.DAT");
    EXPECT_EQ(layout.dataFiles[SlotOf(SupportFile::Mameinfo)], base + "dats/Mameinfo.dat");
    EXPECT_EQ(layout.dataFiles[SlotOf(SupportFile::Hiscore)], home + "plugins/hiscore/hiscore.dat");
    EXPECT_EQ(layout.dataFiles[SlotOf(SupportFile::Cheat)], base + "Cheat.dat");  // beside cheat.7z
    EXPECT_EQ(layout.dataFiles[SlotOf(SupportFile::Catver)], home + "Folders/Catver.ini");
}

// Regression (the ROM folder was the first of the rompath that exists, the
// empty root-owned one; Play hid the emulator's other folders; the art
// folders went under the program folder).
TEST_F(EmulatorConfigTest, TheRomFolderIsTheOneThatHoldsSetsElseOneTheUserCanWrite) {
    const std::string home = Home();
    const std::string base = home + "emu/";
    fakeHome.Make("empty");  // exists first, holds nothing
    fakeHome.Make("shared");
    const std::string rompath = "rompath $HOME/mine/roms;$HOME/empty;$HOME/shared\n";
    struct Case {
        const char* sets;  // a file made in the folders, or ""
        std::string rom;
    };
    for (const Case& c :
         {Case{"", home + "mine/roms/"}, Case{"shared/pacman.zip", home + "shared/"},
          Case{"mine/roms/galaga.7z", home + "mine/roms/"}}) {
        if (*c.sets) WriteFile(home + c.sets, "");
        EmulatorOptions options;
        ParseEmulatorOptions(rompath + "snapshot_directory $HOME/.mame/snap\n", options);
        const EmulatorLayout layout = LayOutEmulatorPaths(options, base);
        EXPECT_EQ(layout.romsFolder, c.rom) << c.sets;
        EXPECT_EQ(layout.artFolders[kSnapshots], home + ".mame/snap/");
        EXPECT_EQ(layout.artFolders[kTitles], base + "titles/");  // no ui.ini: under the emulator
        EXPECT_EQ(LaunchRomPath("/games/roms/", options),
                  "/games/roms;" + home + "mine/roms;" + home + "empty;" + home + "shared");
        EXPECT_EQ(LaunchRomPath(home + "shared/", options),
                  home + "shared;" + home + "mine/roms;" + home + "empty");
    }
}

TEST_F(EmulatorConfigTest, FirstRunFollowsTheEmulatorElseItsLowerCaseFolders) {
    TheSettings().MameExe = Home() + "emu/mame";  // the emulator that the program would run
    FakeHome::Emulator(TheSettings().MameExe, "printf 'rompath $HOME/games\\n'");
    fakeHome.Make("games");
    Settings settings = DefaultSettings();
    FollowEmulatorConfiguration(settings);
    EXPECT_EQ(settings.RomsFolder, Home() + "games/");
    const std::string base = Home() + "mame/";
    EXPECT_EQ(settings.ArtFolders[kSnapshots], base + "snap/");
    EXPECT_EQ(settings.DataFilePaths[SlotOf(SupportFile::Genre)], base + "folders/Genre.ini");
}

}  // namespace
}  // namespace arc
