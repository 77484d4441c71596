#pragma once
// Personal notes: "NOTES.TXT" in the program folder, created once from the
// database, edited with the user's text editor, copied back into Data.MyNotes.

#include <string>
#include <string_view>

namespace arc {

class TaskProgress;

/// Program folder + "NOTES.TXT".
std::string NotesFilePath();

/// What a notes task did.
struct NotesOutcome {
    bool done = false;    ///< the whole task was done
    int updated = 0;      ///< games whose note was stored (copy)
    std::string failure;  ///< what stopped it, when not done
};

/// The command-line option that lets the terminal discard the old "Notes"
/// folder instead of bringing its notes in.
inline constexpr std::string_view kReplaceNotesConsent = "--replace-notes";

/// The write-a-note command: creates NOTES.TXT from the database when it does
/// not exist yet (bringing in or discarding the old "Notes" folder), then opens
/// it with the user's editor.
NotesOutcome WriteGameNote();

/// Copies every note of NOTES.TXT into Data.MyNotes, from the menu: the
/// database is opened (with the chooser as fallback) and closed, with the
/// progress window.
NotesOutcome CopyNotesToDatabase();
/// The same from the build: the database is already open, nothing is shown
/// and the count goes to the build's `progress`.
NotesOutcome CopyNotesToDatabase(TaskProgress& progress);

}  // namespace arc
