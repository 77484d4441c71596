#include "ui/DesktopWindows.h"

namespace arc::ui {

void RegisterDesktopWindows() {
    RegisterAuditWindow();
    RegisterDownloadWindow();
    RegisterGameBrowserWindow();
    RegisterImagesWindow();
    RegisterImportOptionsWindow();
    RegisterListMyRomsCommand();
    RegisterMainCommands();
    RegisterPathsWindow();
    RegisterSearchWindow();
    RegisterSheetWindow();
    RegisterSoftwareBrowserWindow();
    RegisterTranslationWindow();
    RegisterUpdateWindow();
    RegisterWizardWindow();
    RegisterZipAllWindow();
}

}  // namespace arc::ui
