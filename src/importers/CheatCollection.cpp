#include "importers/CheatCollection.h"

#include <archive.h>
#include <archive_entry.h>
#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <optional>
#include <system_error>

#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "importers/CheatFileScanner.h"
#include "importers/SupportFileReader.h"
#include "zip/ZipDirectory.h"
#include "zip/ZipFileReader.h"
#include "zip/ZipMemberWriter.h"

namespace arc {
namespace {

namespace fs = std::filesystem;
using Found = std::function<void(std::string_view set)>;

constexpr std::size_t kChunk = 64 * 1024;
/// A larger member is no cheat file (the largest real ones hold a few MB).
constexpr std::uint64_t kMaxCheatFile = 64ull * 1024 * 1024;
/// The uncompressed bytes of one 7z collection (real ones hold a few hundred MB).
constexpr std::uint64_t kMaxCollection = 1024ull * 1024 * 1024;
/// Problems of one collection logged one by one; the rest are counted.
constexpr int kLoggedProblems = 10;

bool EndsWithNoCase(std::string_view text, std::string_view lowerSuffix) {
    return text.size() >= lowerSuffix.size() &&
           ToLowerAscii(text.substr(text.size() - lowerSuffix.size())) == lowerSuffix;
}

/// "sf2.xml" at the top of the collection is the cheat file of "sf2", as the
/// emulator looks for it; "" for any other member.
std::string SetOfMember(std::string_view name) {
    if (name.size() <= 4 || !EndsWithNoCase(name, ".xml") ||
        name.find_first_of("/\\") != std::string_view::npos)
        return {};
    return std::string(name.substr(0, name.size() - 4));
}

/// The problems met in one collection, each a log line up to a limit.
class ProblemLog {
  public:
    explicit ProblemLog(std::string collection) : collection_(std::move(collection)) {}

    void Collection(std::string_view problem) {
        WriteLog("Cheat: " + collection_ + " " + std::string(problem));
    }
    void Member(std::string_view member, std::string_view problem) {
        if (++members_ <= kLoggedProblems)
            WriteLog("Cheat: " + collection_ + ": " + std::string(member) + " " +
                     std::string(problem) + ", passed over");
    }
    void Other(std::string_view member) {
        if (others_++ < kLoggedProblems)
            otherNames_ += std::string(others_ > 1 ? ", " : "") + std::string(member);
    }
    void Close() {
        if (members_ > kLoggedProblems)
            WriteLog("Cheat: " + collection_ + ": " + std::to_string(members_ - kLoggedProblems) +
                     " more files passed over");
        if (others_ > 0)
            WriteLog("Cheat: " + collection_ + ": passed over " + std::to_string(others_) +
                     " member(s) that are no set's XML file (" + otherNames_ +
                     (others_ > kLoggedProblems ? ", ..." : "") + ")");
    }

  private:
    std::string collection_;
    int members_ = 0;
    int others_ = 0;
    std::string otherNames_;
};

void Conclude(CheatFileScanner& scanner, const std::string& set, std::string_view member,
              ProblemLog& log, const Found& found) {
    std::string problem;
    const CheatVerdict verdict = scanner.Finish(problem);
    if (verdict == CheatVerdict::Cheats) found(set);
    if (verdict == CheatVerdict::NotCheatFile)
        log.Member(member, "is no cheat file (" + problem + ")");
}

/// Feeds a whole file to the scanner; false when it could not be read.
bool ScanFile(const std::string& path, CheatFileScanner& scanner, std::vector<char>& buffer) {
    std::ifstream in(path, std::ios::binary);
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        scanner.Feed(buffer.data(), static_cast<std::size_t>(in.gcount()));
    }
    return in.eof() && !in.bad();
}

bool ReadFolder(const std::string& folder, TaskProgress& progress, ProblemLog& log,
                const Found& found, std::vector<char>& buffer) {
    const std::vector<std::string> names = ListFolder(folder, "*", EntryKind::Files);
    progress.SetTotal(ProgressCount(names.size()));
    progress.Step(0);
    for (const std::string& name : names) {
        if (!progress.KeepGoing()) return false;
        progress.Advance();  // a cancel is noted at the next member
        const std::string set = SetOfMember(name);
        if (set.empty()) {
            log.Other(name);
            continue;
        }
        const std::string path = folder + name;
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(path, ec);
        if (!ec && size > kMaxCheatFile) {
            log.Member(name, "is too large for a cheat file");
            continue;
        }
        CheatFileScanner scanner(name);
        if (!ScanFile(path, scanner, buffer)) {
            log.Member(name, "cannot be read");
            continue;
        }
        Conclude(scanner, set, name, log, found);
    }
    return true;
}

struct ArchiveFree {
    void operator()(archive* reader) const { archive_read_free(reader); }
};

std::string ArchiveMessage(archive* reader) {
    const char* message = archive_error_string(reader);
    return message ? message : "unreadable";
}

/// 7z through libarchive, member by member. A member too large for a cheat
/// file is passed over; more data than a collection holds ends the walk.
bool Read7z(const std::string& path, TaskProgress& progress, ProblemLog& log, const Found& found,
            std::vector<char>& buffer) {
    std::unique_ptr<archive, ArchiveFree> reader(archive_read_new());
    if (!reader) throw std::bad_alloc();
    archive_read_support_format_7zip(reader.get());
    if (archive_read_open_filename(reader.get(), path.c_str(), kChunk) != ARCHIVE_OK) {
        log.Collection("cannot be read as a 7z archive (" + ArchiveMessage(reader.get()) + ")");
        return true;
    }
    std::error_code ec;
    progress.SetTotal(ProgressCount(fs::file_size(path, ec)));
    progress.Step(0);
    int files = 0;
    std::uint64_t total = 0;
    auto stop = [&](const std::string& problem) {
        log.Collection(problem + " after " + std::to_string(files) +
                       " cheat files; the rest is not read");
    };
    for (;;) {
        if (!progress.KeepGoing()) return false;
        archive_entry* entry = nullptr;
        const int status = archive_read_next_header(reader.get(), &entry);
        if (status == ARCHIVE_EOF) break;
        if (status != ARCHIVE_OK && status != ARCHIVE_WARN) {
            stop("is damaged (" + ArchiveMessage(reader.get()) + ")");
            break;
        }
        // A cancel is noted at the next member.
        progress.Step(ProgressCount(static_cast<std::uint64_t>(
            std::max<la_int64_t>(0, archive_filter_bytes(reader.get(), -1)))));
        if (archive_entry_filetype(entry) != AE_IFREG) continue;
        const char* utf8 = archive_entry_pathname_utf8(entry);
        const char* raw = archive_entry_pathname(entry);
        const std::string name = utf8 ? utf8 : raw ? raw : "";
        const std::uint64_t declared = archive_entry_size_is_set(entry)
                                           ? static_cast<std::uint64_t>(archive_entry_size(entry))
                                           : 0;
        if ((total += declared) > kMaxCollection) {
            stop("holds more data than a cheat collection");
            break;
        }
        const std::string set = SetOfMember(name);
        if (set.empty()) log.Other(name);
        // Every member is read through: libarchive fails to skip a large
        // member ("Truncated 7-Zip file body" at the next one).
        CheatFileScanner scanner(name);
        std::uint64_t size = 0;
        la_ssize_t got = 0;
        bool tooMuch = false;
        while ((got = archive_read_data(reader.get(), buffer.data(), buffer.size())) > 0) {
            size += static_cast<std::uint64_t>(got);
            if ((tooMuch = total - declared + size > kMaxCollection)) break;
            if (!set.empty() && size <= kMaxCheatFile)
                scanner.Feed(buffer.data(), static_cast<std::size_t>(got));
        }
        if (tooMuch) {
            stop("holds more data than a cheat collection");
            break;
        }
        if (size > declared) total += size - declared;
        if (got == ARCHIVE_FATAL) {
            stop("is damaged in " + name + " (" + ArchiveMessage(reader.get()) + ")");
            break;
        }
        if (set.empty()) continue;
        if (size > kMaxCheatFile) {
            log.Member(name, "is too large for a cheat file");
            continue;
        }
        if (got < 0) {
            log.Member(name, "cannot be read (" + ArchiveMessage(reader.get()) + ")");
            continue;
        }
        ++files;
        Conclude(scanner, set, name, log, found);
    }
    return true;
}

/// A private folder under the temporary folder, removed with its content.
class ScratchFolder {
  public:
    ScratchFolder() {
        const std::string found = FindTempFolder();
        const std::string base =
            found.empty() ? WithTrailingSlash(fs::temp_directory_path().string()) : found;
        path_ = base + "arcanote-cheat-XXXXXX";
        if (!::mkdtemp(path_.data())) throw std::system_error(errno, std::generic_category(), base);
        path_ += '/';
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

/// ZIP through the project's reader: each XML member is inflated (bounded by
/// its declared size and checked) into a scratch file, scanned and removed.
bool ReadZip(const std::string& path, TaskProgress& progress, ProblemLog& log, const Found& found,
             std::vector<char>& buffer) {
    ZipFileReader file;
    ZipEndRecord end;
    const std::optional<std::uint64_t> endAt =
        file.Open(path) ? FindEndRecord(file) : std::optional<std::uint64_t>();
    if (!endAt || !ReadEndRecord(file, *endAt, end) || end.Spanned()) {
        log.Collection("cannot be read as a ZIP archive");
        return true;
    }
    std::vector<ZipEntry> entries;
    if (!ReadCentralDirectory(file, end, entries, [&] { progress.KeepGoing(); }))
        log.Collection("has a damaged directory; the " + std::to_string(entries.size()) +
                       " members listed before the damage are read");
    progress.SetTotal(ProgressCount(file.Size()));
    progress.Step(0);
    const ScratchFolder scratch;
    const std::string target = scratch.Path() + "member.xml";
    ZipMemberWriter writer;
    for (const ZipEntry& entry : entries) {
        if (!progress.KeepGoing()) return false;
        progress.Step(ProgressCount(entry.localHeaderOffset));
        const std::string set = SetOfMember(entry.name);
        if (set.empty()) {
            log.Other(entry.name);
            continue;
        }
        if (entry.uncompressedSize > kMaxCheatFile) {
            log.Member(entry.name, "is too large for a cheat file");
            continue;
        }
        if (writer.Extract(file, entry, target).result != MemberResult::Written) {
            log.Member(entry.name, "cannot be read (damaged or compressed in an unknown way)");
            continue;
        }
        CheatFileScanner scanner(entry.name);
        const bool read = ScanFile(target, scanner, buffer);
        DeleteFileIfExists(target);
        if (!read) {
            log.Member(entry.name, "cannot be read");
            continue;
        }
        Conclude(scanner, set, entry.name, log, found);
    }
    return true;
}

}  // namespace

bool IsCheatCollectionPath(std::string_view path) {
    return FolderExists(path) || EndsWithNoCase(path, ".7z") || EndsWithNoCase(path, ".zip");
}

std::vector<std::string> CheatCollectionsFor(std::string_view cheatPath) {
    std::vector<std::string> collections;
    std::vector<fs::path> seen;
    std::string path(Trim(cheatPath));
    if (path.empty()) return collections;
    auto add = [&](const std::string& candidate, bool folder) {
        std::error_code ec;
        if (folder ? !fs::is_directory(candidate, ec) : !fs::is_regular_file(candidate, ec)) return;
        const fs::path key = fs::weakly_canonical(candidate, ec);
        for (const fs::path& known : seen)
            if (known == key) return;
        seen.push_back(key);
        collections.push_back(folder ? WithTrailingSlash(candidate) : candidate);
    };
    if (IsCheatCollectionPath(path)) add(path, FolderExists(path));
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
    add(FindNoCase(folder, "cheat.7z"), false);
    add(FindNoCase(folder, "cheat.zip"), false);
    add(FindNoCase(folder, "cheat"), true);
    return collections;
}

bool ReadCheatCollection(const std::string& path, TaskProgress& progress, const Found& found) {
    DebugLog("Analysing " + path);
    progress.SetLabel(AnalysingCaption(path));
    ProblemLog log(path);
    std::vector<char> buffer(kChunk);
    bool finished = true;
    if (FolderExists(path))
        finished = ReadFolder(WithTrailingSlash(path), progress, log, found, buffer);
    else if (EndsWithNoCase(path, ".zip"))
        finished = ReadZip(path, progress, log, found, buffer);
    else
        finished = Read7z(path, progress, log, found, buffer);
    log.Close();
    return finished;
}

}  // namespace arc
