#include "notes/Notes.h"

#include <fstream>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
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

/// Opens the database, letting the user choose one when the current one
/// cannot be opened. False when nothing could be opened (the message is shown
/// unless the user gave up in the chooser).
bool OpenDatabaseForNotes() {
    ProcedureScope scope(kProcOpenForNotes);
    if (OpenDatabase()) return true;
    if (ChooseDatabaseFile().empty()) return false;
    if (OpenDatabase()) return true;
    Ui().Message(Text(262), MsgButtons::Ok, MsgIcon::Critical);
    return false;
}

/// Writes the header list of NOTES.TXT; old notes are brought in when asked.
/// Returns false when the run was cancelled.
bool WriteNotesList(std::ofstream& out, bool bringOldNotes) {
    Progress().Cancel = false;
    Statement games("SELECT GameName, InternalName FROM Data ORDER BY GameName");
    // The list is read first: its count bounds the loop and drives the bar.
    std::vector<std::pair<std::string, std::string>> rows;
    while (games.Step() && rows.size() < static_cast<std::size_t>(kMaxNoteEntries))
        rows.emplace_back(games.ColumnText(0), games.ColumnText(1));
    Progress().Total = static_cast<int>(rows.size());
    const std::string oldFolder = OldNotesFolder();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Progress().Done = static_cast<int>(i + 1);
        LetEventsRun();
        if (Progress().Cancel) return false;
        const auto& [gameName, internalName] = rows[i];
        out << NoteHeaderLine(internalName, gameName) << "\r\n";
        if (bringOldNotes) {
            std::string note = ReadOldNoteFile(oldFolder + SafeFileName(internalName) + ".txt");
            if (!note.empty()) out << note << "\r\n";
        }
        out << "\r\n";
    }
    return true;
}

void StoreNote(Statement& update, const std::string& name, const std::string& note) {
    update.Bind(1, note).Bind(2, name);
    update.Run();
}

}  // namespace

std::string NotesFilePath() {
    return InProgramFolder("NOTES.TXT");
}

void WriteGameNote() {
    bool progressShown = false;
    bool databaseOpened = false;
    Guarded(kProcWriteNote, [&] {
        Progress().Total = 0;
        Progress().Done = 0;
        ShowProgress();
        progressShown = true;
        SetProgressLabel(Text(94));
        LetEventsRunNow();
        if (!FileExists(NotesFilePath())) {
            bool bringOldNotes = false;
            if (HasOldNotes()) {
                bringOldNotes = Ui().Message(WithLineBreaks(Text(261)), MsgButtons::YesNo,
                                             MsgIcon::Question) == MsgAnswer::Yes;
                if (!bringOldNotes) DiscardOldNotes();
            }
            if (!OpenDatabaseForNotes()) {
                UnloadProgress();
                progressShown = false;
                return;
            }
            databaseOpened = true;
            std::ofstream out(NotesFilePath(), std::ios::binary | std::ios::trunc);
            if (!out) throw AppError(err::kPathFileAccess, "Cannot write " + NotesFilePath());
            const bool completed = WriteNotesList(out, bringOldNotes);
            out.close();
            if (bringOldNotes && completed) DiscardOldNotes();
        }
        CloseDatabase();
        databaseOpened = false;
        UnloadProgress();
        progressShown = false;
        Ui().OpenWithDefaultApp(NotesFilePath());
    });
    if (databaseOpened) CloseDatabase();
    if (progressShown) UnloadProgress();
}

int CopyNotesToDatabase(bool fromBuild) {
    int updated = 0;
    bool progressShown = false;
    bool databaseOpened = false;
    Guarded(kProcCopyNotes, [&] {
        if (!fromBuild) {
            if (!OpenDatabaseForNotes()) return;
            databaseOpened = true;
        }
        if (!FileExists(NotesFilePath())) {
            if (!fromBuild) Ui().Message(Text(263), MsgButtons::Ok, MsgIcon::Exclamation);
            return;
        }
        Progress().Cancel = false;
        if (!fromBuild) {
            ShowProgress();
            progressShown = true;
        }
        Progress().Done = 0;
        LineReader reader(NotesFilePath());
        if (!reader.IsOpen()) throw AppError(err::kFileNotFound, "File not found");
        Progress().Total = static_cast<int>(reader.Size() > 0 ? 100 : 0);
        Statement update("UPDATE Data SET MyNotes = ? WHERE InternalName = ?");
        BatchTransaction batch;
        std::string name;
        std::string note;
        std::string line;
        bool cancelled = false;
        while (true) {
            LetEventsRun();
            if (Progress().Cancel) {
                cancelled = true;
                break;
            }
            if (!reader.Next(line)) break;
            if (reader.Size() > 0)
                Progress().Done = static_cast<int>(reader.Offset() * 100 / reader.Size());
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
            if (!fromBuild) SetProgressLabel(name);
            note.clear();
        }
        if (!cancelled && !name.empty() && IsStorableNote(note)) {
            StoreNote(update, name, note);
            ++updated;
        }
        batch.Commit();
    });
    if (progressShown) UnloadProgress();
    if (databaseOpened) CloseDatabase();
    return updated;
}

}  // namespace arc
