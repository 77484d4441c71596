#include "wizard/StandardWizardSteps.h"

#include "collection/ListMyRoms.h"
#include "core/AppState.h"
#include "core/UiService.h"
#include "pipeline/BuildPipeline.h"

namespace arc {
namespace {

/// Opens a window that clears the task-running flag when it closes; a front
/// end without that window lets the wizard go on at once.
std::function<void()> OpenWaitedWindow(WindowId window) {
    return [window] {
        if (!Ui().OpenWindow(window)) State().WizardTaskRunning = false;
    };
}

}  // namespace

WizardSteps StandardWizardSteps() {
    WizardSteps steps;
    steps.openDownloadWindow = [] { Ui().OpenWindow(WindowId::Download); };
    steps.buildDatabase = [] {
        BuildHooks hooks;
        hooks.openImportOptions = [] { return Ui().OpenWindow(WindowId::ImportOptions); };
        hooks.importOptionsOpen = [] { return Ui().IsWindowOpen(WindowId::ImportOptions); };
        BuildDatabase(hooks);
    };
    steps.listMyRoms = [] { ListMyRoms(); };
    steps.openSheetWindow = OpenWaitedWindow(WindowId::Sheet);
    steps.sheetWindowOpen = [] { return Ui().IsWindowOpen(WindowId::Sheet); };
    steps.openPathsDialog = OpenWaitedWindow(WindowId::Paths);
    steps.pathsDialogOpen = [] { return Ui().IsWindowOpen(WindowId::Paths); };
    return steps;
}

}  // namespace arc
