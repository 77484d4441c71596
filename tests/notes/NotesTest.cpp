#include "notes/Notes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "core/Files.h"
#include "core/Settings.h"
#include "database/Database.h"
#include "database/Schema.h"
#include "notes/NotesFile.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

namespace arc {
namespace {

using test::ReadFile;
using test::WriteFile;

TEST(GameNoteTest, OnlyTheGamesNoteChangesAndEveryOtherByteStays) {
    const std::string file =
        "[dkong]         Donkey Kong\r\nBarrels\r\n\r\nladders\r\n\r\n"
        "[galaga]        Galaga\r\n\r\n[pacman]        Pac-Man\r\nold\r\n\r\n\r\n";
    EXPECT_EQ(GameNote(file, "DKONG"), "Barrels\n\nladders");
    EXPECT_EQ(GameNote(file, "galaga"), "");
    struct Case {
        std::string set, note, expected;
    };
    const Case cases[] = {
        {"galaga", "Dual\nfighter\n",
         "[dkong]         Donkey Kong\r\nBarrels\r\n\r\nladders\r\n\r\n"
         "[galaga]        Galaga\r\nDual\r\nfighter\r\n\r\n[pacman]        "
         "Pac-Man\r\nold\r\n\r\n\r\n"},
        {"pacman", "",
         "[dkong]         Donkey Kong\r\nBarrels\r\n\r\nladders\r\n\r\n"
         "[galaga]        Galaga\r\n\r\n[pacman]        Pac-Man\r\n\r\n\r\n"},
        {"xevious", "Hidden tower", file + "[xevious]       Xevious\r\nHidden tower\r\n\r\n"},
    };
    for (const Case& c : cases) {
        const std::string changed = WithGameNote(file, c.set, "Xevious", c.note);
        EXPECT_EQ(changed, c.expected) << c.set;
        EXPECT_EQ(GameNote(changed, c.set), c.note.substr(0, c.note.find_last_not_of('\n') + 1));
    }
    // A header on the last line without a line end; a file with LF line ends keeps them.
    EXPECT_EQ(WithGameNote("[a] A", "a", "", "x"), "[a] A\r\nx\r\n");
    EXPECT_EQ(WithGameNote("[a] A\nold\n\n[b] B\n", "a", "", "new"), "[a] A\nnew\n\n[b] B\n");

    test::TempDir home;
    const std::string path = home.file("NOTES.TXT");
    WriteFile(path, file);
    ASSERT_TRUE(SaveGameNote(path, "galaga", "Galaga", "Dual\nfighter"));
    EXPECT_EQ(ReadFile(path), cases[0].expected);
}

TEST(NoteHeaderTest, LongNamesKeepTheirBracketAndOnlyBracketedLinesAreHeaders) {
    EXPECT_EQ(NoteHeaderLine("abcdefghijklmn", "T"), "[abcdefghijklmn]T");
    EXPECT_EQ(NoteHeaderLine("abcdefghijklmnop", "Long"), "[abcdefghijklmnop] Long");
    EXPECT_EQ(NoteHeaderName("  [galaga]        Galaga  "), "galaga");
    EXPECT_FALSE(IsNoteHeader("x [y]"));
    EXPECT_FALSE(IsNoteHeader("[unclosed"));
}

class NotesTest : public test::ProgramFolderTest {
  protected:
    NotesTest() {
        dbPath = home.file("Arcanote.mdb");
        std::string error;
        EXPECT_TRUE(CreateTemplateDatabase(dbPath, &error)) << error;
        TheSettings().DatabasePath = dbPath;
    }
    ~NotesTest() override { CloseDatabase(); }

    void AddGames(const std::vector<std::pair<std::string, std::string>>& games) const {
        ASSERT_TRUE(OpenDatabase(dbPath));
        Statement insert("INSERT INTO Data (InternalName, GameName) VALUES (?, ?)");
        Transaction transaction;
        for (const auto& [name, title] : games)
            insert.Bind(1, name).Bind(2, title).Run();
        transaction.Commit();
        CloseDatabase();
    }

    std::string NoteOf(const std::string& name) {
        return test::QueryIn(dbPath, "SELECT MyNotes FROM Data WHERE InternalName='" + name + "'");
    }

    std::string notesPath() const { return home.file("NOTES.TXT"); }
    NotesRequest request() const { return NotesRequestFor(dbPath); }
    std::string dbPath;
};

TEST_F(NotesTest, WriteCreatesTheListInTitleOrderOpensItAndRoundTripsThroughTheCopy) {
    AddGames({{"pacman", "Pac-Man"}, {"qbert", "Q*bert"}, {"1942", "1942"}});
    WriteGameNote(request());
    const std::string text = ReadFile(notesPath());
    EXPECT_EQ(text,
              "[1942]          1942\r\n\r\n"
              "[pacman]        Pac-Man\r\n\r\n"
              "[qbert]         Q*bert\r\n\r\n");
    EXPECT_EQ(ui().opened, std::vector<std::string>{notesPath()});
    EXPECT_FALSE(ui().progressVisible);
    EXPECT_FALSE(IsDatabaseOpen());

    WriteFile(notesPath(), text.substr(0, text.size() - 2) + "D'oh!\r\n\r\n");
    EXPECT_EQ(CopyNotesToDatabase(request()).updated, 1);
    EXPECT_EQ(NoteOf("qbert"), "D'oh!\r\n\r\n");
    EXPECT_EQ(NoteOf("pacman"), "");

    // An existing file is never rebuilt.
    WriteFile(notesPath(), "mine\r\n");
    WriteGameNote(request());
    EXPECT_EQ(ReadFile(notesPath()), "mine\r\n");
    EXPECT_EQ(ui().opened.size(), 2u);
}

// The list once stopped at 32,000 games: sf2, tetris, xevious had no header.
TEST_F(NotesTest, ListHoldsEveryGameBeyondThirtyTwoThousand) {
    std::vector<std::pair<std::string, std::string>> games;
    for (int i = 0; i < 32001; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "g%05d", i);
        games.emplace_back(name, std::string("Game ") + name);
    }
    AddGames(games);
    EXPECT_TRUE(WriteGameNote(request()).ok());
    std::string text = ReadFile(notesPath());
    EXPECT_EQ(std::count(text.begin(), text.end(), '['), 32001);
    EXPECT_NE(text.find("[g32000]        Game g32000\r\n\r\n"), std::string::npos);
}

// The terminal keeps the old notes unless --replace-notes is given; --yes is not enough.
TEST_F(NotesTest, OldNotesAreBroughtInUnlessReplacingThemWasAsked) {
    AddGames({{"pacman", "Pac-Man"}, {"galaga", "Galaga"}});
    setenv("XDG_DATA_HOME", home.file("xdg").c_str(), 1);
    const std::string kept =
        "[galaga]        Galaga\r\n\r\n"
        "[pacman]        Pac-Man\r\nGreat game\r\nLevel 256!\r\n\r\n";
    const std::string replaced = "[galaga]        Galaga\r\n\r\n[pacman]        Pac-Man\r\n\r\n";
    const std::pair<std::vector<std::string>, const std::string*> cases[] = {
        {{"write"}, &kept}, {{"write", "--yes"}, &kept}, {{"write", "--replace-notes"}, &replaced}};
    for (const auto& [args, expected] : cases) {
        std::filesystem::remove(notesPath());
        WriteFile(home.file("Notes/pacman.txt"),
                  "[pacman] Pac-Man\r\n\r\nGreat game\r\nLevel 256!\r\n");
        WriteFile(home.file("Notes/galaga.txt"), "no header\r\nlost\r\n");
        const test::CliRun run = test::RunCommand(home.str(), "notes", args);
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(ReadFile(notesPath()), *expected) << args.back();
        // Only --replace-notes trashes a file that NOTES.TXT does not hold.
        EXPECT_EQ(FileExists(home.file("Notes/galaga.txt")), args.back() != "--replace-notes");
        EXPECT_TRUE(FileExists(home.file("xdg/Trash/files/pacman.txt")));
        std::filesystem::remove_all(home.file("xdg"));
        std::filesystem::remove_all(home.file("Notes"));
    }
    unsetenv("XDG_DATA_HOME");
}

TEST_F(NotesTest, ANotesFileThatCannotBeWrittenFailsAndKeepsTheOldNotes) {
    AddGames({{"pacman", "Pac-Man"}});
    WriteFile(home.file("Notes/pacman.txt"), "[pacman]\r\nold\r\n");
    std::filesystem::create_directories(notesPath());  // a folder in the way
    ui().QueueAnswer(MsgAnswer::Yes);
    const NotesOutcome outcome = WriteGameNote(request());
    EXPECT_TRUE(outcome.failed());
    EXPECT_NE(outcome.message.find(notesPath()), std::string::npos) << outcome.message;
    EXPECT_EQ(ReadFile(home.file("Notes/pacman.txt")), "[pacman]\r\nold\r\n");
    ASSERT_EQ(ui().messages.size(), 2u);
    EXPECT_EQ(ui().messages[1].icon, MsgIcon::Critical);
    EXPECT_TRUE(ui().opened.empty());
    EXPECT_FALSE(IsDatabaseOpen());
}

TEST_F(NotesTest, CommandsThatFailExitNonZeroAndSayWhy) {
    AddGames({{"pacman", "Pac-Man"}});
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"copy"}, "NOTES.TXT does not exist"},
        {{"write", "--db", home.file("none.mdb")}, "cannot open the database"}};
    for (const auto& [args, said] : cases) {
        const test::CliRun run = test::RunCommand(home.str(), "notes", args);
        EXPECT_EQ(run.code, 1);
        EXPECT_NE(run.err.find(said), std::string::npos) << run.err;
    }
    EXPECT_FALSE(FileExists(notesPath()));
    EXPECT_NE(TheSettings().DatabasePath, home.file("none.mdb"));  // --db is for one run
    // From the build: nothing shown, the build keeps its connection.
    InstallUi(&ui());  // the command line put back the silent one
    ASSERT_TRUE(OpenDatabase(dbPath));
    test::RecordedProgress progress;
    TaskContext context(progress, ui());
    EXPECT_TRUE(RunNotesCopy({.notesFile = notesPath(), .inBuild = true}, context).failed());
    EXPECT_TRUE(ui().messages.empty());
    EXPECT_TRUE(IsDatabaseOpen());
}

// The request names every file: the settings' database, missing here, is
// never opened, nor saved when the user picks another one in its place.
TEST_F(NotesTest, TheRequestsFilesAreUsedAndTheSettingsStayAsTheyWere) {
    AddGames({{"pacman", "Pac-Man"}, {"galaga", "Galaga"}});
    TheSettings().DatabasePath = home.file("saved.mdb");
    NotesRequest notes{dbPath, home.file("mine/notes.txt"), home.file("old"), OldNotes::BringIn};
    WriteFile(home.file("old/pacman.txt"), "[pacman]\r\nmaze\r\n");
    WriteFile(home.file("mine/keep"), "");
    test::RecordedProgress progress;
    TaskContext context(progress, ui());
    const NotesOutcome written = RunNotesWrite(notes, context);
    EXPECT_TRUE(written.ok() && written.fileReady) << written.message;
    EXPECT_EQ(ReadFile(notes.notesFile),
              "[galaga]        Galaga\r\n\r\n[pacman]        Pac-Man\r\nmaze\r\n\r\n");
    EXPECT_TRUE(ui().messages.empty());  // the request's choice: nothing asked
    EXPECT_FALSE(FileExists(home.file("old/pacman.txt")));
    EXPECT_FALSE(FileExists(notesPath()));

    WriteFile(notes.notesFile, "[galaga] Galaga\r\nshoot\r\n");
    notes.databasePath = home.file("gone.mdb");
    ui().QueueFile(dbPath);  // the chooser, as the request's database is missing
    const NotesOutcome copied = RunNotesCopy(notes, context);
    EXPECT_TRUE(copied.ok()) << copied.message;
    EXPECT_EQ(copied.updated, 1);
    EXPECT_EQ(copied.database, dbPath);
    EXPECT_EQ(NoteOf("galaga"), "shoot\r\n");
    EXPECT_EQ(TheSettings().DatabasePath, home.file("saved.mdb"));
    EXPECT_FALSE(IsDatabaseOpen());
}

TEST_F(NotesTest, CopyStoresEachNoteUnderItsOwnGame) {
    AddGames({{"pacman", "Pac-Man"},
              {"galaga", "Galaga"},
              {"dkong", "Donkey Kong"},
              {"mspacman", "Ms. Pac-Man"},
              {"abcdefghijklmnop", "Long Name"}});
    ASSERT_TRUE(OpenDatabase(dbPath));
    Execute("UPDATE Data SET MyNotes='kept' WHERE InternalName='dkong'");
    CloseDatabase();
    WriteFile(notesPath(),
              "text above the first header\r\n"
              "[pacman]        Pac-Man\r\n"
              "It's the player's favourite\r\n"
              "  indented line kept as typed  \r\n"
              "\r\n"
              "[dkong]         Donkey Kong\r\n"
              "\r\n"
              "[galaga]        Galaga\r\n"
              "\r\n"
              "\r\n"
              "[abcdefghijklmnop] Long Name\r\n"
              "long one\n"
              "[mspacman]      Ms. Pac-Man\r\n"
              "last");
    EXPECT_EQ(CopyNotesToDatabase(request()).updated, 4);
    EXPECT_EQ(NoteOf("pacman"),
              "It's the player's favourite\r\n  indented line kept as typed  \r\n\r\n");
    EXPECT_EQ(NoteOf("dkong"), "kept");  // only the separator line: not updated
    EXPECT_EQ(NoteOf("galaga"), "\r\n\r\n");
    EXPECT_EQ(NoteOf("abcdefghijklmnop"), "long one\r\n");
    EXPECT_EQ(NoteOf("mspacman"), "last\r\n");
    EXPECT_FALSE(IsDatabaseOpen());
    EXPECT_FALSE(ui().progressVisible);
}

}  // namespace
}  // namespace arc
