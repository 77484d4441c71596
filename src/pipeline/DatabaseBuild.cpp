#include "pipeline/DatabaseBuild.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/TextFile.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "core/Version.h"
#include "database/Database.h"

namespace arc {
namespace {

namespace fs = std::filesystem;

constexpr int kProcVersionStamp = 303;

/// The files SQLite keeps beside a database while it is open or after a crash.
constexpr std::string_view kJournalSuffixes[] = {"-wal", "-shm", "-journal"};

void RemoveJournals(const std::string& database) {
    std::error_code ec;
    for (std::string_view suffix : kJournalSuffixes)
        fs::remove(database + std::string(suffix), ec);
}

/// A database left with a write-ahead log or a hot journal (a killed writer)
/// gets it folded in or rolled back, so that the file stands alone.
void SettleJournals(const std::string& database) {
    std::error_code ec;
    if (!fs::exists(database + "-wal", ec) && !fs::exists(database + "-journal", ec)) return;
    PrepareEngine();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK)
        sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

/// Swaps the two files in one step. Where the file system cannot, the
/// previous file gets a second name first, so that `target` never goes
/// missing; `source` then names the previous file.
void ExchangeFiles(const std::string& source, const std::string& target) {
    if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) return;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        throw fs::filesystem_error("cannot swap", source, target,
                                   std::error_code(errno, std::generic_category()));
    const std::string second = source + ".prev";
    std::error_code ec;
    fs::remove(second, ec);
    if (link(target.c_str(), second.c_str()) != 0) fs::copy_file(target, second);
    try {
        fs::rename(source, target);
    } catch (...) {
        fs::remove(second, ec);
        throw;
    }
    fs::rename(second, source);
}

}  // namespace

std::string BuildFilePath(std::string_view databasePath) {
    return std::string(databasePath) + ".new";
}

bool IsTemplatePath(std::string_view databasePath) {
    std::error_code ec;
    const fs::path target = fs::weakly_canonical(fs::path(databasePath), ec);
    if (ec) return false;
    const fs::path templatePath = fs::weakly_canonical(InProgramFolder(kTemplateFileName), ec);
    return !ec && target == templatePath;
}

bool TestArcanoteMDB(std::string_view buildPath) {
    const std::string templatePath = InProgramFolder(kTemplateFileName);
    if (!FileExists(templatePath)) {
        Ui().Message(WithLineBreaks(Text(kTextTemplateNotFound)), MsgButtons::Ok,
                     MsgIcon::Exclamation);
        DebugLog("MISSING FILE : " + templatePath);
        return false;
    }
    DiscardBuild(buildPath);
    try {
        fs::copy_file(templatePath, fs::path(buildPath));
    } catch (...) {
        DiscardBuild(buildPath);
        throw;
    }
    return true;
}

void DiscardBuild(std::string_view buildPath) {
    std::error_code ec;
    fs::remove(fs::path(buildPath), ec);
    RemoveJournals(std::string(buildPath));
}

std::string CloseBuiltDatabase() {
    std::string problem = DatabaseFailure();
    if (problem.empty()) {
        try {
            if (ToLowerAscii(QueryValue("PRAGMA journal_mode=DELETE")) != "delete")
                problem = "the journal could not be written into the database";
        } catch (const std::exception& e) {
            problem = e.what();
        }
    }
    const std::string path = OpenDatabasePath();
    CloseDatabase();
    std::error_code ec;
    if (problem.empty() && fs::exists(path + "-wal", ec))
        problem = "the journal could not be written into the database";
    return problem;
}

void ReplaceWithBuild(std::string_view databasePath, std::string_view buildPath) {
    const std::string database(databasePath);
    const std::string build(buildPath);
    const std::string backup = database + ".bak";
    std::error_code ec;
    if (!fs::exists(database, ec)) {
        // A journal left without its file would be applied to the new one.
        RemoveJournals(database);
        fs::rename(build, database);
        return;
    }
    // The previous file's own journal is folded in, or travels with it.
    SettleJournals(database);
    std::vector<std::string> moved;
    for (std::string_view suffix : {"-wal", "-journal"}) {
        if (!fs::exists(database + std::string(suffix), ec)) continue;
        fs::rename(database + std::string(suffix), build + std::string(suffix));
        moved.emplace_back(suffix);
    }
    // One step: the database path holds the previous file up to the moment it
    // holds the new one; the previous file is then at the build's path.
    try {
        ExchangeFiles(build, database);
    } catch (...) {
        for (const std::string& suffix : moved)
            fs::rename(build + suffix, database + suffix, ec);
        throw;
    }
    // The new database is in place: nothing below may fail the build. Only
    // now does the older ".bak" give way to the previous database.
    fs::remove(database + "-shm", ec);
    RemoveJournals(backup);
    for (const std::string& suffix : moved)
        fs::rename(build + suffix, backup + suffix, ec);
    fs::rename(build, backup, ec);
    if (ec) WriteLog("The previous database stays at " + build + ": " + ec.message());
}

BuildLock::BuildLock(std::string_view databasePath) : path_(std::string(databasePath) + ".lock") {
    // The file may be unlinked by its holder between our open and our lock:
    // the lock counts only on the file that still has the name.
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) return;
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            busy_ = errno == EWOULDBLOCK;
            close(fd);
            return;
        }
        struct stat held {
        }, named{};
        if (fstat(fd, &held) == 0 && stat(path_.c_str(), &named) == 0 &&
            held.st_ino == named.st_ino && held.st_dev == named.st_dev) {
            fd_ = fd;
            return;
        }
        close(fd);
    }
}

BuildLock::~BuildLock() {
    if (fd_ < 0) return;
    unlink(path_.c_str());
    close(fd_);
}

void EmptyAllTables() {
    for (std::string_view table :
         {"Data", "History", "Command", "Versions", "BiosSet", "Chip", "DipSwitch", "Disk", "Rom"})
        Execute("DELETE FROM " + std::string(table));
}

std::string ReadMameVersion() {
    const std::string path = InProgramFolder("vermame.txt");
    std::vector<std::string> lines;
    std::string version = Text(kTextUnknownValue);
    if (!ReadTextLines(path, lines) || lines.empty()) return version;
    std::string line = lines[0];
    if (Trim(line).empty() && lines.size() > 1) line = lines[1];
    DeleteFileIfExists(path);
    const std::string_view trimmed = Trim(line);
    return trimmed.empty() ? version : std::string(trimmed);
}

void WriteVersionStamp(std::string_view mameVersion) {
    Guarded(kProcVersionStamp, [&] {
        DebugLog("Writting version number");
        Statement("INSERT INTO Versions (VersionMame, VersionArcanote) VALUES (?, ?)")
            .Bind(1, mameVersion)
            .Bind(2, VersionString())
            .Run();
    });
}

}  // namespace arc
