#include "pipeline/BuildTask.h"

#include <cstdint>
#include <filesystem>
#include <optional>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/TextTable.h"
#include "database/Database.h"
#include "database/FullTextIndex.h"
#include "database/Layout.h"
#include "pipeline/DatabaseBuild.h"
#include "pipeline/SoftwareStep.h"

namespace arc {
namespace {

constexpr int kProcBuildDatabase = 362;

bool HasContent(const std::string& path) {
    std::error_code ec;
    return std::filesystem::file_size(path, ec) > 0 && !ec;
}

/// The size of the list a previous run kept: the progress's guess for the
/// list being printed (a list of today's emulator when there is none).
std::uint64_t PreviousListBytes() {
    std::error_code ec;
    const auto size = std::filesystem::file_size(DefaultListXmlPath(), ec);
    return ec || size == 0 ? std::uint64_t{250} << 20 : size;
}

/// The part of the build that fills the file at `buildPath`; a database error
/// is left in `failure`, what the software step did not read in `notes`.
BuildResult FillBuild(const BuildRequest& request, const std::string& buildPath,
                      std::string& failure, std::string& notes, TaskContext& context) {
    TaskProgress& task = context.progress();
    task.SetLabel("Executing MAME ...");
    const bool givenList = !request.listXml.empty();
    // Without a whole list to reuse, the emulator's list is imported while it
    // prints; the previous list stays until this build is in.
    const bool streamed =
        !givenList && (request.refreshList || !IsCompleteListXml(DefaultListXmlPath()));
    if (!givenList && !streamed &&
        !RunMameLists(request.emulator, [&] { return task.Cancelled(); }))
        return task.Cancelled() ? BuildResult::Cancelled : BuildResult::NoEmulator;
    if (task.Cancelled()) return BuildResult::Cancelled;
    const std::string list = givenList ? request.listXml : DefaultListXmlPath();
    // A missing or empty list is told by the import itself.
    if (!streamed && HasContent(list) && !IsCompleteListXml(list)) {
        context.ui().Message(list + Text(kTextListCut), MsgButtons::Ok, MsgIcon::Critical);
        return BuildResult::NoList;
    }
    if (!OpenDatabase(buildPath, DatabaseUse::Build)) {
        failure = buildPath + Text(kTextCannotBeOpened);
        return BuildResult::Failed;
    }
    if (!task.Cancelled()) EmptyAllTables();
    // The support files are read on the other core while the list is imported.
    SupportFilesReading supportFiles(request.supportPaths);
    std::optional<StreamedList> stream;
    bool imported = false;
    if (streamed) {
        stream.emplace();
        const auto end = stream->Run(
            request.emulator,
            [&](std::FILE* output, std::FILE* copy) {
                // The version run came first: its stamp goes in before the list.
                WriteVersionStamp(ReadMameVersion());
                return ImportListXmlStream(output, "MAME -listxml", copy, PreviousListBytes(),
                                           task);
            },
            [&] { return task.Cancelled(); });
        if (end == StreamedList::End::Cancelled) return BuildResult::Cancelled;
        if (end == StreamedList::End::EmulatorFailed) return BuildResult::NoEmulator;
        imported = end == StreamedList::End::Listed;
    } else {
        task.SetLabel("");
        WriteVersionStamp(ReadMameVersion());
        imported = ImportListXml(request.listXml, task, request.method);
    }
    // A statement stopped by the cancel is no failure.
    if (task.Cancelled()) return BuildResult::Cancelled;
    failure = DatabaseFailure();
    if (!failure.empty()) return BuildResult::Failed;
    // Without games there is nothing for the support files to enrich.
    if (!imported) return task.Cancelled() ? BuildResult::Cancelled : BuildResult::NoList;
    // The software lists add to the machines; files they could not read are
    // told, and the build goes on.
    if (request.software && !task.Cancelled()) {
        SoftwareImportRequest source = *request.software;
        source.newDatabase = true;  // the build's own file, replaced whole on failure
        const SoftwareImportOutcome software = RunSoftwareStep(source, context);
        if (software.failed() || software.partial()) notes = software.message;
        failure = DatabaseFailure();
        if (!failure.empty()) return BuildResult::Failed;
    }
    // An import that was not cancelled ends with its count complete.
    if (!task.Cancelled()) supportFiles.Write(task);
    if (task.Cancelled()) return BuildResult::Cancelled;
    try {
        const InterruptScope interrupt([&] { return task.Cancelled(); });
        BuildFullTextIndex();
    } catch (const AppError&) {
        if (task.Cancelled()) return BuildResult::Cancelled;  // the index was stopped
        throw;
    }
    if (task.Cancelled()) return BuildResult::Cancelled;
    StampLayout();
    failure = CloseBuiltDatabase();
    if (!failure.empty()) return BuildResult::Failed;
    if (stream && !stream->Keep()) {
        failure = DefaultListXmlPath() + Text(kTextCannotBeOpened);
        return BuildResult::Failed;
    }
    ReplaceWithBuild(request.databasePath, buildPath);
    return BuildResult::Built;
}

BuildOutcome Finished(BuildResult result, std::string message, bool told) {
    BuildOutcome outcome;
    outcome.result = result;
    outcome.told = told;
    outcome.message = std::move(message);
    switch (result) {
        case BuildResult::Built:
            outcome.kind = OutcomeKind::Ok;
            break;
        case BuildResult::NotStarted:
        case BuildResult::Cancelled:
            outcome.kind = OutcomeKind::Cancelled;
            break;
        default:
            outcome.kind = OutcomeKind::Failed;
    }
    return outcome;
}

}  // namespace

static BuildOutcome RunBuildUncounted(const BuildRequest& request, TaskContext& context);

BuildRequest BuildRequestFrom(const Settings& settings, std::string databasePath,
                              const ImportChoices& choices) {
    BuildRequest request;
    request.databasePath = std::move(databasePath);
    request.emulator = {settings.MameExe, settings.MameFolder};
    request.refreshList = choices.refreshList;
    request.method = choices.method;
    request.supportPaths = {choices.useDefinedPaths, settings.DataFilePaths};
    return request;
}

BuildOutcome RunBuild(const BuildRequest& request, TaskContext& context) {
    BuildOutcome outcome =
        RunCountingErrors<BuildOutcome>([&] { return RunBuildUncounted(request, context); });
    if (outcome.failed() && outcome.result == BuildResult::Built)
        outcome.result = BuildResult::Failed;
    return outcome;
}

static BuildOutcome RunBuildUncounted(const BuildRequest& request, TaskContext& context) {
    const std::string& database = request.databasePath;
    if (database.empty()) return Finished(BuildResult::NotStarted, "no database file", false);
    if (IsTemplatePath(database)) {
        return Finished(BuildResult::TargetIsTemplate, database + Text(kTextTemplateRefused),
                        false);
    }
    const BuildLock lock(database);
    if (lock.Busy())
        return Finished(BuildResult::Busy, database + ": " + Text(kTextBuildRunning), false);
    // The file to replace may be the one open right now.
    CloseDatabase();
    const std::string buildPath = BuildFilePath(database);
    BuildResult result = BuildResult::NotStarted;
    std::string failure;
    std::string notes;
    const auto error = GuardedFailure(kProcBuildDatabase, [&] {
        if (!TestArcanoteMDB(buildPath)) {
            result = BuildResult::TemplateMissing;
            return;
        }
        result = FillBuild(request, buildPath, failure, notes, context);
    });
    if (error) {
        failure = *error;
        result = BuildResult::Failed;
    }
    if (result != BuildResult::Built) SkipCheckpointOnClose();
    CloseDatabase();
    if (result != BuildResult::Built) DiscardBuild(buildPath);
    switch (result) {
        case BuildResult::Built:
            return Finished(
                result, Text(kTextDatabaseCreated) + (notes.empty() ? "" : "\r\n" + notes), false);
        case BuildResult::Failed:
            return Finished(result, Text(kTextBuildFailed) + failure, false);
        case BuildResult::Cancelled:
            DebugLog("[CANCEL]");
            return Finished(result, {}, false);
        default:
            return Finished(result, "no database was built", true);
    }
}

}  // namespace arc
