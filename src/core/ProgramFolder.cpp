#include "core/ProgramFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace arc {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemplateName = "Arcanote.mdx";

std::string& Folder() {
    static std::string folder = "./";
    return folder;
}

bool IsWritableFolder(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

fs::path ExecutableFolder(std::string_view executablePath) {
    std::error_code ec;
    fs::path exe;
    if (executablePath.find('/') != std::string_view::npos) {
        exe = fs::weakly_canonical(fs::path(executablePath), ec);
    } else {
        exe = fs::read_symlink("/proc/self/exe", ec);
    }
    if (ec || exe.empty()) return {};
    return exe.parent_path();
}

fs::path UserDataFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome == '/') return fs::path(dataHome) / "arcanote";
    const char* home = std::getenv("HOME");
    if (!home || !*home) return {};
    return fs::path(home) / ".local/share/arcanote";
}

/// The shipped entries of a program folder, as the executable's folder holds
/// them beside the programs and the working files of its own use.
constexpr std::string_view kShippedEntries[] = {kTemplateName,     "html",       "readme.txt",
                                                "lisezmoi.txt",    "manual.txt", "manuel.txt",
                                                "Arcanote.url.inf"};

/// Copies the entry `from` (a file or a folder tree) into `to`, leaving every
/// file that `to` already has (a user's file is never replaced).
void CopyMissing(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (!fs::is_directory(from, ec)) {
        if (!fs::exists(to, ec)) fs::copy_file(from, to, ec);
        return;
    }
    fs::create_directories(to, ec);
    for (fs::recursive_directory_iterator it(from, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::path target = to / fs::relative(it->path(), from, ec);
        std::error_code itemError;
        if (it->is_directory(itemError)) {
            fs::create_directories(target, itemError);
        } else if (!fs::exists(target, itemError)) {
            fs::copy_file(it->path(), target, itemError);
        }
    }
}

/// Fills `folder` with the shipped files it lacks: from the install's share
/// folder, else from the executable's own folder when that one is a program
/// folder (a build tree). A folder that already holds a template (one made by
/// hand, or filled by an older version) still gets what it lacks.
void FillWithShippedFiles(const fs::path& exeFolder, const fs::path& folder) {
    std::error_code ec;
    if (exeFolder.empty()) return;
    const fs::path share = (exeFolder / ".." / ARCANOTE_SHARE_SUBDIR).lexically_normal();
    if (fs::is_directory(share, ec)) {
        CopyMissing(share, folder);
    } else if (fs::exists(exeFolder / kTemplateName, ec) &&
               !fs::equivalent(exeFolder, folder, ec)) {
        for (std::string_view entry : kShippedEntries)
            if (fs::exists(exeFolder / entry, ec)) CopyMissing(exeFolder / entry, folder / entry);
    }
}

std::string Slashed(const fs::path& folder) {
    std::string text = folder.string();
    if (text.empty() || text.back() != '/') text += '/';
    return text;
}

}  // namespace

const std::string& ProgramFolder() {
    return Folder();
}

void SetProgramFolder(std::string_view folder) {
    std::string value(folder);
    if (value.empty()) value = ".";
    if (value.back() != '/') value += '/';
    Folder() = std::move(value);
}

std::string InProgramFolder(std::string_view name) {
    return ProgramFolder() + std::string(name);
}

std::optional<std::string> ResolveProgramFolder(const std::optional<std::string>& home,
                                                std::string_view executablePath,
                                                std::string* error) {
    std::error_code ec;
    // The folder created when missing; an explanation when it is unusable.
    auto prepare = [&](const fs::path& folder) {
        fs::create_directories(folder, ec);
        std::string problem;
        if (!fs::is_directory(folder)) {
            problem = "cannot create the program folder " + folder.string() +
                      (ec ? ": " + ec.message() : std::string());
        } else if (!IsWritableFolder(folder)) {
            problem = "the program folder " + folder.string() + " is not writable";
        }
        if (!problem.empty() && error) *error = problem;
        return problem.empty();
    };
    auto fail = [&](std::string message) -> std::optional<std::string> {
        if (error) *error = std::move(message);
        return std::nullopt;
    };

    if (home) {
        if (home->empty()) return fail("--home needs a folder");
        const fs::path folder = fs::absolute(fs::path(*home), ec).lexically_normal();
        if (!prepare(folder)) return std::nullopt;
        FillWithShippedFiles(ExecutableFolder(executablePath), folder);
        return Slashed(folder);
    }

    const fs::path exeFolder = ExecutableFolder(executablePath);
    if (!exeFolder.empty() && fs::exists(exeFolder / kTemplateName, ec) &&
        IsWritableFolder(exeFolder)) {
        return Slashed(exeFolder);
    }

    const fs::path userFolder = UserDataFolder();
    if (userFolder.empty())
        return fail("no program folder: HOME is not set and --home was not given");
    if (!prepare(userFolder)) return std::nullopt;
    FillWithShippedFiles(exeFolder, userFolder);
    return Slashed(userFolder);
}

}  // namespace arc
