#include "wizard/StandardWizardSteps.h"

#include "collection/ListMyRoms.h"
#include "core/AppState.h"
#include "core/TextTable.h"
#include "core/UiService.h"
#include "download/DownloadWindowState.h"
#include "pipeline/BuildPipeline.h"
#include "pipeline/SoftwareStep.h"

namespace arc {
namespace {

/// Opens a window that clears the task-running flag when it closes; a front
/// end without that window lets the wizard go on at once.
std::function<void()> OpenWaitedWindow(WindowId window) {
    return [window] {
        if (!Ui().OpenWindow(window)) State().WizardTaskRunning = false;
    };
}

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

WizardSteps StandardWizardSteps() {
    WizardSteps steps;
    steps.openDownloadWindow = [] { Ui().OpenWindow(WindowId::Download); };
    steps.downloadSummary = [] { return LastDownloadSummary(); };
    steps.buildDatabase = [] {
        BuildHooks hooks;
        hooks.openImportOptions = [] { return Ui().OpenWindow(WindowId::ImportOptions); };
        hooks.importOptionsOpen = [] { return Ui().IsWindowOpen(WindowId::ImportOptions); };
        hooks.softwareSource = AvailableSoftwareSource;
        return BuildSummary(BuildDatabase(hooks));
    };
    steps.listMyRoms = [] { return RomsSummary(ListMyRoms()); };
    steps.openSheetWindow = OpenWaitedWindow(WindowId::Sheet);
    steps.sheetWindowOpen = [] { return Ui().IsWindowOpen(WindowId::Sheet); };
    steps.openPathsDialog = OpenWaitedWindow(WindowId::Paths);
    steps.pathsDialogOpen = [] { return Ui().IsWindowOpen(WindowId::Paths); };
    return steps;
}

}  // namespace arc
