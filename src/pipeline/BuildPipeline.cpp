#include "pipeline/BuildPipeline.h"

#include <optional>

#include "core/AppState.h"
#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "core/WaitWhile.h"
#include "pipeline/DatabaseBuild.h"
#include "xmlimport/ImportOptionsWindowState.h"

namespace arc {
namespace {

/// The choices of the options window, once it closed; nothing when the user
/// cancelled it.
std::optional<ImportChoices> AskImportOptions(const BuildHooks& hooks) {
    if (!hooks.openImportOptions || !hooks.openImportOptions())
        return RememberedImportChoices(TheSettings());
    if (hooks.importOptionsOpen) WaitWhile(hooks.importOptionsOpen);
    return ImportOptionsWindowState::TakeClosedChoices();
}

/// The file the user chose to build, once confirmed; "" when the chooser was
/// cancelled or replacing was refused.
std::string ChooseTarget() {
    bool cancelled = true;
    // The chooser does not ask about replacing: the question below does, once.
    const std::string chosen =
        ChooseFile(Text(kTextNewDatabaseTitle), TheSettings().DatabasePath, kNoOverwritePrompt,
                   true, Text(kTextDatabaseFilter), &cancelled);
    if (cancelled || chosen.empty()) return {};
    if (!IsTemplatePath(chosen) && FileExists(chosen) &&
        Ui().Message(Text(kTextDatabaseExistsReplace), MsgButtons::YesNo, MsgIcon::Question) !=
            MsgAnswer::Yes)
        return {};
    return chosen;
}

}  // namespace

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

BuildOutcome BuildDatabase(const BuildHooks& hooks) {
    WizardStepEnd wizardStep;
    MenusOff menus(false);  // back on after the last message, unless in the wizard
    if (State().LogFlag) {
        WriteLog("NEW MDB");
        WriteSettingsDump();
    }
    BuildOutcome outcome;
    outcome.result = BuildResult::NotStarted;
    outcome.kind = OutcomeKind::Cancelled;
    const std::string chosen = ChooseTarget();
    if (chosen.empty()) return outcome;
    const std::optional<ImportChoices> choices = AskImportOptions(hooks);
    if (!choices) return outcome;
    BuildRequest request = BuildRequestFrom(TheSettings(), chosen, *choices);
    if (hooks.softwareSource) request.software = hooks.softwareSource(request.emulator);
    {
        menus.Off();
        outcome = RunShown([&](TaskContext& context) { return RunBuild(request, context); },
                           {.window = true, .menusOff = false});
    }
    if (outcome.ok()) {
        TheSettings().DatabasePath = chosen;
        SaveSettings();
        if (!State().WizardMode) Ui().Message(outcome.message, MsgButtons::Ok, MsgIcon::None);
    } else if (outcome.failed() && !outcome.told) {
        const bool refused = outcome.result == BuildResult::TargetIsTemplate;
        Ui().Message(outcome.message, MsgButtons::Ok,
                     refused ? MsgIcon::Exclamation : MsgIcon::Critical);
    }
    return outcome;
}

}  // namespace arc
