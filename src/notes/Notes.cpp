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
#include "core/Settings.h"
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

constexpr std::string_view kCancelled = "cancelled";

std::string OldNotesFolder() {
    return InProgramFolder("Notes/");
}

bool HasOldNotes() {
    return !ListFolder(OldNotesFolder(), "*.txt", EntryKind::Files).empty();
}

/// Sends the old per-game note files and their folder to the trash.
void DiscardOldNotes() {
    const std::string folder = OldNotesFolder();
    for (const std::string& name : ListFolder(folder, "*", EntryKind::Any))
        RecycleFile(folder + name);
    RecycleFile(folder);
    RemoveFolderIfExists(folder);
}

/// Sends to the trash the old note files now held by NOTES.TXT; the others
/// (games no longer in the database, unreadable files) stay with their folder.
void DiscardBroughtNotes(const std::vector<std::string>& brought) {
    for (const std::string& path : brought)
        RecycleFile(path);
    if (ListFolder(OldNotesFolder(), "*", EntryKind::Any).empty()) {
        RecycleFile(OldNotesFolder());
        RemoveFolderIfExists(OldNotesFolder());
    }
}

/// Opens the database, letting the user choose one when the current one
/// cannot be opened. False when nothing could be opened (the message is shown
/// unless the user gave up in the chooser).
bool OpenDatabaseForNotes() {
    ProcedureScope scope(kProcOpenForNotes);
    if (OpenDatabase()) return true;
    if (ConfirmDatabaseFile().empty()) return false;
    if (OpenDatabase()) return true;
    Ui().Message(Text(kTextNotesNeedDatabase), MsgButtons::Ok, MsgIcon::Critical);
    return false;
}

std::string CannotOpenDatabase() {
    return "cannot open the database " + TheSettings().DatabasePath;
}

/// The lines of NOTES.TXT, one header per game of the database, old notes
/// brought in when asked (their files added to `brought`). False when
/// cancelled: the lines hold the games listed so far.
bool NotesList(std::vector<std::string>& lines, bool bringOldNotes,
               std::vector<std::string>& brought, TaskProgress& progress) {
    // The list is read first: its count drives the bar.
    std::vector<std::pair<std::string, std::string>> rows;
    Statement games("SELECT GameName, InternalName FROM Data ORDER BY GameName");
    while (games.Step())
        rows.emplace_back(games.ColumnText(0), games.ColumnText(1));
    progress.SetTotal(static_cast<int>(rows.size()));
    lines.reserve(rows.size() * 2);
    const std::string oldFolder = OldNotesFolder();
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

void WriteNotesFile(const std::vector<std::string>& lines) {
    if (WriteTextLines(NotesFilePath(), lines)) return;
    const std::error_code error(errno, std::generic_category());
    throw AppError(ErrorNumberFor(error),
                   "Cannot write " + NotesFilePath() + ": " + error.message());
}

void StoreNote(Statement& update, const std::string& name, const std::string& note) {
    update.Bind(1, note).Bind(2, name);
    update.Run();
}

/// Stores the note of every game of NOTES.TXT; false when cancelled (the
/// notes stored so far stay). Progress: the percent of the file read.
bool CopyNotes(TaskProgress& progress, bool fromBuild, int& updated) {
    LineReader reader(NotesFilePath());
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

NotesOutcome WriteGameNote() {
    NotesOutcome outcome;
    std::optional<std::string> error;
    bool written = false;
    TaskProgress shown;
    Ui().RunTask(
        shown,
        [&](TaskContext& context) {
            TaskProgress& progress = context.progress();
            DatabaseScope database;
            error = GuardedFailure(kProcWriteNote, [&] {
                progress.SetLabel(Text(kTextLoadingList));
                bool completed = true;
                if (!FileExists(NotesFilePath())) {
                    bool bringOldNotes = false;
                    if (HasOldNotes()) {
                        // No discards the old notes: a front end answering for the
                        // user gives it only with the consent.
                        bringOldNotes =
                            Ui().AskDestructive(WithLineBreaks(Text(kTextRetrieveOldNotes)),
                                                MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No,
                                                kReplaceNotesConsent) == MsgAnswer::Yes;
                        if (!bringOldNotes) DiscardOldNotes();
                    }
                    if (!OpenDatabaseForNotes()) {
                        outcome.failure = CannotOpenDatabase();
                        return;
                    }
                    database.Opened();
                    std::vector<std::string> lines;
                    std::vector<std::string> brought;
                    completed = NotesList(lines, bringOldNotes, brought, progress);
                    WriteNotesFile(lines);
                    // Only now are the old notes safe in NOTES.TXT.
                    if (bringOldNotes && completed) DiscardBroughtNotes(brought);
                }
                written = true;
                outcome.done = completed;
                if (!completed) outcome.failure = kCancelled;
            });
        },
        {.window = true,
         .menusOff = false});  // an error closes the database, then unloads the progress window
    if (written) Ui().OpenWithDefaultApp(NotesFilePath());
    if (error) {
        outcome.failure = *error;
        Ui().Message(outcome.failure, MsgButtons::Ok, MsgIcon::Critical);
    }
    return outcome;
}

namespace {

/// The copy from the build (`buildProgress` given: the database is already
/// open and nothing is shown) or from the menu.
NotesOutcome CopyNotesInto(TaskProgress* buildProgress) {
    const bool fromBuild = buildProgress != nullptr;
    NotesOutcome outcome;
    std::optional<std::string> error;
    const auto copy = [&](TaskProgress& progress) {
        DatabaseScope database;
        error = GuardedFailure(kProcCopyNotes, [&] {
            if (!fromBuild) {
                if (!OpenDatabaseForNotes()) {
                    outcome.failure = CannotOpenDatabase();
                    return;
                }
                database.Opened();
            }
            if (!FileExists(NotesFilePath())) {
                if (!fromBuild)
                    Ui().Message(Text(kTextNoNotesFile), MsgButtons::Ok, MsgIcon::Exclamation);
                outcome.failure = NotesFilePath() + " does not exist";
            } else {
                outcome.done = CopyNotes(progress, fromBuild, outcome.updated);
                if (!outcome.done) outcome.failure = kCancelled;
            }
        });
    };
    if (fromBuild) {
        copy(*buildProgress);
    } else {
        TaskProgress shown;
        Ui().RunTask(shown, [&](TaskContext& context) { copy(context.progress()); },
                     {.window = true, .menusOff = false});
    }
    if (error) {
        outcome.failure = *error;
        if (!fromBuild) Ui().Message(outcome.failure, MsgButtons::Ok, MsgIcon::Critical);
    }
    return outcome;
}

}  // namespace

NotesOutcome CopyNotesToDatabase() {
    return CopyNotesInto(nullptr);
}

NotesOutcome CopyNotesToDatabase(TaskProgress& progress) {
    return CopyNotesInto(&progress);
}

}  // namespace arc
