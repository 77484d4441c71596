#pragma once
// File, folder and shell helpers shared by every subsystem.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace arc {

/// True when the path exists and is not a folder; never fails.
bool FileExists(std::string_view path);
/// True when the path exists and is a folder; never fails.
bool FolderExists(std::string_view path);
/// Creates one folder level; errors ignored; always true.
bool MakeFolder(std::string_view path);
/// Deletes the file when it exists; errors ignored.
void DeleteFileIfExists(std::string_view path);
/// Removes the (empty) folder when it exists; errors ignored.
void RemoveFolderIfExists(std::string_view path);

/// Moves a file or folder to the freedesktop trash (~/.local/share/Trash, or
/// $XDG_DATA_HOME/Trash) with its .trashinfo, so the desktop can restore it.
/// A "*" or "?" in the last component trashes every match. Returns false when
/// nothing matched or an item could not be moved.
bool RecycleFile(std::string_view path);

enum class ShellOp { Copy, Move };

/// Copy or move `from` (a file, a folder, or a pattern with "*" and "?" in its
/// last component) to `to` (a folder when it ends with "/" or exists as one,
/// else the target name). Missing folders are created, existing files replaced
/// silently. False when anything failed or
/// the source is missing (a pattern that matches nothing is not a failure).
bool ShellCopy(std::string_view from, std::string_view to, ShellOp op = ShellOp::Copy);

/// Each of "/", "?", "\", ":", "|", "<", ">", "*" becomes "_".
std::string SafeFileName(std::string_view text);

/// Asked while a program runs: true to stop it (the task was cancelled).
using StopCheck = std::function<bool()>;

/// Runs a command line through /bin/sh -c and waits for it. Returns the exit
/// code, or a negative number when the program could not be started (-1 -
/// errno) or was ended by a signal (-1000 - signal). With `stop`, the program
/// runs in a process group of its own, and the group is killed within 20 ms
/// of `stop` saying so.
int RunAndWait(std::string_view commandLine, const StopCheck& stop = {});

/// Runs a program with arguments (no shell); same results as RunAndWait.
int RunProgramAndWait(const std::vector<std::string>& argv, const StopCheck& stop = {});

/// Folder chooser around the UI service, with the design's start-folder,
/// cancel and trailing-separator rules.
std::string BrowseFolder(std::string_view startPath, std::string_view title);

/// File chooser around the UI service; cancel returns the initial name (and
/// sets *cancelled when given). An empty filter becomes text entry 116.
std::string ChooseFile(std::string_view title, std::string_view initialName, int flags, bool save,
                       std::string_view filter, bool* cancelled = nullptr);

/// The database chooser: a non-empty choice becomes DatabasePath and the
/// settings are saved. Returns the name (the current one when cancelled; a
/// caller that must stop on Cancel passes `cancelled`).
std::string ChooseDatabaseFile(bool* cancelled = nullptr);

/// The database a task works on: the one the program has open (DatabasePath)
/// when that file exists; otherwise the database chooser, whose cancel returns
/// "" so that the task stops.
std::string ConfirmDatabaseFile();

void DisableMenus();
void EnableMenus();

/// Case-insensitive wildcard match ("*", "?") of a whole name.
bool MatchesPattern(std::string_view name, std::string_view pattern);

/// Names (not paths) of the entries of `folder` matching `pattern` without
/// regard to case, sorted by character code. filesOnly/foldersOnly filter.
enum class EntryKind { Any, Files, Folders };
std::vector<std::string> ListFolder(std::string_view folder, std::string_view pattern,
                                    EntryKind kind = EntryKind::Any);

/// The path of `name` inside `folder` found without regard to case; the plain
/// joined path when nothing matches.
std::string FindNoCase(std::string_view folder, std::string_view name);

/// Appends "/" when the path does not end with "/" (empty stays empty).
std::string WithTrailingSlash(std::string_view path);

/// The text after the last "/" or "\" (the whole text when there is none).
std::string BaseName(std::string_view path);

/// Upper-cased / lower-cased ASCII copy.
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);

/// The byte lower-cased when it is an ASCII capital, else as it is.
constexpr char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

/// True when the texts are equal without regard to ASCII case.
bool EqualsNoCase(std::string_view a, std::string_view b);

/// True when the text begins with `prefix`, compared without regard to ASCII case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

/// Leading and trailing blanks (spaces, tabs) removed.
std::string_view Trim(std::string_view text);

}  // namespace arc
