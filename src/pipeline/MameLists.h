#pragma once
// The emulator's two lists in the program folder: "listxml.txt" (-listxml)
// and "vermame.txt" (-help), made by a "tmp.sh" script when missing. The
// emulator writes them under temporary names; they take their own names only
// when the emulator succeeded, so a failed run never leaves a list to reuse.

#include <cstdio>
#include <functional>
#include <string>

#include "core/Emulator.h"
#include "core/Files.h"

namespace arc {

/// The script "tmp.sh" for the given emulator: its two command lines (only the
/// -help line when `versionOnly`), writing the temporary files and stopping at
/// the first command that fails.
std::string MameListsScript(const std::string& executable, bool versionOnly);

/// True when the file looks like a whole emulator list: its root element
/// `<mame` near the start and its closing `</mame>` at the end.
bool IsCompleteListXml(const std::string& path);

/// The emulator a run names: its executable and its folder (the settings'
/// MameExe and MameFolder, or a command's option).
struct EmulatorNames {
    std::string exe;
    std::string folder;
};

/// Makes sure "listxml.txt" (a complete list) and "vermame.txt" (not empty)
/// exist, running the emulator through "tmp.sh" when one is missing. False,
/// told to the user, when the emulator cannot be found, ends with an error or
/// gives a list cut short; no list is kept then.
bool RunMameLists(const EmulatorNames& emulator, const StopCheck& stop = {});

/// The emulator's -listxml read while it prints: `import` gets its output as
/// it arrives while every byte is copied to "listxml.txt.part". The copy takes
/// the name "listxml.txt" only through Keep(); otherwise it is removed when
/// the object ends (and on SIGINT, SIGTERM or SIGHUP).
class StreamedList {
  public:
    enum class End {
        Listed,          ///< the emulator exited 0, the import succeeded, the copy is whole
        EmulatorFailed,  ///< missing, failed or its list cut short: told
        NotImported,     ///< the import failed (told by it)
        Cancelled,       ///< the emulator was stopped
    };
    using Import = std::function<bool(std::FILE* stream, std::FILE* copy)>;

    StreamedList();
    ~StreamedList();
    StreamedList(const StreamedList&) = delete;
    StreamedList& operator=(const StreamedList&) = delete;

    /// Makes "vermame.txt" first when it is missing, then runs -listxml.
    /// `cancelled` is asked once the import returned.
    End Run(const EmulatorNames& emulator, const Import& import,
            const std::function<bool()>& cancelled);
    /// The copy becomes "listxml.txt" (replacing the previous one). False
    /// when the rename failed.
    bool Keep();

  private:
    std::string part_;
    int cleanupSlot_ = -1;
    bool kept_ = false;
};

}  // namespace arc
