// The commands the main window runs itself. The other menu commands are
// registered beside the windows they open.

#include "core/Log.h"
#include "notes/Notes.h"
#include "shell/MainMenu.h"
#include "ui/MainWindow.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {

ARCANOTE_REGISTER_COMMAND(MnuLangueFR, [](MainWindow& main) { main.SwitchLanguage(1); });
ARCANOTE_REGISTER_COMMAND(MnuLangueEN, [](MainWindow& main) { main.SwitchLanguage(0); });
ARCANOTE_REGISTER_COMMAND(MnuLangueAUTRE, [](MainWindow& main) { main.SwitchLanguage(2); });
ARCANOTE_REGISTER_COMMAND(MnuDebug, [](MainWindow&) { ToggleDebugLogging(); });
ARCANOTE_REGISTER_COMMAND(MnuConsulter, [](MainWindow&) { OpenSheetIndex(); });
ARCANOTE_REGISTER_COMMAND(MnuReadMe, [](MainWindow&) { OpenReadMe(); });
ARCANOTE_REGISTER_COMMAND(MnuAide, [](MainWindow&) { OpenManual(); });
ARCANOTE_REGISTER_COMMAND(MnuLienMame, [](MainWindow&) { OpenWebPage(kMameHomePage); });
ARCANOTE_REGISTER_COMMAND(MnuLienMame32, [](MainWindow&) { OpenWebPage(kMame32HomePage); });
ARCANOTE_REGISTER_COMMAND(MnuAPropos, [](MainWindow& main) { main.ShowAbout(); });
ARCANOTE_REGISTER_COMMAND(MnuQuit, [](MainWindow& main) { main.close(); });
ARCANOTE_REGISTER_COMMAND(MnuRediger, [](MainWindow&) { WriteGameNote(); });
ARCANOTE_REGISTER_COMMAND(MnuAutreBase, [](MainWindow& main) { main.UseAnotherDatabase(); });
ARCANOTE_REGISTER_COMMAND(MnuCopierNotes, [](MainWindow&) { CopyNotesToDatabase(); });

}  // namespace arc::ui
