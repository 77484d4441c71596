#include "pipeline/MameLists.h"

#include <fcntl.h>

#include <cctype>
#include <filesystem>
#include <fstream>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/ProgramOutput.h"
#include "core/Progress.h"
#include "core/SignalCleanup.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "core/UiService.h"

namespace arc {
namespace {

constexpr int kProcRunMameLists = 360;

constexpr std::string_view kPartSuffix = ".part";
constexpr int kPipeBytes = 1 << 20;  // the most an unprivileged process may ask

bool HasContent(const std::string& path) {
    std::error_code ec;
    return FileExists(path) && std::filesystem::file_size(path, ec) > 0 && !ec;
}

/// How an emulator run that failed is told.
std::string ExitDescription(int code) {
    if (code <= -1000) return "was ended by signal " + std::to_string(-1000 - code);
    if (code < 0) return "could not be started";
    return "ended with code " + std::to_string(code);
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

/// The emulator's executable; "" when it is not found, told to the user.
std::string ExecutableOrTell(const EmulatorNames& emulator) {
    const std::string executable = MameExecutable(emulator.exe, emulator.folder);
    if (executable.empty()) {
        const std::string shown =
            !emulator.exe.empty() ? emulator.exe : WithTrailingSlash(emulator.folder) + "mame";
        Ui().Message(shown + "\r\n" + Text(kTextNotFoundCannotContinue), MsgButtons::Ok,
                     MsgIcon::Critical);
    }
    return executable;
}

}  // namespace

std::string MameListsScript(const std::string& executable, bool versionOnly) {
    const std::string program = ShellWord(executable);
    const std::string suffix(kPartSuffix);
    std::string script = "set -e\n" + program + " -help > " +
                         RedirectTarget(InProgramFolder("vermame.txt") + suffix) + "\n";
    if (!versionOnly)
        script += program + " -listxml >" +
                  RedirectTarget(InProgramFolder("listxml.txt") + suffix) + "\n";
    return script;
}

bool IsCompleteListXml(const std::string& path) {
    constexpr std::size_t kHead = 256 * 1024;
    constexpr std::size_t kTail = 4096;
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::string head(kHead, '\0');
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(file.gcount()));
    if (head.find("<mame") == std::string::npos) return false;
    file.clear();
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    if (end <= 0) return false;
    const auto size = static_cast<std::size_t>(end);
    std::string tail(std::min(size, kTail), '\0');
    file.seekg(static_cast<std::streamoff>(size - tail.size()));
    file.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    if (!file) return false;
    std::string_view last = tail;
    while (!last.empty() && std::isspace(static_cast<unsigned char>(last.back())))
        last.remove_suffix(1);
    constexpr std::string_view kClose = "</mame>";
    return last.size() >= kClose.size() && last.substr(last.size() - kClose.size()) == kClose;
}

bool RunMameLists(const EmulatorNames& emulator, const StopCheck& stop) {
    bool result = false;
    const std::string listPart = InProgramFolder("listxml.txt") + std::string(kPartSuffix);
    const std::string versionPart = InProgramFolder("vermame.txt") + std::string(kPartSuffix);
    Guarded(kProcRunMameLists, [&] {
        const std::string script = InProgramFolder("tmp.sh");
        const bool listMissing = !IsCompleteListXml(InProgramFolder("listxml.txt"));
        const bool versionMissing = !HasContent(InProgramFolder("vermame.txt"));
        if (!listMissing && !versionMissing) {
            DeleteFileIfExists(script);
            result = true;
            return;
        }
        const std::string executable = ExecutableOrTell(emulator);
        if (executable.empty()) return;
        DebugLog("CREATES LISTS");
        // A script for /bin/sh: LF line ends (a CR would become part of the file names).
        std::ofstream file(script, std::ios::binary | std::ios::trunc);
        file << MameListsScript(executable, !listMissing);
        file.close();
        if (!file) throw AppError(err::kPathFileAccess, "Cannot write " + script);
        const int code = RunAndWait("/bin/sh " + ShellWord(script), stop);
        DeleteFileIfExists(script);
        if (stop && stop()) return;  // the task was cancelled: nothing to tell
        std::string problem;
        if (code != 0)
            problem = "The emulator " + executable + " " + ExitDescription(code) + ".";
        else if (listMissing && !IsCompleteListXml(listPart))
            problem = "The list of the emulator " + executable +
                      " is cut short: it does not end with </mame>.";
        if (!problem.empty()) {
            WriteLog("MAME lists: " + problem);
            Ui().Message(problem + "\r\nIts lists are not kept.", MsgButtons::Ok,
                         MsgIcon::Critical);
            return;
        }
        if (listMissing) std::filesystem::rename(listPart, InProgramFolder("listxml.txt"));
        std::filesystem::rename(versionPart, InProgramFolder("vermame.txt"));
        result = true;
    });
    DeleteFileIfExists(listPart);
    DeleteFileIfExists(versionPart);
    return result;
}

namespace {

/// Tells why the emulator's lists are not kept.
void TellListProblem(const std::string& problem) {
    WriteLog("MAME lists: " + problem);
    Ui().Message(problem + "\r\nIts lists are not kept.", MsgButtons::Ok, MsgIcon::Critical);
}

/// "vermame.txt" from the emulator's -help, made only when it is missing.
bool MakeVersionFile(const std::string& executable) {
    const std::string target = InProgramFolder("vermame.txt");
    if (HasContent(target)) return true;
    ProgramOutput run({executable, "-help"});
    std::string text;
    if (run.Stream()) {
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, run.Stream())) > 0)
            text.append(buffer, got);
    }
    const int code = run.Finish();
    if (code != 0) {
        TellListProblem("The emulator " + executable + " " + ExitDescription(code) + ".");
        return false;
    }
    if (!WriteFileAtomically(target, text, false))
        throw AppError(err::kPathFileAccess, "Cannot write " + target);
    return true;
}

}  // namespace

StreamedList::StreamedList() : part_(InProgramFolder("listxml.txt") + std::string(kPartSuffix)) {}

StreamedList::~StreamedList() {
    if (!kept_) DeleteFileIfExists(part_);
    if (cleanupSlot_ >= 0) ReleaseSignalCleanup(cleanupSlot_);
}

StreamedList::End StreamedList::Run(const EmulatorNames& emulator, const Import& import,
                                    const std::function<bool()>& cancelled) {
    const std::string executable = ExecutableOrTell(emulator);
    if (executable.empty()) return End::EmulatorFailed;
    if (!MakeVersionFile(executable)) return End::EmulatorFailed;
    if (cancelled()) return End::Cancelled;
    if (cleanupSlot_ < 0) cleanupSlot_ = RegisterForSignalCleanup(part_);
    std::FILE* copy = std::fopen(part_.c_str(), "wb");
    if (!copy) throw AppError(err::kPathFileAccess, "Cannot write " + part_);
    DebugLog("STREAMS LISTXML");
    ProgramOutput run({executable, "-listxml"});
    // A deep pipe: the emulator goes on printing while the import is busy.
    if (run.Stream()) fcntl(fileno(run.Stream()), F_SETPIPE_SZ, kPipeBytes);
    const bool imported = run.Stream() && import(run.Stream(), copy);
    const bool copied = std::fclose(copy) == 0;
    // A stopped import leaves the emulator printing: it is killed.
    if (cancelled()) return End::Cancelled;
    const int code = run.Finish();
    std::string problem;
    if (code != 0)
        problem = "The emulator " + executable + " " + ExitDescription(code) + ".";
    else if (!IsCompleteListXml(part_))
        problem = "The list of the emulator " + executable +
                  " is cut short: it does not end with </mame>.";
    if (!problem.empty()) {
        TellListProblem(problem);
        return End::EmulatorFailed;
    }
    if (!copied) throw AppError(err::kPathFileAccess, "Cannot write " + part_);
    return imported ? End::Listed : End::NotImported;
}

bool StreamedList::Keep() {
    std::error_code ec;
    std::filesystem::rename(part_, InProgramFolder("listxml.txt"), ec);
    kept_ = !ec;
    return kept_;
}

}  // namespace arc
