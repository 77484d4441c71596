#include "pipeline/UpdateTask.h"
#include "pipeline/SoftwareStep.h"

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/TextTable.h"
#include "core/Version.h"
#include "database/Database.h"
#include "database/FullTextIndex.h"
#include "importers/DataUpdate.h"
#include "importers/Importers.h"
#include "pipeline/DatabaseBuild.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {
namespace {

constexpr int kProcUpdate = 366;

/// The file of sources 1..17, placed by the catalogue's update box column.
constexpr std::array<SupportFile, kSupportFileCount> kSourceFiles = [] {
    std::array<SupportFile, kSupportFileCount> files{};
    for (const SupportFileRow& row : kSupportFileCatalogue)
        files[row.updateBox - 1] = row.file;
    return files;
}();

/// The update's stamp: the first row becomes the new stamp and the stamp it
/// replaces is appended, so the rows after the first keep the older stamps
/// in the order they were replaced.
void ReplaceVersionStamp(const std::string& version) {
    Statement first(
        "SELECT rowid, VersionMame, VersionArcanote FROM Versions ORDER BY rowid LIMIT 1");
    if (!first.Step()) {
        WriteVersionStamp(version);
        return;
    }
    DebugLog("Writting version number");
    const std::int64_t row = first.ColumnInt(0);
    const std::optional<std::string> oldMame = first.ColumnOptional(1);
    const std::optional<std::string> oldArcanote = first.ColumnOptional(2);
    first.Reset();
    Statement("UPDATE Versions SET VersionMame = ?, VersionArcanote = ? WHERE rowid = ?")
        .Bind(1, version)
        .Bind(2, VersionString())
        .Bind(3, row)
        .Run();
    Statement("INSERT INTO Versions (VersionMame, VersionArcanote) VALUES (?, ?)")
        .Bind(1, oldMame)
        .Bind(2, oldArcanote)
        .Run();
}

/// Runs `read` in one transaction: what it wrote stays only when it ran to
/// its end without an engine error (a cancel keeps what was read).
template <class Read>
bool InOneTransaction(Read read) {
    Transaction transaction;
    const bool done = read();
    if (!DatabaseFailure().empty()) return false;
    transaction.Commit();
    return done;
}

/// The lists whose importers only set Data fields.
bool CollectsUpdateValues(SupportFile file) {
    constexpr SupportFileSet kLists =
        SetOf({SupportFile::Wizsort, SupportFile::Catver, SupportFile::Controls, SupportFile::Genre,
               SupportFile::Catlist, SupportFile::Mature, SupportFile::Version,
               SupportFile::NPlayers, SupportFile::Multiplayer, SupportFile::Alltime,
               SupportFile::Aspect, SupportFile::Resolution});
    return (kLists & SetOf({file})) != 0;
}

}  // namespace

bool RunUpdateImporter(SupportFile file, const std::string& path, TaskProgress& progress) {
    // A new Command.dat replaces the blocks an earlier import stored, instead
    // of repeating them.
    if (file == SupportFile::Command) Execute("DELETE FROM Command");
    if (!CollectsUpdateValues(file)) return ImporterOf(file)(path, progress, nullptr);
    // An update of a set rewrites its whole row: the lists' values are
    // collected and each set written once. What was read before a cancel or
    // an error is written, as the transaction keeps it.
    DataValues values;
    const bool read = ImporterOf(file)(path, progress, &values);
    if (DatabaseFailure().empty()) values.Write(/*onlyChanges=*/true);
    return read;
}

UpdateChoices ParseUpdateChoices(std::string_view text) {
    UpdateChoices choices;
    std::size_t source = 0;
    std::size_t separator;
    while ((separator = text.find(';')) != std::string_view::npos) {
        if (source < choices.sources.size())
            choices.sources[source++] = Trim(text.substr(0, separator)) == "1";
        text.remove_prefix(separator + 1);
    }
    const std::string last = ToLowerAscii(Trim(text));
    choices.useDefinedPaths =
        last.empty() || last == "true" || last == "vrai" || last == "1" || last == "-1";
    return choices;
}

std::string UpdateChoicesText(const UpdateChoices& choices) {
    std::string text;
    for (bool source : choices.sources)
        text += source ? "1;" : "0;";
    return text + (choices.useDefinedPaths ? "True" : "False");
}

SupportFile UpdateSourceFile(int source) {
    return kSourceFiles.at(source - 1);
}

std::string UpdateSourceCaption(int source) {
    if (source == 0) return Text(kTextUpdateFromMame);
    if (source < 0 || source >= kUpdateSources) return {};
    return std::string(RowOf(UpdateSourceFile(source)).caption);
}

static UpdateOutcome RunUpdateUncounted(const UpdateRequest& request, TaskContext& context);

UpdateOutcome RunUpdate(const UpdateRequest& request, TaskContext& context) {
    return RunCountingErrors<UpdateOutcome>([&] { return RunUpdateUncounted(request, context); });
}

static UpdateOutcome RunUpdateUncounted(const UpdateRequest& request, TaskContext& context) {
    UpdateOutcome outcome;
    const std::string& database = request.databasePath;
    const BuildLock lock(database);
    if (lock.Busy()) {
        outcome.kind = OutcomeKind::Failed;
        outcome.message = database + ": " + Text(kTextBuildRunning);
        return outcome;
    }
    TaskProgress& progress = context.progress();
    std::vector<std::string>& problems = outcome.problems;
    bool opened = false;
    Guarded(kProcUpdate, [&] {
        if (!FileExists(database) || !OpenDatabase(database, DatabaseUse::Update)) return;
        opened = true;
        if (request.sources[0]) {
            DeleteFileIfExists(DefaultListXmlPath());
            if (!RunMameLists(request.emulator, [&] { return progress.Cancelled(); })) {
                problems.push_back(UpdateSourceCaption(0) + Text(kTextEmulatorFailed));
            } else if (InOneTransaction([&] {
                           if (!ImportListXml({}, progress, ImportMethod::Fast,
                                              /*updateMode=*/true))
                               return false;
                           ReplaceVersionStamp(ReadMameVersion());
                           return true;
                       })) {
            } else if (!progress.Cancelled() && DatabaseFailure().empty()) {
                problems.push_back(UpdateSourceCaption(0) + Text(kTextNoListImported));
            }
        }
        if (request.software && !progress.Cancelled() && DatabaseFailure().empty()) {
            const SoftwareImportOutcome software = RunSoftwareStep(*request.software, context);
            if (software.failed() || software.partial())
                problems.push_back("Software lists: " + software.message);
        }
        for (int source = 1; source < kUpdateSources; ++source) {
            if (!request.sources[source] || progress.Cancelled() || !DatabaseFailure().empty())
                continue;
            const SupportFile file = UpdateSourceFile(source);
            const std::string path = SupportFilePath(file, request.supportPaths);
            if (!SupportFileFound(file, path)) {
                problems.push_back(UpdateSourceCaption(source) + Text(kTextFileMissing));
                continue;
            }
            InOneTransaction([&] { return RunUpdateImporter(file, path, progress); });
        }
        // The full-text index follows the texts the update read.
        if (!progress.Cancelled() && DatabaseFailure().empty()) BuildFullTextIndex();
    });
    if (opened && !DatabaseFailure().empty())
        problems.push_back(Text(kTextDatabaseError) + DatabaseFailure());
    CloseDatabase();
    if (!opened) {
        outcome.kind = OutcomeKind::Failed;
        outcome.message = Text(kTextCannotOpenFile) + "\r\n" + database;
    } else if (!problems.empty()) {
        std::string told = Text(kTextUpdateIncomplete);
        for (const std::string& problem : problems)
            told += "\r\n" + problem;
        outcome =
            UpdateOutcome{Outcome::Partly(0, static_cast<int>(problems.size()), told), problems};
    } else if (progress.Cancelled()) {
        outcome.kind = OutcomeKind::Cancelled;
    } else {
        outcome.message = Text(kTextDone);
    }
    return outcome;
}

}  // namespace arc
