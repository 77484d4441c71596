#pragma once
// Shared test helpers: temporary folders and a fresh program folder with a
// scripted UI for each test.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/Progress.h"
#include "core/ScriptedUi.h"

namespace arc::test {

/// A temporary folder removed with its content when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    /// The folder with a trailing "/".
    std::string str() const { return path_.string() + "/"; }
    /// path() / relative, as a string.
    std::string file(std::string_view relative) const;

  private:
    std::filesystem::path path_;
};

/// Writes bytes to a file (folders created).
void WriteFile(const std::filesystem::path& path, std::string_view bytes);
/// Reads a whole file as bytes ("" when missing).
std::string ReadFile(const std::filesystem::path& path);

/// The build's folder of executables (arcanote-cli, myzip, the template).
std::string BinDir();
/// The source tree's root.
std::string SourceDir();

/// The installed emulator's whole -listxml for the real-output tests: made
/// once per build tree into build/temp and shared by every test (remade when
/// the emulator is newer). "" with the reason in `why` when these tests are
/// off: they need ARCANOTE_REAL_MAME=1 and /usr/games/mame.
std::string RealEmulatorList(std::string& why);

/// Sets an environment variable for its lifetime, then restores it.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    std::optional<std::string> saved_;
};

/// A test with a fresh program folder (a temporary folder), default settings,
/// run-time state reset, English text table, a scripted UI and home + "Temp/"
/// as TMPDIR.
/// A fresh run in the program folder `home`: the log's state reset, default
/// settings, English texts, progress counters cleared.
void StartFreshProgramFolder(const TempDir& home);

class ProgramFolderTest : public ::testing::Test {
  protected:
    ProgramFolderTest();
    ~ProgramFolderTest() override;

    TempDir home;
    ScriptedUi& ui() { return scripted_.ui; }

  private:
    ScopedScriptedUi scripted_;
    ScopedEnv tmpdir_;  ///< home + "Temp/": the test's own temporary folder
};

/// A task's progress that cancels itself once `cancelAt` items are done (0: never).
class RecordedProgress : public TaskProgress {
  public:
    explicit RecordedProgress(int cancelAt = 0) {
        Watch([cancelAt](TaskProgress& progress) {
            if (cancelAt > 0 && progress.Done() >= cancelAt) progress.Cancel();
        });
    }
};

/// One value from the database file, which is closed again ("<not opened>"
/// when it does not open).
std::string QueryIn(const std::string& database, const std::string& sql);

}  // namespace arc::test
