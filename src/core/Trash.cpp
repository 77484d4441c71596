// RecycleFile: the freedesktop trash (home trash), with the .trashinfo file
// the desktop needs to restore an item to where it was.

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "core/ErrorGuard.h"
#include "core/Files.h"

namespace arc {
namespace fs = std::filesystem;

namespace {

constexpr int kProcRecycleFile = 25;

fs::path TrashFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome == '/') return fs::path(dataHome) / "Trash";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/") / ".local/share/Trash";
}

/// The path as the Path key of a .trashinfo file wants it (URL-escaped).
std::string EscapedPath(const std::string& path) {
    static const char* kHex = "0123456789ABCDEF";
    std::string result;
    for (unsigned char c : path) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '_' || c == '.' ||
                           c == '~';
        if (plain) {
            result += static_cast<char>(c);
        } else {
            result += '%';
            result += kHex[c >> 4];
            result += kHex[c & 15];
        }
    }
    return result;
}

std::string DeletionDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%S", &local);
    return buffer;
}

/// Candidate name number n for an item: "name", then "name.2.ext", "name.3.ext" ...
std::string CandidateName(const fs::path& item, int n) {
    const std::string name = item.filename().string();
    if (n == 1) return name;
    const std::string stem = item.stem().string();
    const std::string extension = item.extension().string();
    if (stem.empty() || stem == name) return name + "." + std::to_string(n);
    return stem + "." + std::to_string(n) + extension;
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool MoveIntoTrash(const fs::path& item, const fs::path& trash) {
    std::error_code ec;
    const fs::path files = trash / "files";
    const fs::path info = trash / "info";
    if (!fs::exists(trash, ec)) {
        fs::create_directories(trash, ec);
        fs::permissions(trash, fs::perms::owner_all, fs::perm_options::replace, ec);
    }
    fs::create_directories(files, ec);
    fs::create_directories(info, ec);
    if (!fs::is_directory(files, ec) || !fs::is_directory(info, ec)) return false;

    const std::string content = "[Trash Info]\nPath=" + EscapedPath(item.string()) +
                                "\nDeletionDate=" + DeletionDate() + "\n";
    for (int n = 1; n < 10000; ++n) {
        const std::string name = CandidateName(item, n);
        const fs::path infoPath = info / (name + ".trashinfo");
        const fs::path target = files / name;
        if (fs::exists(fs::symlink_status(target, ec))) continue;
        // The info file is created exclusively: it reserves the name.
        const int fd = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        const bool written = WriteAll(fd, content);
        ::close(fd);
        if (!written) {
            fs::remove(infoPath, ec);
            return false;
        }
        fs::rename(item, target, ec);
        if (ec == std::errc::cross_device_link) {
            // Another file system: copy into the home trash, then delete.
            ec.clear();
            fs::copy(item, target, fs::copy_options::recursive | fs::copy_options::copy_symlinks,
                     ec);
            if (!ec) fs::remove_all(item, ec);
            if (ec) {
                std::error_code ignored;
                fs::remove_all(target, ignored);
            }
        }
        if (ec) {
            std::error_code ignored;
            fs::remove(infoPath, ignored);
            return false;
        }
        return true;
    }
    return false;
}

bool RecycleOne(const std::string& path) {
    std::error_code ec;
    fs::path item = fs::absolute(fs::path(path), ec);
    if (ec) return false;
    item = item.lexically_normal();
    if (!item.has_filename()) item = item.parent_path();
    if (item == item.root_path()) return false;
    if (!fs::exists(fs::symlink_status(item, ec))) return false;
    const fs::path trash = TrashFolder();
    // Never put the trash (or a folder holding it) into itself.
    const fs::path trashNormal = fs::weakly_canonical(trash, ec);
    const fs::path itemNormal = fs::weakly_canonical(item, ec);
    const auto mismatch =
        std::mismatch(itemNormal.begin(), itemNormal.end(), trashNormal.begin(), trashNormal.end());
    if (mismatch.first == itemNormal.end()) return false;
    return MoveIntoTrash(item, trash);
}

}  // namespace

bool RecycleFile(std::string_view path) {
    bool ok = false;
    Guarded(kProcRecycleFile, [&] {
        const std::string text(path);
        const std::size_t cut = text.find_last_of("/\\");
        const std::string last = cut == std::string::npos ? text : text.substr(cut + 1);
        if (last.find_first_of("*?") == std::string::npos) {
            ok = RecycleOne(text);
            return;
        }
        const std::string folder =
            cut == std::string::npos ? std::string() : text.substr(0, cut + 1);
        const std::vector<std::string> names = ListFolder(folder, last);
        ok = !names.empty();
        for (const std::string& name : names)
            ok = RecycleOne(folder + name) && ok;
    });
    return ok;
}

}  // namespace arc
