// The commands the main window runs itself. The other menu commands are
// registered beside the windows they open.

#include "core/Log.h"
#include "notes/Notes.h"
#include "shell/MainMenu.h"
#include "ui/DesktopWindows.h"
#include "ui/MainWindow.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {

void RegisterMainCommands() {
    RegisterMenuCommand(MenuCommand::French, [](MainWindow& main) { main.SwitchLanguage(1); });
    RegisterMenuCommand(MenuCommand::English, [](MainWindow& main) { main.SwitchLanguage(0); });
    RegisterMenuCommand(MenuCommand::OtherLanguage,
                        [](MainWindow& main) { main.SwitchLanguage(2); });
    RegisterMenuCommand(MenuCommand::Debug, [](MainWindow&) { ToggleDebugLogging(); });
    RegisterMenuCommand(MenuCommand::OpenSite, [](MainWindow&) { OpenSheetIndex(); });
    RegisterMenuCommand(MenuCommand::ReadMe, [](MainWindow&) { OpenReadMe(); });
    RegisterMenuCommand(MenuCommand::Help, [](MainWindow&) { OpenManual(); });
    RegisterMenuCommand(MenuCommand::MameLink, [](MainWindow&) { OpenWebPage(kMameHomePage); });
    RegisterMenuCommand(MenuCommand::Mame32Link, [](MainWindow&) { OpenWebPage(kMame32HomePage); });
    RegisterMenuCommand(MenuCommand::About, [](MainWindow& main) { main.ShowAbout(); });
    RegisterMenuCommand(MenuCommand::Quit, [](MainWindow& main) { main.close(); });
    RegisterMenuCommand(MenuCommand::WriteNote, [](MainWindow&) { WriteGameNote(); });
    RegisterMenuCommand(MenuCommand::UseAnotherDatabase,
                        [](MainWindow& main) { main.UseAnotherDatabase(); });
    RegisterMenuCommand(MenuCommand::CopyNotes, [](MainWindow&) { CopyNotesToDatabase(); });
}

}  // namespace arc::ui
