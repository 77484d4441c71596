// Shell-style copy and move: wildcards in the last component, missing folders
// created, existing files replaced silently, folders copied recursively.

#include <filesystem>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/ReplacingFile.h"

namespace arc {
namespace fs = std::filesystem;

namespace {

constexpr int kProcShellCopy = 24;

bool HasWildcard(std::string_view text) {
    return text.find_first_of("*?") != std::string_view::npos;
}

bool IsInside(const fs::path& inner, const fs::path& outer) {
    std::error_code ec;
    const fs::path a = fs::weakly_canonical(inner, ec);
    const fs::path b = fs::weakly_canonical(outer, ec);
    auto ai = a.begin();
    for (auto bi = b.begin(); bi != b.end(); ++bi, ++ai) {
        if (bi->empty()) continue;  // trailing separator
        if (ai == a.end() || *ai != *bi) return false;
    }
    return true;
}

bool CopyEntry(const fs::path& source, const fs::path& target) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(source, ec);
    if (ec) return false;
    if (fs::is_symlink(status)) {
        fs::remove(target, ec);
        ec.clear();
        fs::create_directories(target.parent_path(), ec);
        fs::copy_symlink(source, target, ec);
        return !ec;
    }
    if (fs::is_directory(status)) {
        fs::create_directories(target, ec);
        if (!fs::is_directory(target, ec)) return false;
        bool ok = true;
        for (fs::directory_iterator it(source, ec); !ec && it != fs::directory_iterator();
             it.increment(ec)) {
            ok = CopyEntry(it->path(), target / it->path().filename()) && ok;
        }
        return ok && !ec;
    }
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    if (fs::exists(target, ec) && fs::equivalent(source, target, ec)) return false;
    // Written beside the target and renamed over it: a replaced file keeps its mode.
    return CopyFileReplacing(source.string(), target.string());
}

bool MoveEntry(const fs::path& source, const fs::path& target) {
    std::error_code ec;
    const fs::file_status sourceStatus = fs::symlink_status(source, ec);
    if (ec) return false;
    const bool sourceIsFolder = fs::is_directory(sourceStatus);
    const bool targetIsFolder = fs::is_directory(fs::symlink_status(target, ec));
    if (sourceIsFolder && targetIsFolder) {
        // Merge into the existing folder, then drop the emptied source.
        bool ok = true;
        for (fs::directory_iterator it(source, ec); !ec && it != fs::directory_iterator();
             it.increment(ec)) {
            ok = MoveEntry(it->path(), target / it->path().filename()) && ok;
        }
        if (!ok || ec) return false;
        fs::remove(source, ec);
        return !ec;
    }
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    ec.clear();
    if (fs::exists(target, ec) && fs::equivalent(source, target, ec)) return false;
    fs::rename(source, target, ec);
    if (!ec) return true;
    if (ec != std::errc::cross_device_link) return false;
    if (!CopyEntry(source, target)) return false;
    fs::remove_all(source, ec);
    return !ec;
}

bool TransferOne(const fs::path& source, const fs::path& target, ShellOp op) {
    // A folder never goes into itself.
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(source, ec)) && IsInside(target, source)) return false;
    return op == ShellOp::Move ? MoveEntry(source, target) : CopyEntry(source, target);
}

bool DoShellCopy(std::string_view from, std::string_view to, ShellOp op) {
    if (from.empty() || to.empty()) return false;
    const std::string source(from);
    const std::size_t cut = source.find_last_of("/\\");
    const std::string folder = cut == std::string::npos ? std::string() : source.substr(0, cut + 1);
    const std::string last = cut == std::string::npos ? source : source.substr(cut + 1);

    std::error_code ec;
    const bool toIsFolder =
        to.back() == '/' || to.back() == '\\' || fs::is_directory(fs::path(to), ec);

    if (HasWildcard(last)) {
        const std::vector<std::string> names = ListFolder(folder, last);
        if (names.empty()) return true;  // nothing to copy is not a failure
        const fs::path targetFolder{std::string(to)};
        fs::create_directories(targetFolder, ec);
        bool ok = true;
        for (const std::string& name : names)
            ok = TransferOne(fs::path(folder + name), targetFolder / name, op) && ok;
        return ok;
    }

    fs::path sourcePath(source);
    if (!sourcePath.has_filename()) sourcePath = sourcePath.parent_path();
    if (!fs::exists(fs::symlink_status(sourcePath, ec))) return false;
    const fs::path target =
        toIsFolder ? fs::path(std::string(to)) / sourcePath.filename() : fs::path(std::string(to));
    return TransferOne(sourcePath, target, op);
}

}  // namespace

bool ShellCopy(std::string_view from, std::string_view to, ShellOp op) {
    bool ok = false;
    Guarded(kProcShellCopy, [&] { ok = DoShellCopy(from, to, op); });
    return ok;
}

}  // namespace arc
