#pragma once
// Steps of a database build shared by the build task, the wizard and the
// command line: a fresh copy of the template filled beside the database, the
// emptying, the version stamp, and the swap that makes the completed build
// the database. The previous database is never touched before that swap.

#include <string>
#include <string_view>

namespace arc {

/// The file a build fills before it takes the place of `databasePath`:
/// databasePath + ".new", beside it.
std::string BuildFilePath(std::string_view databasePath);

/// True when `databasePath` names the template (program folder +
/// "Arcanote.mdx"), compared as canonical paths.
bool IsTemplatePath(std::string_view databasePath);

/// Puts a fresh copy of the template (program folder + "Arcanote.mdx") at
/// `buildPath`, after removing what an interrupted build left there (the file
/// and its journals). A missing template is told with text entry 104 and gives
/// false; the caller then ends the program as designed. A failed copy throws
/// (nothing is left at `buildPath`).
bool TestArcanoteMDB(std::string_view buildPath);

/// Removes the build's file and its journals.
void DiscardBuild(std::string_view buildPath);

/// Folds the journal of the open build into its file and closes it. Returns
/// the engine's message when that fails ("" when the file is complete).
std::string CloseBuiltDatabase();

/// The completed build at `buildPath` takes the place of `databasePath` in one
/// step (the path never goes missing); then the previous database (with its
/// journal) becomes databasePath + ".bak" and an older ".bak" goes. Throws,
/// with both files as they were, when the swap fails.
void ReplaceWithBuild(std::string_view databasePath, std::string_view buildPath);

/// Holds the advisory lock of a database's writers (databasePath + ".lock")
/// while it lives: a build or an update that cannot take it is refused at
/// once. Readers do not take it. The lock file goes with the lock; where it
/// cannot be made (a read-only folder) the writer goes on and meets the
/// folder's own error.
class BuildLock {
  public:
    explicit BuildLock(std::string_view databasePath);
    ~BuildLock();
    BuildLock(const BuildLock&) = delete;
    BuildLock& operator=(const BuildLock&) = delete;

    /// True when another writer holds the lock.
    bool Busy() const { return busy_; }

  private:
    std::string path_;
    int fd_ = -1;
    bool busy_ = false;
};

/// Empties the nine tables, Data first (the database must be open).
void EmptyAllTables();

/// The emulator's version from program folder + "vermame.txt" (its first line,
/// or the second when the first is empty), trimmed; the file is deleted once
/// read. "Unknown" (text entry 111) when the file is missing or empty.
std::string ReadMameVersion();

/// Adds the Versions row: the emulator's version and the program's own.
void WriteVersionStamp(std::string_view mameVersion);

}  // namespace arc
