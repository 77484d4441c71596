#pragma once
// Personal notes: "NOTES.TXT" in the program folder, created once from the
// database, edited with the user's text editor, copied back into Data.MyNotes.

#include <string>

namespace arc {

/// Program folder + "NOTES.TXT".
std::string NotesFilePath();

/// The write-a-note command: creates NOTES.TXT from the database when it does
/// not exist yet (bringing in or discarding the old "Notes" folder), then opens
/// it with the user's editor.
void WriteGameNote();

/// Copies every note of NOTES.TXT into Data.MyNotes. From the build the
/// database is already open and nothing is shown; from the menu the database
/// is opened (with the chooser as fallback) and closed, with the progress
/// window. Returns the number of games updated.
int CopyNotesToDatabase(bool fromBuild);

}  // namespace arc
