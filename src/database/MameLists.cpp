#include "database/MameLists.h"

#include <filesystem>
#include <fstream>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "core/UiService.h"

namespace arc {
namespace {

constexpr int kProcRunMameLists = 360;

bool HasContent(const std::string& path) {
    std::error_code ec;
    return FileExists(path) && std::filesystem::file_size(path, ec) > 0 && !ec;
}

/// The path as one shell word: as it is when it holds only plain characters,
/// else in single quotes (nothing inside them is expanded).
std::string ShellWord(const std::string& path) {
    if (path.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
                               "/._-+,") == std::string::npos)
        return path;
    std::string quoted = "'";
    for (char c : path)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

/// The output file of a redirection, in double quotes unless the path holds a
/// character the shell would expand there.
std::string RedirectTarget(const std::string& path) {
    if (path.find_first_of("$`\\\"!") == std::string::npos) return "\"" + path + "\"";
    return ShellWord(path);
}

}  // namespace

std::string MameListsScript(const std::string& executable, bool versionOnly) {
    const std::string program = ShellWord(executable);
    std::string script =
        program + " -help > " + RedirectTarget(InProgramFolder("vermame.txt")) + "\n";
    if (!versionOnly)
        script += program + " -listxml >" + RedirectTarget(InProgramFolder("listxml.txt")) + "\n";
    return script;
}

bool RunMameLists() {
    bool result = false;
    Guarded(kProcRunMameLists, [&] {
        const std::string script = InProgramFolder("tmp.sh");
        const bool listMissing = !HasContent(InProgramFolder("listxml.txt"));
        const bool versionMissing = !HasContent(InProgramFolder("vermame.txt"));
        if (!listMissing && !versionMissing) {
            DeleteFileIfExists(script);
            result = true;
            return;
        }
        const std::string executable = MameExecutable();
        if (executable.empty()) {
            const Settings& settings = TheSettings();
            const std::string shown = !settings.MameExe.empty()
                                          ? settings.MameExe
                                          : WithTrailingSlash(settings.MameFolder) + "mame";
            Ui().Message(shown + "\r\n" + Text(6), MsgButtons::Ok, MsgIcon::Critical);
            return;
        }
        DebugLog("CREATES LISTS");
        // A script for /bin/sh: LF line ends (a CR would become part of the file names).
        std::ofstream file(script, std::ios::binary | std::ios::trunc);
        file << MameListsScript(executable, !listMissing);
        file.close();
        if (!file) throw AppError(err::kPathFileAccess, "Cannot write " + script);
        const int code = RunAndWait("/bin/sh " + ShellWord(script));
        if (code != 0) WriteLog("MAME lists: the emulator ended with code " + std::to_string(code));
        LetEventsRunNow();
        DeleteFileIfExists(script);
        result = true;
    });
    return result;
}

}  // namespace arc
