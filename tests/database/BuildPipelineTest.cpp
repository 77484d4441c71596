#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>

#include "core/AppState.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/Version.h"
#include "database/BuildPipeline.h"
#include "database/BuildTestSupport.h"
#include "database/DatabaseBuild.h"
#include "database/MameLists.h"
#include "database/SupportFiles.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;
using Build = test::BuildTest;

TEST_F(Build, ExistingListsMeanTheEmulatorIsNotRun) {
    WriteFile(home.file("listxml.txt"), test::SmallListXml());
    WriteFile(home.file("vermame.txt"), "MAME v1\n");
    WriteFile(home.file("tmp.sh"), "left over");
    EXPECT_TRUE(RunMameLists());
    EXPECT_EQ(Calls(), "");
    EXPECT_FALSE(std::filesystem::exists(home.file("tmp.sh")));
}

TEST_F(Build, OnlyTheMissingVersionIsAskedFor) {
    WriteFile(home.file("listxml.txt"), "<mame/>");
    EXPECT_TRUE(RunMameLists());
    EXPECT_EQ(Calls(), "-help\n");
    EXPECT_EQ(ReadMameVersion(), "MAME v0.999 (fake)");  // the first non-empty line
    EXPECT_FALSE(std::filesystem::exists(home.file("vermame.txt")));
    EXPECT_FALSE(std::filesystem::exists(home.file("tmp.sh")));

    // An empty list counts as missing: both lines run.
    WriteFile(home.file("listxml.txt"), "");
    EXPECT_TRUE(RunMameLists());
    EXPECT_EQ(Calls(), "-help\n-help\n-listxml\n");
    EXPECT_EQ(ReadFile(home.file("listxml.txt")), test::SmallListXml());
}

TEST_F(Build, ScriptQuotesPathsTheShellWouldChange) {
    const std::string script = MameListsScript("/opt/my mame/mame", false);
    EXPECT_EQ(script.substr(0, script.find('\n')),
              "'/opt/my mame/mame' -help > \"" + home.file("vermame.txt") + "\"");
    EXPECT_NE(script.find("-listxml >\"" + home.file("listxml.txt") + "\"\n"), std::string::npos);
    EXPECT_EQ(MameListsScript("/usr/games/mame", true).find("-listxml"), std::string::npos);
    EXPECT_NE(MameListsScript("/x/$(rm -rf)/mame", true).find("'/x/$(rm -rf)/mame'"),
              std::string::npos);
}

TEST_F(Build, DebiansEmulatorIsFoundWhenNoneIsNamed) {
    if (access("/usr/games/mame", X_OK) != 0) GTEST_SKIP() << "no /usr/games/mame";
    TheSettings().MameExe.clear();
    TheSettings().MameFolder = home.str() + "no/";
    const std::string path = std::getenv("PATH");
    setenv("PATH", home.str().c_str(), 1);
    EXPECT_EQ(MameExecutable(), "/usr/games/mame");
    setenv("PATH", path.c_str(), 1);
}

TEST_F(Build, MissingEmulatorIsToldAndStopsTheLists) {
    TheSettings().MameExe = home.file("no/mame");
    TheSettings().MameFolder = home.str() + "no/";
    const std::string path = std::getenv("PATH");
    setenv("PATH", home.str().c_str(), 1);
    EXPECT_EQ(MameExecutable(), "");
    EXPECT_FALSE(RunMameLists());
    setenv("PATH", path.c_str(), 1);
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].text, home.file("no/mame") + "\r\n" + Text(6));
    EXPECT_EQ(ui().messages[0].icon, MsgIcon::Critical);
}

TEST_F(Build, MissingTemplateOrEmptyListEndsTheBuild) {
    std::filesystem::rename(home.file("Arcanote.mdx"), home.file("template"));
    EXPECT_EQ(CreerMDB(), BuildOutcome::TemplateMissing);
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].text, WithLineBreaks(Text(104)));

    // The emulator gives no list: no game, so no support file is read.
    std::filesystem::rename(home.file("template"), home.file("Arcanote.mdx"));
    WriteFile(home.file("fake/listxml.xml"), "");
    WriteFile(home.file("dat/cheat.dat"), "pacman:1\n");
    EXPECT_EQ(CreerMDB(), BuildOutcome::NoList);
    EXPECT_TRUE(ui().menusEnabled);
    EXPECT_FALSE(ui().progressVisible);
    for (const auto& message : ui().messages)
        EXPECT_NE(message.text, Text(230));
}

TEST_F(Build, WholeBuildFillsTheDatabaseAndStampsTheVersion) {
    WriteFile(home.file("dat/History.DAT"),
              "$info=pacman,puckman,\n$bio\n\nPac-Man (c) 1980 Namco.\n\nDots.\n"
              "- TECHNICAL -\nControl : joystick\nButtons : 1\n$end\n");
    WriteFile(home.file("ini/Catver.ini"), "[Category]\npacman=Maze\n[VerAdded]\npacman=.30\n");
    WriteFile(home.file("ini/version.ini"), "[.99]\npacman\n");
    EXPECT_EQ(CreerMDB(), BuildOutcome::Built);
    EXPECT_EQ(Calls(), "-help\n-listxml\n");
    ASSERT_TRUE(OpenDatabase(home.file("Arcanote.mdb")));
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Data"), "3");
    EXPECT_EQ(QueryValue("SELECT VersionMame FROM Versions"), "MAME v0.999 (fake)");
    EXPECT_EQ(QueryValue("SELECT VersionArcanote FROM Versions"), VersionString());
    EXPECT_EQ(QueryValue("SELECT VerAdded FROM Data WHERE InternalName='pacman'"), ".30");
    EXPECT_EQ(QueryValue("SELECT Category FROM Data WHERE InternalName='pacman'"), "Maze");
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Data WHERE CodeHistory IS NOT NULL"), "2");
    ASSERT_FALSE(ui().messages.empty());
    EXPECT_EQ(ui().messages.back().text, Text(230));
    EXPECT_TRUE(ui().menusEnabled);
    EXPECT_FALSE(ui().progressVisible);

    // A second build keeps the first one as ".bak", even while it is open.
    ASSERT_TRUE(OpenDatabase(home.file("Arcanote.mdb")));
    ui().QueueAnswer(MsgAnswer::Yes);
    EXPECT_EQ(CreerMDB(), BuildOutcome::Built);
    ASSERT_TRUE(OpenDatabase(home.file("Arcanote.mdb.bak")));
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Data"), "3");
    CloseDatabase();
    EXPECT_EQ(Calls(), "-help\n-listxml\n-help\n");  // the list is reused
}

TEST_F(Build, RefusingToReplaceOrCancellingTheOptionsStopsBeforeTheEmulator) {
    WriteFile(home.file("Arcanote.mdb"), "previous");
    EXPECT_EQ(CreerMDB(), BuildOutcome::NotStarted);  // the question is answered No
    EXPECT_EQ(ReadFile(home.file("Arcanote.mdb")), "previous");

    ui().QueueAnswer(MsgAnswer::Yes);
    bool open = false;
    BuildHooks hooks;
    hooks.openImportOptions = [&] { open = true; };
    hooks.importOptionsOpen = [&] {
        // The user closes the window without OK.
        State().Form9Message = "[FORM9]CANCEL";
        return std::exchange(open, false);
    };
    EXPECT_EQ(CreerMDB(hooks), BuildOutcome::NotStarted);
    EXPECT_EQ(ReadFile(home.file("Arcanote.mdb.bak")), "previous");
    EXPECT_EQ(ReadFile(home.file("Arcanote.mdb")), ReadFile(home.file("Arcanote.mdx")));
    EXPECT_EQ(Calls(), "");
}

TEST_F(Build, CancelledBuildLeavesADatabaseThatOpens) {
    WriteFile(home.file("ini/genre.ini"), "[Maze]\npacman\n");
    // Cancelled while the emulator runs, then right after the XML import.
    for (const std::string& label : {std::string("Executing MAME ..."), Text(180)}) {
        ui().QueueAnswer(MsgAnswer::Yes);
        ui().onProcessEvents = [&, label] {
            if (Progress().Label.rfind(label, 0) == 0) Progress().Cancel = true;
        };
        EXPECT_EQ(CreerMDB(), BuildOutcome::Cancelled) << label;
        ui().onProcessEvents = nullptr;
        ASSERT_TRUE(OpenDatabase(home.file("Arcanote.mdb")));
        EXPECT_NO_THROW(QueryValue("SELECT count(*) FROM Data"));
        EXPECT_TRUE(ui().menusEnabled);
        CloseDatabase();
    }
    // What was written before the cancel stays.
    ASSERT_TRUE(OpenDatabase(home.file("Arcanote.mdb")));
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Versions"), "1");
    EXPECT_TRUE(std::filesystem::exists(home.file("Arcanote.mdb.bak")));
    for (const auto& message : ui().messages)
        EXPECT_NE(message.text, Text(230));
}

TEST_F(Build, WizardRunEndsItsStepWithoutMessageOrMenus) {
    WriteFile(home.file("listxml.txt"), test::SmallListXml());
    State().WizardMode = true;
    State().WizardTaskRunning = true;
    EXPECT_EQ(CreerMDB(), BuildOutcome::Built);
    EXPECT_FALSE(State().WizardTaskRunning);
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_FALSE(ui().menusEnabled);
}

}  // namespace
}  // namespace arc
