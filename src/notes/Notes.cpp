#include "notes/Notes.h"

#include <cerrno>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Task.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "database/Database.h"
#include "notes/NotesFile.h"

namespace arc {
namespace {

constexpr int kProcWriteNote = 900;
constexpr int kProcCopyNotes = 901;
constexpr int kProcOpenForNotes = 902;

bool HasOldNotes(const std::string& folder) {
    return !ListFolder(folder, "*.txt", EntryKind::Files).empty();
}

/// Sends the old per-game note files and their folder to the trash.
void DiscardOldNotes(const std::string& folder) {
    for (const std::string& name : ListFolder(folder, "*", EntryKind::Any))
        RecycleFile(folder + name);
    RecycleFile(folder);
    RemoveFolderIfExists(folder);
}

/// Sends to the trash the old note files now held by NOTES.TXT; the others
/// (games no longer in the database, unreadable files) stay with their folder.
void DiscardBroughtNotes(const std::string& folder, const std::vector<std::string>& brought) {
    for (const std::string& path : brought)
        RecycleFile(path);
    if (ListFolder(folder, "*", EntryKind::Any).empty()) {
        RecycleFile(folder);
        RemoveFolderIfExists(folder);
    }
}

/// Whether the old notes go into NOTES.TXT, asking the user when the request
/// leaves it to them.
bool BringOldNotesIn(OldNotes choice, UiService& ui) {
    if (choice != OldNotes::Ask) return choice == OldNotes::BringIn;
    // No discards the old notes: a front end answering for the user gives it
    // only with the consent.
    return ui.AskDestructive(WithLineBreaks(Text(kTextRetrieveOldNotes)), MsgButtons::YesNo,
                             MsgIcon::Question, MsgAnswer::No,
                             kReplaceNotesConsent) == MsgAnswer::Yes;
}

/// OpenDatabase of a named file (an empty name would be the settings' one).
bool OpenNamedDatabase(const std::string& path, UiService& ui) {
    if (!path.empty()) return OpenDatabase(path);
    ui.Message("\r\n" + Text(kTextNotFoundCannotContinue), MsgButtons::Ok, MsgIcon::Critical);
    return false;
}

/// Opens `outcome.database`, letting the user choose another when it does not
/// exist (the choice kept in `outcome.database`). False when nothing could be
/// opened (the reason is shown unless the user gave up in the chooser).
bool OpenDatabaseForNotes(NotesOutcome& outcome, UiService& ui) {
    ProcedureScope scope(kProcOpenForNotes);
    if (OpenNamedDatabase(outcome.database, ui)) return true;
    if (!FileExists(outcome.database)) {
        bool cancelled = false;
        std::string chosen = ChooseFile(Text(kTextOpenDatabaseTitle), outcome.database, 1, false,
                                        Text(kTextDatabaseFilter), &cancelled);
        if (cancelled || chosen.empty()) return false;
        outcome.database = std::move(chosen);
    }
    if (OpenNamedDatabase(outcome.database, ui)) return true;
    ui.Message(Text(kTextNotesNeedDatabase), MsgButtons::Ok, MsgIcon::Critical);
    return false;
}

/// The outcome of a database that could not be opened, already told.
void CannotOpenDatabase(NotesOutcome& outcome) {
    static_cast<Outcome&>(outcome) =
        Outcome::Failure("cannot open the database " + outcome.database);
    outcome.told = true;
}

/// The lines of NOTES.TXT, one header per game of the database, old notes
/// brought in when asked (their files added to `brought`). False when
/// cancelled: the lines hold the games listed so far.
bool NotesList(std::vector<std::string>& lines, const std::string& oldFolder, bool bringOldNotes,
               std::vector<std::string>& brought, TaskProgress& progress) {
    // The list is read first: its count drives the bar.
    std::vector<std::pair<std::string, std::string>> rows;
    Statement games("SELECT GameName, InternalName FROM Data ORDER BY GameName");
    while (games.Step())
        rows.emplace_back(games.ColumnText(0), games.ColumnText(1));
    progress.SetTotal(static_cast<int>(rows.size()));
    lines.reserve(rows.size() * 2);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!progress.Step(static_cast<int>(i + 1))) return false;
        const auto& [gameName, internalName] = rows[i];
        lines.push_back(NoteHeaderLine(internalName, gameName));
        if (bringOldNotes) {
            std::string path = oldFolder + SafeFileName(internalName) + ".txt";
            std::string note = ReadOldNoteFile(path);
            if (!note.empty()) {
                lines.push_back(std::move(note));
                brought.push_back(std::move(path));
            }
        }
        lines.emplace_back();
    }
    return true;
}

void WriteNotesFile(const std::string& path, const std::vector<std::string>& lines) {
    if (WriteTextLines(path, lines)) return;
    const std::error_code error(errno, std::generic_category());
    throw AppError(ErrorNumberFor(error), "Cannot write " + path + ": " + error.message());
}

void StoreNote(Statement& update, const std::string& name, const std::string& note) {
    update.Bind(1, note).Bind(2, name);
    update.Run();
}

/// Stores the note of every game of NOTES.TXT; false when cancelled (the
/// notes stored so far stay). Progress: the percent of the file read.
bool CopyNotes(const std::string& path, TaskProgress& progress, bool fromBuild, int& updated) {
    LineReader reader(path);
    if (!reader.IsOpen()) throw AppError(err::kFileNotFound, "File not found");
    progress.SetTotal(reader.Size() > 0 ? 100 : 0);
    auto percentRead = [&] {
        return reader.Size() > 0 ? static_cast<int>(reader.Offset() * 100 / reader.Size()) : 0;
    };
    Statement update("UPDATE Data SET MyNotes = ? WHERE InternalName = ?");
    BatchTransaction batch;
    std::string name;
    std::string note;
    std::string line;
    bool cancelled = false;
    while (true) {
        if (!progress.Step(percentRead())) {
            cancelled = true;
            break;
        }
        if (!reader.Next(line)) break;
        if (!IsNoteHeader(line)) {
            note += line;
            note += "\r\n";
            continue;
        }
        if (!name.empty() && IsStorableNote(note)) {
            StoreNote(update, name, note);
            batch.RowDone();
            ++updated;
        }
        name = NoteHeaderName(line);
        if (!fromBuild) progress.SetLabel(name);
        note.clear();
    }
    if (!cancelled && !name.empty() && IsStorableNote(note)) {
        StoreNote(update, name, note);
        ++updated;
    }
    batch.Commit();
    return !cancelled;
}

}  // namespace

std::string NotesFilePath() {
    return InProgramFolder("NOTES.TXT");
}

NotesRequest NotesRequestFor(std::string databasePath) {
    return {std::move(databasePath), NotesFilePath(), InProgramFolder("Notes/"), OldNotes::Ask,
            false};
}

NotesOutcome RunNotesWrite(const NotesRequest& request, TaskContext& context) {
    NotesOutcome outcome;
    outcome.database = request.databasePath;
    TaskProgress& progress = context.progress();
    std::string oldFolder = request.oldNotesFolder;
    if (!oldFolder.empty() && oldFolder.back() != '/') oldFolder += '/';
    DatabaseScope database;
    const std::optional<std::string> error = GuardedFailure(kProcWriteNote, [&] {
        progress.SetLabel(Text(kTextLoadingList));
        bool completed = true;
        if (!FileExists(request.notesFile)) {
            bool bringOldNotes = false;
            if (HasOldNotes(oldFolder)) {
                bringOldNotes = BringOldNotesIn(request.oldNotes, context.ui());
                if (!bringOldNotes) DiscardOldNotes(oldFolder);
            }
            if (!OpenDatabaseForNotes(outcome, context.ui())) {
                CannotOpenDatabase(outcome);
                return;
            }
            database.Opened();
            std::vector<std::string> lines;
            std::vector<std::string> brought;
            completed = NotesList(lines, oldFolder, bringOldNotes, brought, progress);
            WriteNotesFile(request.notesFile, lines);
            // Only now are the old notes safe in NOTES.TXT.
            if (bringOldNotes && completed) DiscardBroughtNotes(oldFolder, brought);
        }
        outcome.fileReady = true;
        if (!completed) static_cast<Outcome&>(outcome) = Outcome::Cancel();
    });
    if (error) {
        static_cast<Outcome&>(outcome) = Outcome::Failure(*error);
        outcome.told = false;
    }
    return outcome;
}

NotesOutcome RunNotesCopy(const NotesRequest& request, TaskContext& context) {
    NotesOutcome outcome;
    outcome.database = request.databasePath;
    DatabaseScope database;
    const std::optional<std::string> error = GuardedFailure(kProcCopyNotes, [&] {
        if (!request.inBuild) {
            if (!OpenDatabaseForNotes(outcome, context.ui())) {
                CannotOpenDatabase(outcome);
                return;
            }
            database.Opened();
        }
        if (!FileExists(request.notesFile)) {
            if (!request.inBuild)
                context.ui().Message(Text(kTextNoNotesFile), MsgButtons::Ok, MsgIcon::Exclamation);
            static_cast<Outcome&>(outcome) =
                Outcome::Failure(request.notesFile + " does not exist");
            outcome.told = true;
        } else if (!CopyNotes(request.notesFile, context.progress(), request.inBuild,
                              outcome.updated)) {
            static_cast<Outcome&>(outcome) = Outcome::Cancel();
        }
    });
    if (error) {
        static_cast<Outcome&>(outcome) = Outcome::Failure(*error);
        outcome.told = false;
    }
    return outcome;
}

namespace {

/// A failure the task did not show: shown once the progress window is gone.
void TellFailure(const NotesOutcome& outcome) {
    if (outcome.failed() && !outcome.told)
        Ui().Message(outcome.message, MsgButtons::Ok, MsgIcon::Critical);
}

// An error closes the database, then unloads the progress window.
constexpr TaskShow kNotesShow{.window = true, .menusOff = false};

}  // namespace

NotesOutcome WriteGameNote(const NotesRequest& request) {
    const NotesOutcome outcome =
        RunShown([&](TaskContext& context) { return RunNotesWrite(request, context); }, kNotesShow);
    if (outcome.fileReady) Ui().OpenWithDefaultApp(request.notesFile);
    TellFailure(outcome);
    return outcome;
}

NotesOutcome CopyNotesToDatabase(const NotesRequest& request) {
    const NotesOutcome outcome =
        RunShown([&](TaskContext& context) { return RunNotesCopy(request, context); }, kNotesShow);
    TellFailure(outcome);
    return outcome;
}

}  // namespace arc
