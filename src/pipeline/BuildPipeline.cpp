#include "pipeline/BuildPipeline.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include "core/AppState.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "core/Version.h"
#include "database/Database.h"
#include "pipeline/DatabaseBuild.h"
#include "pipeline/MameLists.h"
#include "pipeline/SupportFiles.h"
#include "xmlimport/ImportOptionsWindowState.h"
#include "xmlimport/ListXmlImport.h"

namespace arc {
namespace {

constexpr int kProcBuildDatabase = 362;

void WaitForImportOptions(const BuildHooks& hooks) {
    Progress().Cancel = false;
    if (!hooks.openImportOptions) {
        State().Form9Message.clear();
        return;
    }
    hooks.openImportOptions();
    while (hooks.importOptionsOpen && hooks.importOptionsOpen()) {
        LetEventsRunNow();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool HasContent(const std::string& path) {
    std::error_code ec;
    return std::filesystem::file_size(path, ec) > 0 && !ec;
}

/// The part of the build that runs under the progress window, filling the
/// file at `buildPath` and reporting to `task`; a database error is left in
/// `failure`.
BuildOutcome RunUnderProgress(const BuildHooks& hooks, const std::string& buildPath,
                              std::string& failure, TaskProgress& task) {
    task.SetLabel("Executing MAME ...");
    LetEventsRunNow();
    if (hooks.listXml.empty() && !RunMameLists()) return BuildOutcome::NoEmulator;
    if (task.Cancelled()) return BuildOutcome::Cancelled;
    const std::string list = hooks.listXml.empty() ? DefaultListXmlPath() : hooks.listXml;
    // A missing or empty list is told by the import itself.
    if (HasContent(list) && !IsCompleteListXml(list)) {
        Ui().Message(list + Text(kTextListCut), MsgButtons::Ok, MsgIcon::Critical);
        return BuildOutcome::NoList;
    }
    task.SetLabel("");
    if (!OpenDatabase(buildPath)) {
        failure = buildPath + Text(kTextCannotBeOpened);
        return BuildOutcome::Failed;
    }
    if (!task.Cancelled()) EmptyAllTables();
    WriteVersionStamp(ReadMameVersion());
    const bool imported = ImportListXml(hooks.listXml, task);
    failure = DatabaseFailure();
    if (!failure.empty()) return BuildOutcome::Failed;
    // Without games there is nothing for the support files to enrich.
    if (!imported) return task.Cancelled() ? BuildOutcome::Cancelled : BuildOutcome::NoList;
    // An import that was not cancelled ends with its count complete.
    if (!task.Cancelled()) {
        LetEventsRunNow();
        if (!task.Cancelled()) RunBuildImporters(task);
    }
    if (task.Cancelled()) return BuildOutcome::Cancelled;
    failure = CloseBuiltDatabase();
    if (!failure.empty()) return BuildOutcome::Failed;
    ReplaceWithBuild(TheSettings().DatabasePath, buildPath);
    return BuildOutcome::Built;
}

}  // namespace

BuildOutcome BuildDatabase(const BuildHooks& hooks) {
    BuildOutcome outcome = BuildOutcome::NotStarted;
    WizardStepEnd wizardStep;
    MenusOff menus(false);  // back on after the last message, unless in the wizard
    std::optional<ProgressShown> progress;
    std::string buildPath;
    std::string failure;
    auto build = [&] {
        if (State().LogFlag) {
            WriteLog("NEW MDB");
            WriteSettingsDump();
        }
        Settings& settings = TheSettings();
        const std::string chosen = ChooseFile(Text(kTextNewDatabaseTitle), settings.DatabasePath, 0,
                                              true, Text(kTextDatabaseFilter));
        if (chosen.empty()) return;
        if (IsTemplatePath(chosen)) {
            Ui().Message(chosen + Text(kTextTemplateRefused), MsgButtons::Ok, MsgIcon::Exclamation);
            outcome = BuildOutcome::TargetIsTemplate;
            return;
        }
        if (FileExists(chosen) && Ui().Message(Text(kTextDatabaseExistsReplace), MsgButtons::YesNo,
                                               MsgIcon::Question) != MsgAnswer::Yes)
            return;
        // The file to replace may be the one open right now.
        CloseDatabase();
        buildPath = BuildFilePath(chosen);
        if (!TestArcanoteMDB(buildPath)) {
            outcome = BuildOutcome::TemplateMissing;
            return;
        }
        WaitForImportOptions(hooks);
        if (State().Form9Message == kImportOptionsCancelled) return;
        // Only a build that starts makes the chosen file the database.
        settings.DatabasePath = chosen;
        SaveSettings();

        menus.Off();
        progress.emplace();
        WindowProgress task;
        outcome = RunUnderProgress(hooks, buildPath, failure, task);
    };
    if (const auto error = GuardedFailure(kProcBuildDatabase, build)) {
        failure = *error;
        outcome = BuildOutcome::Failed;
    }
    CloseDatabase();
    if (outcome != BuildOutcome::Built && !buildPath.empty()) DiscardBuild(buildPath);
    if (outcome == BuildOutcome::Cancelled) DebugLog("[CANCEL]");
    if (progress) {
        progress->UnloadKeepingCancel();
        if (outcome == BuildOutcome::Built) {
            Progress().Cancel = false;
            if (!State().WizardMode)
                Ui().Message(Text(kTextDatabaseCreated), MsgButtons::Ok, MsgIcon::None);
        }
    }
    if (outcome == BuildOutcome::Failed)
        Ui().Message(Text(kTextBuildFailed) + failure, MsgButtons::Ok, MsgIcon::Critical);
    return outcome;
}

}  // namespace arc
