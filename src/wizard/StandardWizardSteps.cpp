#include "wizard/StandardWizardSteps.h"

#include "collection/ListMyRoms.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "pipeline/BuildPipeline.h"
#include "pipeline/SoftwareStep.h"

namespace arc {
namespace {

std::string BuildSummary(const BuildOutcome& outcome) {
    switch (outcome.result) {
        case BuildResult::Built:
            return Text(kTextDatabaseCreated);
        case BuildResult::Cancelled:
            return Text(kTextStepCancelled);
        default:
            return Text(kTextStepNotDone);
    }
}

std::string RomsSummary(const ListMyRomsOutcome& summary) {
    if (summary.cancelled()) return Text(kTextStepCancelled);
    if (!summary.ok()) return Text(kTextStepNotDone);
    return std::to_string(summary.scanned) + Text(kTextScannedFiles) + " " +
           std::to_string(summary.owned) + Text(kTextListedRoms) + " " +
           std::to_string(summary.added) + Text(kTextSetsAdded) + " " +
           std::to_string(summary.noLongerFound) + Text(kTextSetsNoLongerFound);
}

}  // namespace

WizardSteps StandardWizardSteps(std::function<std::optional<ImportChoices>()> askImportOptions) {
    WizardSteps steps;
    steps.download = [] {
        Ui().RunWindow(WindowId::Download, WindowCaller::Wizard);
        return std::string();
    };
    steps.buildDatabase = [ask = std::move(askImportOptions)] {
        BuildHooks hooks;
        hooks.askImportOptions = ask;
        hooks.softwareSource = AvailableSoftwareSource;
        hooks.inWizard = true;
        return BuildSummary(BuildDatabase(hooks));
    };
    steps.listMyRoms = [] { return RomsSummary(ListMyRoms(/*wizardStep=*/true)); };
    steps.sheets = [] { Ui().RunWindow(WindowId::Sheet, WindowCaller::Wizard); };
    steps.paths = [] { Ui().RunWindow(WindowId::Paths, WindowCaller::Wizard); };
    return steps;
}

}  // namespace arc
