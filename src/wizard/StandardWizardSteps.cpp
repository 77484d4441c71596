#include "wizard/StandardWizardSteps.h"

#include "collection/ListMyRoms.h"
#include "core/AppState.h"
#include "core/UiService.h"
#include "database/BuildPipeline.h"

namespace arc {
namespace {

/// Opens a window that clears the task-running flag when it closes; a front
/// end without that window lets the wizard go on at once.
std::function<void()> OpenWaitedWindow(const char* formName) {
    return [formName] {
        if (!Ui().OpenWindow(formName)) State().WizardTaskRunning = false;
    };
}

}  // namespace

WizardSteps StandardWizardSteps() {
    WizardSteps steps;
    steps.openDownloadWindow = [] { Ui().OpenWindow("Form4"); };
    steps.buildDatabase = [] {
        BuildHooks hooks;
        hooks.openImportOptions = [] { Ui().OpenWindow("Form9"); };
        hooks.importOptionsOpen = [] { return Ui().IsWindowOpen("Form9"); };
        CreerMDB(hooks);
    };
    steps.listMyRoms = [] { ListerMesRoms(); };
    steps.openSheetWindow = OpenWaitedWindow("Form3");
    steps.sheetWindowOpen = [] { return Ui().IsWindowOpen("Form3"); };
    steps.openPathsDialog = OpenWaitedWindow("Form1");
    steps.pathsDialogOpen = [] { return Ui().IsWindowOpen("Form1"); };
    return steps;
}

}  // namespace arc
