#include "core/Files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/ErrorGuard.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"

namespace arc {
namespace fs = std::filesystem;

namespace {

constexpr int kProcBrowseFolder = 21;
constexpr int kProcChooseFile = 22;
constexpr int kProcChooseDatabaseFile = 23;

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

bool WildMatch(std::string_view name, std::string_view pattern) {
    // Iterative glob with backtracking to the last "*".
    std::size_t n = 0, p = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}  // namespace

bool FileExists(std::string_view path) {
    if (path.empty()) return false;
    std::error_code ec;
    const fs::file_status status = fs::status(fs::path(path), ec);
    return !ec && fs::exists(status) && !fs::is_directory(status);
}

bool FolderExists(std::string_view path) {
    if (path.empty()) return false;
    std::error_code ec;
    return fs::is_directory(fs::path(path), ec) && !ec;
}

bool MakeFolder(std::string_view path) {
    std::error_code ec;
    if (!path.empty()) fs::create_directory(fs::path(path), ec);
    return true;
}

void DeleteFileIfExists(std::string_view path) {
    std::error_code ec;
    if (FileExists(path)) fs::remove(fs::path(path), ec);
}

void RemoveFolderIfExists(std::string_view path) {
    if (FolderExists(path)) ::rmdir(std::string(path).c_str());
}

std::string SafeFileName(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        switch (c) {
            case '/':
            case '?':
            case '\\':
            case ':':
            case '|':
            case '<':
            case '>':
            case '*':
                c = '_';
                break;
            default:
                break;
        }
    }
    return result;
}

std::string BrowseFolder(std::string_view startPath, std::string_view title) {
    std::string result;
    Guarded(kProcBrowseFolder, [&] {
        // The start folder: the path up to its last separator.
        std::string start(startPath);
        const std::size_t last = start.find_last_of("/\\");
        if (last != std::string::npos) start.resize(last + 1);
        if (start.empty()) {
            const char* home = std::getenv("HOME");
            start = (home && *home) ? home : "/";
        }
        if (start == "/" || start == "\\") {
            start = "/";
        } else {
            while (start.size() > 1 && IsSeparator(start.back()))
                start.pop_back();
        }
        const std::string_view shownTitle =
            title.empty() ? std::string_view("Sélectionner le dossier de votre choix.") : title;
        result = Ui().ChooseFolderRaw(start, shownTitle);
        if (result.empty() && !startPath.empty()) result = std::string(startPath);
        if (!result.empty() && !IsSeparator(result.back())) result += '/';
    });
    return result;
}

std::string ChooseFile(std::string_view title, std::string_view initialName, int flags, bool save,
                       std::string_view filter, bool* cancelled) {
    std::string result(initialName);
    if (cancelled) *cancelled = true;
    Guarded(kProcChooseFile, [&] {
        FileDialogRequest request;
        request.title = std::string(title);
        request.initialName = std::string(initialName);
        request.filter = Trim(filter).empty() ? Text(kTextIniFilter) : std::string(filter);
        request.flags = flags;
        request.save = save;
        std::string chosen = Ui().ChooseFileRaw(request);
        if (chosen.empty()) return;
        result = std::move(chosen);
        if (cancelled) *cancelled = false;
    });
    return result;
}

std::string ChooseDatabaseFile(bool* cancelled) {
    std::string name;
    Guarded(kProcChooseDatabaseFile, [&] {
        name = ChooseFile(Text(kTextOpenDatabaseTitle), TheSettings().DatabasePath, 1, false,
                          Text(kTextDatabaseFilter), cancelled);
        if (cancelled && *cancelled) return;
        if (!name.empty()) {
            TheSettings().DatabasePath = name;
            SaveSettings();
        }
    });
    return name;
}

std::string ConfirmDatabaseFile() {
    const std::string& current = TheSettings().DatabasePath;
    if (!current.empty() && FileExists(current)) return current;
    bool cancelled = false;
    std::string name = ChooseDatabaseFile(&cancelled);
    return cancelled ? std::string() : name;
}

void DisableMenus() {
    Ui().SetMenusEnabled(false);
}

void EnableMenus() {
    Ui().SetMenusEnabled(true);
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    // As on the original platform, "*.*" takes every name, dotted or not.
    if (pattern == "*.*") return true;
    return WildMatch(name, pattern);
}

std::vector<std::string> ListFolder(std::string_view folder, std::string_view pattern,
                                    EntryKind kind) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder.empty() ? std::string_view(".") : folder), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (!MatchesPattern(name, pattern)) continue;
        if (kind != EntryKind::Any) {
            std::error_code statusError;
            const bool isFolder = it->is_directory(statusError);
            if (statusError) continue;
            if ((kind == EntryKind::Folders) != isFolder) continue;
        }
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string FindNoCase(std::string_view folder, std::string_view name) {
    std::string current = WithTrailingSlash(folder);
    const std::string joined = current + std::string(name);
    std::error_code ec;
    if (fs::exists(fs::path(joined), ec)) return joined;
    // Walk the relative name one component at a time.
    std::size_t begin = 0;
    while (begin <= name.size()) {
        std::size_t end = name.find_first_of("/\\", begin);
        if (end == std::string_view::npos) end = name.size();
        const std::string_view part = name.substr(begin, end - begin);
        const bool lastPart = end == name.size();
        if (!part.empty()) {
            std::string found;
            std::error_code iterError;
            fs::directory_iterator it(fs::path(current.empty() ? "." : current), iterError);
            for (; !iterError && it != fs::directory_iterator(); it.increment(iterError)) {
                const std::string entry = it->path().filename().string();
                if (EqualsNoCase(entry, part)) {
                    found = entry;
                    if (entry == part) break;
                }
            }
            if (found.empty()) return joined;
            current += found;
            if (!lastPart) current += '/';
        }
        if (lastPart) break;
        begin = end + 1;
    }
    return current;
}

std::string WithTrailingSlash(std::string_view path) {
    std::string result(path);
    if (!result.empty() && result.back() != '/') result += '/';
    return result;
}

std::string BaseName(std::string_view path) {
    const std::size_t last = path.find_last_of("/\\");
    return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string ToUpperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return result;
}

std::string ToLowerAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = LowerAscii(c);
    return result;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
    return true;
}

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace arc
