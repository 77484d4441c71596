#include "pipeline/BuildPipeline.h"

#include <optional>

#include "core/ErrorGuard.h"
#include "core/Files.h"
#include "core/Log.h"
#include "core/Progress.h"
#include "core/Settings.h"
#include "core/Task.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "pipeline/DatabaseBuild.h"

namespace arc {
namespace {

/// The choices of the options window, once it closed; nothing when the user
/// cancelled it.
std::optional<ImportChoices> AskImportOptions(const BuildHooks& hooks) {
    if (!hooks.askImportOptions) return RememberedImportChoices(TheSettings());
    return hooks.askImportOptions();
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

BuildOutcome BuildDatabase(const BuildHooks& hooks) {
    MenusOff menus(false);  // back on after the last message
    if (DebugLogging()) {
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
        if (!hooks.inWizard) Ui().Message(outcome.message, MsgButtons::Ok, MsgIcon::None);
    } else if (outcome.failed() && !outcome.told) {
        const bool refused = outcome.result == BuildResult::TargetIsTemplate;
        Ui().Message(outcome.message, MsgButtons::Ok,
                     refused ? MsgIcon::Exclamation : MsgIcon::Critical);
    }
    return outcome;
}

}  // namespace arc
