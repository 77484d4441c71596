#pragma once
// Personal notes: "NOTES.TXT" in the program folder, created once from the
// database, edited with the user's text editor, copied back into Data.MyNotes.

#include <string>
#include <string_view>

#include "core/Task.h"

namespace arc {

/// Program folder + "NOTES.TXT".
std::string NotesFilePath();

/// What to do with the notes of the old "Notes" folder when NOTES.TXT is made.
enum class OldNotes {
    Ask,      ///< ask the user (Yes brings them in, No discards them)
    BringIn,  ///< into NOTES.TXT, their files trashed once it is written
    Discard,  ///< trashed with their folder
};

struct NotesRequest {
    std::string databasePath{};
    std::string notesFile{};       ///< NOTES.TXT
    std::string oldNotesFolder{};  ///< the per-game note files of earlier versions
    OldNotes oldNotes = OldNotes::Ask;
    /// The copy inside a build: its database is open already and used as it
    /// is; nothing is shown and the label stays the build's.
    bool inBuild = false;
};

/// The program's notes files and `databasePath`.
NotesRequest NotesRequestFor(std::string databasePath);

/// What a notes task did: ok, cancelled, or failed with what stopped it.
struct NotesOutcome : Outcome {
    int updated = 0;         ///< games whose note was stored (copy)
    bool fileReady = false;  ///< NOTES.TXT is there to be edited (write)
    /// The database used: the request's, or the one the user chose when the
    /// request's was missing.
    std::string database;
    bool told = false;  ///< the failure was already shown to the user
};

/// The command-line option that lets the terminal discard the old "Notes"
/// folder instead of bringing its notes in.
inline constexpr std::string_view kReplaceNotesConsent = "--replace-notes";

/// Creates NOTES.TXT from the database when it does not exist yet (bringing
/// in or discarding the old notes), one header per game in title order.
NotesOutcome RunNotesWrite(const NotesRequest& request, TaskContext& context);

/// Copies every note of NOTES.TXT into Data.MyNotes.
NotesOutcome RunNotesCopy(const NotesRequest& request, TaskContext& context);

/// The write-a-note command: RunNotesWrite under the progress window, then
/// NOTES.TXT opened with the user's editor; a failure not yet told is shown.
NotesOutcome WriteGameNote(const NotesRequest& request);

/// The copy-notes command: RunNotesCopy under the progress window; a failure
/// not yet told is shown.
NotesOutcome CopyNotesToDatabase(const NotesRequest& request);

}  // namespace arc
