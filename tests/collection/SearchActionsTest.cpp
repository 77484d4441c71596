#include <gtest/gtest.h>

#include <filesystem>

#include "collection/CollectionGameDb.h"
#include "collection/SearchActions.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "core/TextTable.h"

namespace arc {
namespace {

namespace fs = std::filesystem;

class SearchActionsTest : public test::CollectionTest {
  protected:
    SearchActionsTest() {
        TheSettings().HtmlFolder = home.str();
        TheSettings().BackupFolder = home.str() + "backup/";
    }

    // A set name of exactly 13 characters, one longer, one whose archive is missing.
    std::vector<SearchResult> results = {{"abcdefghijklm", "Thirteen"},
                                         {"longsetname1234", "Long Name"},
                                         {"missing", "Not Here"},
                                         {"pacman", "Pac-Man"}};

    void AddArchives() {
        AddRom("abcdefghijklm.zip", "thirteen bytes");
        AddRom("longsetname1234.zip", "long");
        AddRom("pacman.ZIP", "pac");           // the extension's case does not matter
        AddRom("abcdefghijkl.zip", "twelve");  // what a cut name would hit
    }
    bool InRoms(const std::string& name) { return fs::exists(Roms() + name); }
};

TEST_F(SearchActionsTest, IniExportWritesAsksAndRefuses) {
    const std::string path = home.str() + "out/custom.ini";
    fs::create_directories(home.str() + "out");
    ui().QueueFile(path);
    EXPECT_TRUE(ExportResultsToIni(results, "Mine"));
    EXPECT_EQ(test::ReadFile(path),
              "[FOLDER_SETTINGS]\r\nRootFolderIcon cust1\r\nSubFolderIcon cust2\r\n\r\n\r\n"
              "[Mine]\r\nabcdefghijklm\r\nlongsetname1234\r\nmissing\r\npacman\r\n");
    EXPECT_EQ(ui().fileRequests[0].initialName, InProgramFolder("Mine.ini"));

    // An existing file and No: left as it was.
    ui().QueueFile(path);
    ui().QueueAnswer(MsgAnswer::No);
    EXPECT_FALSE(ExportResultsToIni({{"galaga", "Galaga"}}, "Other"));
    EXPECT_NE(test::ReadFile(path).find("[Mine]"), std::string::npos);

    // Cancelling the dialog writes nothing, not even under the proposed name;
    // an empty list does not even ask.
    EXPECT_FALSE(ExportResultsToIni(results, "Mine"));
    EXPECT_FALSE(fs::exists(InProgramFolder("Mine.ini")));
    EXPECT_FALSE(ExportResultsToIni({}, "Mine"));
    EXPECT_EQ(ui().fileRequests.size(), 3u);

    // A path that cannot be written is told and leaves no file.
    ui().messages.clear();
    const std::string bad = home.str() + "no/such/folder/custom.ini";
    ui().QueueFile(bad);
    EXPECT_FALSE(ExportResultsToIni(results, "Mine"));
    EXPECT_FALSE(fs::exists(bad));
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].icon, MsgIcon::Critical);
    EXPECT_NE(ui().messages[0].text.find(bad), std::string::npos);
}

TEST_F(SearchActionsTest, DeleteTrashesAfterYesAndAsksOnceAboutABackupFolderNotMade) {
    AddArchives();
    TheSettings().BackupFolder = home.str() + "not/creatable/";
    ui().QueueAnswer(MsgAnswer::No);
    EXPECT_FALSE(DeleteResultArchives(results, false).ran);
    ui().QueueAnswer(MsgAnswer::Yes);
    ui().QueueAnswer(MsgAnswer::No);  // no deleting without the backup asked for
    EXPECT_FALSE(DeleteResultArchives(results, true).ran);
    EXPECT_TRUE(InRoms("pacman.ZIP"));

    ui().messages.clear();
    ui().QueueAnswer(MsgAnswer::Yes);
    const ArchiveActionOutcome outcome = DeleteResultArchives(results, false);
    EXPECT_EQ(outcome.done, 3);
    EXPECT_EQ(outcome.missing, 1);
    EXPECT_FALSE(InRoms("longsetname1234.zip"));
    EXPECT_TRUE(InRoms("abcdefghijkl.zip"));
    EXPECT_EQ(test::ReadFile(home.str() + "xdg/Trash/files/pacman.ZIP"), "pac");
    EXPECT_EQ(ui().messages.size(), 2u);  // confirm, done: no backup question

    AddArchives();
    ui().messages.clear();
    ui().QueueAnswer(MsgAnswer::Yes);
    ui().QueueAnswer(MsgAnswer::Yes);
    EXPECT_EQ(DeleteResultArchives(results, true).done, 3);
    EXPECT_FALSE(fs::exists(home.str() + "not"));
    EXPECT_EQ(ui().messages.size(), 3u);  // confirm, backup question, done
}

TEST_F(SearchActionsTest, DeleteWithBackupCopiesFirstAndKeepsWhatFailed) {
    AddArchives();
    // Something that is no file stands where one backup copy must go.
    fs::create_directories(home.str() + "backup/longsetname1234.zip/x");
    ui().QueueAnswer(MsgAnswer::Yes);
    const ArchiveActionOutcome outcome = DeleteResultArchives(results, true);
    EXPECT_EQ(outcome.done, 2);
    EXPECT_EQ(outcome.kept, (std::vector<std::string>{"longsetname1234.zip"}));
    EXPECT_EQ(test::ReadFile(home.str() + "backup/pacman.ZIP"), "pac");
    EXPECT_EQ(test::ReadFile(Roms() + "longsetname1234.zip"), "long");
    EXPECT_FALSE(InRoms("abcdefghijklm.zip"));
    ASSERT_EQ(ui().messages.size(), 3u);
    EXPECT_NE(ui().messages[1].text.find("longsetname1234.zip"), std::string::npos);
    EXPECT_EQ(ui().messages[1].icon, MsgIcon::Exclamation);

    // The backup folder is the ROM folder: copying onto itself must not lose it.
    AddArchives();
    TheSettings().BackupFolder = Roms();
    ui().QueueAnswer(MsgAnswer::Yes);
    const ArchiveActionOutcome same = DeleteResultArchives(results, true);
    EXPECT_EQ(same.done, 0);
    EXPECT_EQ(same.kept.size(), 3u);
    EXPECT_EQ(test::ReadFile(Roms() + "abcdefghijklm.zip"), "thirteen bytes");
}

TEST_F(SearchActionsTest, SevenZipSetsAreActedOnAndASetInBothFormatsIsTold) {
    AddRom("pacman.7z", "seven");
    AddRom("galaga.zip", "zip");
    AddRom("galaga.7Z", "7z");
    const std::vector<SearchResult> sets = {
        {"galaga", "Galaga"}, {"missing", "Not Here"}, {"pacman", "Pac-Man"}};
    ui().QueueFolder(home.str() + "copies");
    ui().QueueAnswer(MsgAnswer::Yes);
    const ArchiveActionOutcome outcome = CopyResultArchives(sets);
    EXPECT_EQ(outcome.missing, 1);
    EXPECT_EQ(outcome.bothFormats, std::vector<std::string>{"galaga"});
    EXPECT_EQ(ListFolder(home.str() + "copies", "*"),
              (std::vector<std::string>{"galaga.7Z", "galaga.zip", "pacman.7z"}));
    EXPECT_NE(ui().messages[1].text.find("both a .zip and a .7z"), std::string::npos);

    ui().QueueAnswer(MsgAnswer::Yes);
    EXPECT_EQ(DeleteResultArchives(sets, false).done, 3);
    EXPECT_TRUE(ListFolder(Roms(), "*").empty());
    EXPECT_EQ(test::ReadFile(home.str() + "xdg/Trash/files/pacman.7z"), "seven");
}

TEST_F(SearchActionsTest, MoveNeverLosesAnArchive) {
    AddArchives();
    const std::string moved = home.str() + "moved/";
    fs::create_directories(moved + "pacman.ZIP/x");  // blocks one move
    ui().QueueFolder(moved);
    ui().QueueAnswer(MsgAnswer::Yes);
    const ArchiveActionOutcome outcome = MoveResultArchives(results);
    EXPECT_EQ(outcome.kept, (std::vector<std::string>{"pacman.ZIP"}));
    EXPECT_EQ(test::ReadFile(Roms() + "pacman.ZIP"), "pac");
    EXPECT_EQ(outcome.done, 2);
    EXPECT_EQ(test::ReadFile(moved + "longsetname1234.zip"), "long");
    EXPECT_FALSE(InRoms("longsetname1234.zip"));
    EXPECT_TRUE(InRoms("abcdefghijkl.zip"));  // the cut name is no result

    // A cancelled chooser, a No, or the ROM folder itself: nothing moves.
    ui().messages.clear();
    EXPECT_FALSE(MoveResultArchives(results).ran);
    ui().QueueFolder(home.str() + "elsewhere");
    ui().QueueAnswer(MsgAnswer::No);
    EXPECT_FALSE(MoveResultArchives(results).ran);
    ui().QueueFolder(Roms());
    EXPECT_FALSE(MoveResultArchives(results).ran);
    ASSERT_EQ(ui().messages.size(), 2u);  // the question, the refusal
    EXPECT_EQ(ui().messages[1].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(fs::exists(home.str() + "elsewhere"));
}

TEST_F(SearchActionsTest, CancelStopsTheLoopAndKeepsTheRest) {
    AddArchives();
    ui().QueueAnswer(MsgAnswer::Yes);
    test::RecordedProgress progress(2);
    TaskContext context(progress, ui());
    const ArchiveActionOutcome outcome =
        RunArchiveAction({ArchiveAction::Delete, results, Roms(), {}, false, {}}, context);
    EXPECT_TRUE(outcome.cancelled());
    EXPECT_EQ(outcome.done, 1);
    EXPECT_TRUE(InRoms("pacman.ZIP"));
}

}  // namespace
}  // namespace arc
