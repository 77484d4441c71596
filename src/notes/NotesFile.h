#pragma once
// The layout of "NOTES.TXT": one header line per game, the user's note lines
// under it.

#include <string>
#include <string_view>

namespace arc {

/// The header of a game: "[" + name + "]" cut to 16 characters and padded
/// with spaces, then the game's title. A name too long for that width keeps
/// its closing bracket ("[name] title") so that the line is still a header.
std::string NoteHeaderLine(std::string_view internalName, std::string_view gameName);

/// A header line: trimmed of spaces, it begins with "[" and contains "]".
bool IsNoteHeader(std::string_view line);

/// The game named by a header: the trimmed line from its second character up
/// to its first "]".
std::string NoteHeaderName(std::string_view line);

/// True when a collected note holds text worth storing (not empty and not
/// just the separator line).
bool IsStorableNote(std::string_view note);

/// The note of an older per-game note file: its first line must be a header
/// ("[" with a "]" after it); the following non-empty lines joined with CR LF.
/// Empty when the file is missing or holds no note.
std::string ReadOldNoteFile(std::string_view path);

/// The note of `set` in the bytes of a notes file: the lines under its header
/// up to the next header, without the blank lines that end it, joined with
/// "\n". Empty when the game has no header or no note.
std::string GameNote(std::string_view fileText, std::string_view set);

/// The bytes of a notes file with the note of `set` replaced by `note` (lines
/// joined with "\n"), written with the file's line end. Every other byte stays;
/// a game without a header gets one (with `title`) at the end.
std::string WithGameNote(std::string_view fileText, std::string_view set, std::string_view title,
                         std::string_view note);

/// Reads the notes file at `path`, replaces the note of `set` and writes the
/// file again through a temporary file. A missing file is created. False
/// (the file untouched) when it cannot be read or written.
bool SaveGameNote(const std::string& path, std::string_view set, std::string_view title,
                  std::string_view note);

}  // namespace arc
