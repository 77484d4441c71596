#pragma once
// Every tool window and menu command of the desktop program, registered by
// one call that the program's start (and each window test) makes before the
// main window runs a command. Each window's file registers its own part.

namespace arc::ui {

/// Registers them all; a second call changes nothing.
void RegisterDesktopWindows();

void RegisterAuditWindow();
void RegisterDownloadWindow();
void RegisterGameBrowserWindow();
void RegisterImagesWindow();
void RegisterImportOptionsWindow();
void RegisterListMyRomsCommand();
void RegisterMainCommands();
void RegisterPathsWindow();
void RegisterSearchWindow();
void RegisterSheetWindow();
void RegisterSoftwareBrowserWindow();
void RegisterTranslationWindow();
void RegisterUpdateWindow();
void RegisterWizardWindow();
void RegisterZipAllWindow();

}  // namespace arc::ui
