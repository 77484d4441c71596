#include "pipeline/DatabaseBuild.h"

#include <filesystem>

#include "core/AppState.h"
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
    LetEventsRun();
    return true;
}

void DiscardBuild(std::string_view buildPath) {
    std::error_code ec;
    fs::remove(fs::path(buildPath), ec);
    for (std::string_view suffix : kJournalSuffixes)
        fs::remove(std::string(buildPath) + std::string(suffix), ec);
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
    const std::string backup = database + ".bak";
    std::error_code ec;
    fs::remove(backup, ec);
    for (std::string_view suffix : kJournalSuffixes)
        fs::remove(backup + std::string(suffix), ec);
    const bool previous = fs::exists(database, ec);
    if (previous) fs::rename(database, backup);
    // A journal belongs to its file: it moves with it, or goes when there is
    // none (a stale one would be applied to the new file).
    for (std::string_view suffix : kJournalSuffixes) {
        const std::string journal = database + std::string(suffix);
        if (!fs::exists(journal, ec)) continue;
        if (previous && suffix != "-shm")
            fs::rename(journal, backup + std::string(suffix));
        else
            fs::remove(journal);
    }
    try {
        fs::rename(fs::path(buildPath), database);
    } catch (...) {
        if (previous) fs::rename(backup, database, ec);
        throw;
    }
}

void EmptyAllTables() {
    for (std::string_view table :
         {"Data", "History", "Command", "Versions", "BiosSet", "Chip", "DipSwitch", "Disk", "Rom"})
        Execute("DELETE * FROM " + std::string(table));
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
