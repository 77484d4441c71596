#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <utility>

#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/Version.h"
#include "pipeline/BuildPipeline.h"
#include "pipeline/BuildTestSupport.h"
#include "pipeline/DatabaseBuild.h"
#include "pipeline/MameLists.h"
#include "pipeline/SupportFiles.h"
#include "support/CliRun.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;
using Build = test::BuildTest;

/// The previous database as the failed build must leave it: the same bytes,
/// no other file under a final name, nothing of the build left beside it.
void ExpectPreviousDatabaseKept(const test::TempDir& home, const std::string& previous) {
    EXPECT_EQ(ReadFile(home.file("Arcanote.mdb")), previous);
    for (const char* left : {"Arcanote.mdb.bak", "Arcanote.mdb.new", "Arcanote.mdb.new-wal",
                             "Arcanote.mdb-wal", "listxml.txt.part"})
        EXPECT_FALSE(std::filesystem::exists(home.file(left))) << left;
}

TEST_F(Build, ListsAreMadeOnlyWhenMissingOrCutShort) {
    WriteFile(home.file("listxml.txt"), test::SmallListXml());
    WriteFile(home.file("tmp.sh"), "left over");
    EXPECT_TRUE(RunMameLists(Emulator()));
    EXPECT_EQ(Calls(), "-help\n");                       // only the version was missing
    EXPECT_EQ(ReadMameVersion(), "MAME v0.999 (fake)");  // the first non-empty line
    EXPECT_FALSE(std::filesystem::exists(home.file("vermame.txt")));
    EXPECT_FALSE(std::filesystem::exists(home.file("tmp.sh")));

    // A list cut short counts as missing: both lines run; then nothing is missing.
    WriteFile(home.file("listxml.txt"), test::SmallListXml().substr(0, 200));
    EXPECT_TRUE(RunMameLists(Emulator()));
    EXPECT_TRUE(RunMameLists(Emulator()));
    EXPECT_EQ(Calls(), "-help\n-help\n-listxml\n");
    EXPECT_EQ(ReadFile(home.file("listxml.txt")), test::SmallListXml());
}

TEST_F(Build, ScriptQuotesPathsTheShellWouldChange) {
    const std::string script = MameListsScript("/opt/my mame/mame", false);
    EXPECT_EQ(script.substr(0, script.find('\n', 7)),
              "set -e\n'/opt/my mame/mame' -help > \"" + home.file("vermame.txt.part") + "\"");
    EXPECT_NE(script.find("-listxml >\"" + home.file("listxml.txt.part") + "\"\n"),
              std::string::npos);
    EXPECT_EQ(MameListsScript("/usr/games/mame", true).find("-listxml"), std::string::npos);
    EXPECT_NE(MameListsScript("/x/$(rm -rf)/mame", true).find("'/x/$(rm -rf)/mame'"),
              std::string::npos);
}

TEST_F(Build, EmulatorIsFoundOrItsAbsenceTold) {
    const std::string path = std::getenv("PATH");
    setenv("PATH", home.str().c_str(), 1);
    TheSettings().MameExe.clear();
    TheSettings().MameFolder = home.str() + "no/";
    // Debian's emulator is used when none is named.
    EXPECT_EQ(MameExecutable(), access("/usr/games/mame", X_OK) == 0 ? "/usr/games/mame" : "");
    TheSettings().MameExe = home.file("no/mame");
    EXPECT_EQ(MameExecutable(), "");
    EXPECT_FALSE(RunMameLists(Emulator()));
    setenv("PATH", path.c_str(), 1);
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].text, home.file("no/mame") + "\r\n" + Text(6));
    EXPECT_EQ(ui().messages[0].icon, MsgIcon::Critical);
}

TEST_F(Build, TemplateIsNeverTheTargetAndItsAbsenceEndsTheBuild) {
    const std::string templateBytes = ReadFile(home.file("Arcanote.mdx"));
    ui().QueueFile(home.str() + "ini/../Arcanote.mdx");
    EXPECT_EQ(BuildDatabase().result, BuildResult::TargetIsTemplate);
    EXPECT_NE(ui().messages.back().text.find("is the template"), std::string::npos);
    EXPECT_EQ(ReadFile(home.file("Arcanote.mdx")), templateBytes);
    EXPECT_EQ(Calls(), "");

    std::filesystem::remove(home.file("Arcanote.mdx"));
    EXPECT_EQ(Run(Request()).result, BuildResult::TemplateMissing);
    EXPECT_EQ(ui().messages.back().text, WithLineBreaks(Text(104)));
}

TEST_F(Build, WholeBuildFillsTheDatabaseAndStampsTheVersion) {
    WriteFile(home.file("dat/History.DAT"),
              "$info=pacman,puckman,\n$bio\n\nPac-Man (c) 1980 Namco.\n\nDots.\n"
              "- TECHNICAL -\nControl : joystick\nButtons : 1\n$end\n");
    WriteFile(home.file("ini/Catver.ini"), "[Category]\npacman=Maze\n[VerAdded]\npacman=.30\n");
    WriteFile(home.file("ini/version.ini"), "[.99]\npacman\n");
    ui().QueueFile(home.file("Arcanote.mdb"));
    EXPECT_EQ(BuildDatabase().result, BuildResult::Built);
    EXPECT_EQ(Calls(), "-help\n-listxml\n");
    ASSERT_TRUE(OpenDatabase(home.file("Arcanote.mdb")));
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Data"), "3");
    EXPECT_EQ(QueryValue("SELECT VersionMame || '/' || VersionArcanote FROM Versions"),
              "MAME v0.999 (fake)/" + VersionString());
    EXPECT_EQ(QueryValue("SELECT Category || VerAdded FROM Data WHERE InternalName='pacman'"),
              "Maze.30");
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Data WHERE CodeHistory IS NOT NULL"), "2");
    ASSERT_FALSE(ui().messages.empty());
    EXPECT_EQ(ui().messages.back().text, Text(230));
    EXPECT_TRUE(ui().menusEnabled);
    EXPECT_FALSE(ui().progressVisible);

    // A second build, by the wizard, keeps the first one as ".bak", even while
    // it is open; the wizard's step ends without a message.
    ASSERT_TRUE(OpenDatabase(home.file("Arcanote.mdb")));
    ui().QueueAnswer(MsgAnswer::Yes);
    ui().QueueFile(home.file("Arcanote.mdb"));
    ui().messages.clear();
    BuildHooks wizardStep;
    wizardStep.inWizard = true;
    EXPECT_EQ(BuildDatabase(wizardStep).result, BuildResult::Built);
    EXPECT_EQ(ui().messages.size(), 1u);  // the question only
    ASSERT_TRUE(OpenDatabase(home.file("Arcanote.mdb.bak")));
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Data"), "3");
    CloseDatabase();
    EXPECT_EQ(Calls(), "-help\n-listxml\n-help\n");  // the list is reused
}

TEST_F(Build, RefusingToReplaceOrCancellingTheOptionsStopsBeforeTheEmulator) {
    WriteFile(home.file("Arcanote.mdb"), "previous");
    ui().QueueFile(home.file("Arcanote.mdb"));
    EXPECT_EQ(BuildDatabase().result, BuildResult::NotStarted);  // the question is answered No
    EXPECT_EQ(ReadFile(home.file("Arcanote.mdb")), "previous");
    // The chooser itself does not ask: the question above is the only one.
    EXPECT_TRUE(ui().fileRequests.back().flags & kNoOverwritePrompt);

    ui().QueueAnswer(MsgAnswer::Yes);
    ui().QueueFile(home.file("Arcanote.mdb"));
    BuildHooks hooks;
    // The user closes the window without OK.
    hooks.askImportOptions = [] { return std::optional<ImportChoices>(); };
    EXPECT_EQ(BuildDatabase(hooks).result, BuildResult::NotStarted);
    ExpectPreviousDatabaseKept(home, "previous");
    EXPECT_EQ(Calls(), "");

    // Regression (cancelled options saved the new path): a new file chosen and
    // the options cancelled leave the settings on the previous database.
    ui().QueueFile(home.file("new.mdb"));
    EXPECT_EQ(BuildDatabase(hooks).result, BuildResult::NotStarted);
    EXPECT_EQ(TheSettings().DatabasePath, home.file("Arcanote.mdb"));
    EXPECT_FALSE(std::filesystem::exists(home.file("new.mdb")));
}

// Regression: Cancel in the "new database" chooser went on with the current path.
TEST_F(Build, CancelledChooserBuildsNothing) {
    WriteFile(home.file("Arcanote.mdb"), "previous");
    ui().QueueAnswer(MsgAnswer::Yes);
    EXPECT_EQ(BuildDatabase().result, BuildResult::NotStarted);
    EXPECT_EQ(ReadFile(home.file("Arcanote.mdb")), "previous");
    EXPECT_EQ(Calls(), "");
}

// Regression: a failed build of a newly chosen file made it the settings' database.
TEST_F(Build, OnlyASuccessfulBuildChangesTheSavedDatabase) {
    WriteFile(home.file("fake/listxml.xml"), "");  // the emulator gives no list
    ui().QueueFile(home.file("other.mdb"));
    EXPECT_EQ(BuildDatabase().result, BuildResult::NoEmulator);
    EXPECT_EQ(TheSettings().DatabasePath, home.file("Arcanote.mdb"));
    WriteFile(home.file("fake/listxml.xml"), test::SmallListXml());
    ui().QueueFile(home.file("other.mdb"));
    EXPECT_EQ(BuildDatabase().result, BuildResult::Built);
    EXPECT_EQ(TheSettings().DatabasePath, home.file("other.mdb"));
}

// A cancel, a failing emulator, a list cut short, a file that is no list, an
// engine error in the XML import or in a support file, over the copy a killed
// build left: the build tells why, and nothing replaces the database.
TEST_F(Build, InterruptedOrFailedBuildKeepsThePreviousDatabase) {
    const std::string full = test::SmallListXml();
    const std::string cut = full.substr(0, full.size() / 2);
    const struct {
        std::string emulatorList;  // what -listxml prints
        const char* ending;        // how -listxml ends once printed
        std::string givenList;     // --listxml
        std::string cancelAt;      // the progress caption at which the user cancels
        const char* trigger;       // an engine error made by the template
        BuildResult outcome;
        const char* told;
    } cases[] = {
        {full, "exit 0", "", "Executing MAME ...", "", BuildResult::Cancelled, ""},
        {full, "exit 0", "", Text(180), "", BuildResult::Cancelled, ""},
        {full + std::string(30000, ' '), "exit 1", "", "", "", BuildResult::NoEmulator, "code 1"},
        {cut, "exit 0", "", "", "", BuildResult::NoEmulator, "cut short"},
        {cut, "exit 3", "", "", "", BuildResult::NoEmulator, "code 3"},
        {cut, "kill -9 $$", "", "", "", BuildResult::NoEmulator, "signal 9"},
        {"", "exit 0", "<html>\n</html>\n", "", "", BuildResult::NoList, "not a whole list"},
        {"", "exit 0", cut, "", "", BuildResult::NoList, "not a whole list"},
        {full, "exit 0", "", "", "BEFORE INSERT ON Data WHEN NEW.InternalName='mk'",
         BuildResult::Failed, "injected"},
        {full, "exit 0", "", "", "BEFORE UPDATE OF Genre ON Data", BuildResult::Failed, "injected"},
    };
    WriteFile(home.file("ini/genre.ini"), "[Maze]\npacman\n");
    const std::string templateBytes = ReadFile(home.file("Arcanote.mdx"));
    const std::string emulator = ReadFile(mame);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cancelAt + c.told + c.givenList);
        WriteFile(home.file("Arcanote.mdb"), "previous");
        WriteFile(home.file("Arcanote.mdb.new"), "left by a killed build");
        WriteFile(home.file("Arcanote.mdb.new-wal"), std::string(4096, 'w'));
        WriteFile(home.file("fake/listxml.xml"), c.emulatorList);
        WriteFile(mame, emulator + "if [ \"$1\" = -listxml ]; then " + c.ending + "; fi\n");
        // The previous list stays until a build replaces the database.
        const std::string previousList = full + " \n";
        WriteFile(home.file("listxml.txt"), previousList);
        WriteFile(home.file("fake/given.xml"), c.givenList);
        if (*c.trigger) {
            ASSERT_TRUE(OpenDatabase(home.file("Arcanote.mdx")));
            Execute(std::string("CREATE TRIGGER fault ") + c.trigger +
                    " BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
            CloseDatabase();
        }
        ui().messages.clear();
        ui().onProgress = [&](TaskProgress& progress) {
            if (!c.cancelAt.empty() && progress.Label().rfind(c.cancelAt, 0) == 0)
                progress.Cancel();
        };
        BuildRequest request = Request(c.givenList.empty() ? "" : home.file("fake/given.xml"));
        request.refreshList = true;
        const BuildOutcome outcome = Run(request);
        ui().onProgress = nullptr;
        EXPECT_EQ(outcome.result, c.outcome);
        EXPECT_FALSE(outcome.ok());
        for (const auto& message : ui().messages)
            EXPECT_NE(message.text, Text(230));
        if (*c.told) {
            ASSERT_TRUE(!outcome.told || !ui().messages.empty());
            const std::string said = outcome.told ? ui().messages.back().text : outcome.message;
            EXPECT_NE(said.find(c.told), std::string::npos) << said;
            if (outcome.told) {
                EXPECT_EQ(ui().messages.back().icon, MsgIcon::Critical);
            }
        }
        ExpectPreviousDatabaseKept(home, "previous");
        EXPECT_EQ(ReadFile(home.file("listxml.txt")), previousList);
        std::filesystem::remove(home.file("listxml.txt"));
        WriteFile(home.file("Arcanote.mdx"), templateBytes);
    }
    // The next build runs the emulator again and succeeds.
    WriteFile(home.file("fake/listxml.xml"), full);
    const BuildOutcome built = Run(Request());
    EXPECT_TRUE(built.ok());
    EXPECT_EQ(built.message, Text(230));
    EXPECT_EQ(ReadFile(home.file("Arcanote.mdb.bak")), "previous");
    EXPECT_FALSE(std::filesystem::exists(home.file("Arcanote.mdb.new")));
}

// The list is imported while the emulator prints it (more than a pipe holds);
// the database equals the one built from the saved copy, which holds the
// emulator's bytes as they were printed.
TEST_F(Build, StreamedListEqualsItsSavedCopyAndTheBuildFromIt) {
    std::string list = "\xef\xbb\xbf<?xml version=\"1.0\"?>\r\n<mame build=\"0.999\">\r\n";
    for (int i = 0; i < 2000; ++i) {
        const std::string name = "set" + std::to_string(i);
        list += "\t<machine name=\"" + name + "\" sourcefile=\"d" + std::to_string(i % 7) +
                ".cpp\"" + (i % 3 ? " cloneof=\"set0\"" : "") + ">\n\t\t<description>Game &amp; " +
                name + "</description>\n\t\t<year>19" + std::to_string(80 + i % 20) +
                "</year>\n\t\t<rom name=\"" + name +
                ".a\" size=\"4096\" crc=\"0badf00d\"/>\n"
                "\t\t<driver status=\"good\" emulation=\"good\"/>\n\t</machine>\n";
    }
    list += "</mame>\n";
    WriteFile(home.file("fake/listxml.xml"), list);
    WriteFile(home.file("listxml.txt"), "an older list");
    BuildRequest streamed = Request();
    streamed.refreshList = true;
    ASSERT_TRUE(Run(streamed).ok());
    EXPECT_EQ(Calls(), "-help\n-listxml\n");
    EXPECT_EQ(ReadFile(home.file("listxml.txt")), list);
    EXPECT_FALSE(std::filesystem::exists(home.file("listxml.txt.part")));

    BuildRequest fromFile = Request(home.file("listxml.txt"));
    fromFile.databasePath = home.file("FromFile.mdb");
    WriteFile(home.file("vermame.txt"), "\nMAME v0.999 (fake)  \n");  // read once per build
    ASSERT_TRUE(Run(fromFile).ok());
    const std::string rows = test::AllRows(home.file("Arcanote.mdb"));
    EXPECT_NE(rows.find("set1999|"), std::string::npos);
    // Equal rows, not a diff of thousands of lines when they differ.
    EXPECT_TRUE(rows == test::AllRows(home.file("FromFile.mdb")));

    // The command line says why and ends with 1 when the emulator dies
    // mid-list; the database and the list stay as they were.
    const std::string database = ReadFile(home.file("Arcanote.mdb"));
    WriteFile(home.file("fake/listxml.xml"), list.substr(0, list.size() / 2));
    WriteFile(mame, ReadFile(mame) + "if [ \"$1\" = -listxml ]; then kill -9 $$; fi\n");
    const test::CliRun run = test::RunCommand(
        home.str(), "build",
        {"--fresh-list", "--mame", mame, "--db", home.file("Arcanote.mdb"), "--yes"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE((run.out + run.err).find("signal 9"), std::string::npos)
        << run.out.substr(0, 2000) << run.err.substr(0, 2000);
    ExpectPreviousDatabaseKept(home, database);
    EXPECT_EQ(ReadFile(home.file("listxml.txt")), list);
}

// Regression: a kill between "database to .bak" and ".new to database" left
// no database, and the next build deleted the ".bak".
TEST_F(Build, NoMomentWithoutTheDatabaseAndTheBakKeptUntilTheNewOneIsIn) {
    const std::string db = home.file("Arcanote.mdb");
    WriteFile(db + ".bak", "oldest");
    WriteFile(db, "previous");
    EXPECT_ANY_THROW(ReplaceWithBuild(db, home.file("missing.new")));
    EXPECT_EQ(ReadFile(db), "previous");
    EXPECT_EQ(ReadFile(db + ".bak"), "oldest");
    // A reader that looks all the time never finds the database missing.
    std::atomic<bool> done{false};
    std::atomic<int> missing{0};
    std::thread watcher([&] {
        while (!done)
            if (access(db.c_str(), F_OK) != 0) ++missing;
    });
    for (int i = 0; i < 300; ++i) {
        WriteFile(db + ".new", std::to_string(i));
        ReplaceWithBuild(db, db + ".new");
    }
    done = true;
    watcher.join();
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(ReadFile(db), "299");
    EXPECT_EQ(ReadFile(db + ".bak"), "298");
    EXPECT_FALSE(std::filesystem::exists(db + ".new"));
}

// Regression: two overlapping builds of one database both failed.
TEST_F(Build, SecondWriterOfTheSameDatabaseIsRefusedAtOnce) {
    const std::string db = home.file("Arcanote.mdb");
    ASSERT_TRUE(Run(Request()).ok());
    {
        const BuildLock running(db);  // what a build in another process holds
        ASSERT_FALSE(running.Busy());
        const BuildOutcome second = Run(Request());
        EXPECT_EQ(second.result, BuildResult::Busy);
        EXPECT_NE(second.message.find("another build of this database is running"),
                  std::string::npos);
        EXPECT_EQ(test::QueryIn(db, "SELECT count(*) FROM Data"), "3");  // readers go on
    }
    EXPECT_FALSE(std::filesystem::exists(db + ".lock"));
    EXPECT_TRUE(Run(Request()).ok());
}

// A build from the installed emulator. Slow: runs only with
// ARCANOTE_REAL_MAME=1 and /usr/games/mame present.
TEST_F(Build, RealEmulatorsListIsImported) {
    std::string why;
    const std::string list = test::RealEmulatorList(why);
    if (list.empty()) GTEST_SKIP() << why;
    // The shared whole list stands for the build's own; the emulator still
    // gives its version.
    std::filesystem::copy_file(list, home.file("listxml.txt"),
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::remove(home.file("vermame.txt"));
    TheSettings().MameExe = "/usr/games/mame";
    EXPECT_EQ(Run(Request()).result, BuildResult::Built);
    EXPECT_FALSE(std::filesystem::exists(home.file("tmp.sh")));
    ASSERT_TRUE(OpenDatabase(home.file("Arcanote.mdb")));
    // The rows themselves are checked by the import's own real-emulator test.
    EXPECT_GT(std::stoi(QueryValue("SELECT count(*) FROM Data")), 30000);
    EXPECT_EQ(QueryValue("SELECT count(*) FROM Data WHERE InternalName IN ('z80', 'namco51')"),
              "0");
    EXPECT_NE(QueryValue("SELECT VersionMame FROM Versions"), Text(111));
}

}  // namespace
}  // namespace arc
