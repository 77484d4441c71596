// The commands the main window runs itself. The other menu commands are
// registered beside the windows they open.

#include "core/Log.h"
#include "core/Settings.h"
#include "notes/Notes.h"
#include "shell/MainMenu.h"
#include "ui/DesktopWindows.h"
#include "ui/MainWindow.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {
namespace {

/// A database the user chose in place of a missing one becomes the program's.
void KeepChosenDatabase(const NotesOutcome& outcome) {
    if (outcome.database == TheSettings().DatabasePath) return;
    TheSettings().DatabasePath = outcome.database;
    SaveSettings();
}

}  // namespace

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
    RegisterMenuCommand(MenuCommand::WriteNote, [](MainWindow&) {
        KeepChosenDatabase(WriteGameNote(NotesRequestFor(TheSettings().DatabasePath)));
    });
    RegisterMenuCommand(MenuCommand::UseAnotherDatabase,
                        [](MainWindow& main) { main.UseAnotherDatabase(); });
    RegisterMenuCommand(MenuCommand::CopyNotes, [](MainWindow&) {
        KeepChosenDatabase(CopyNotesToDatabase(NotesRequestFor(TheSettings().DatabasePath)));
    });
}

}  // namespace arc::ui
