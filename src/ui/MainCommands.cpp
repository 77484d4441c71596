// The commands the main window runs itself. The other menu commands are
// registered beside the windows they open.

#include "core/Log.h"
#include "core/MainMenu.h"
#include "ui/MainWindow.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {

ARCANOTE_REGISTER_COMMAND(MnuLangueFR, [](MDIForm1& main) { main.SwitchLanguage(1); });
ARCANOTE_REGISTER_COMMAND(MnuLangueEN, [](MDIForm1& main) { main.SwitchLanguage(0); });
ARCANOTE_REGISTER_COMMAND(MnuLangueAUTRE, [](MDIForm1& main) { main.SwitchLanguage(2); });
ARCANOTE_REGISTER_COMMAND(MnuDebug, [](MDIForm1&) { ToggleDebugLogging(); });
ARCANOTE_REGISTER_COMMAND(MnuConsulter, [](MDIForm1&) { OpenSheetIndex(); });
ARCANOTE_REGISTER_COMMAND(MnuReadMe, [](MDIForm1&) { OpenReadMe(); });
ARCANOTE_REGISTER_COMMAND(MnuAide, [](MDIForm1&) { OpenManual(); });
ARCANOTE_REGISTER_COMMAND(MnuLienMame, [](MDIForm1&) { OpenWebPage(kMameHomePage); });
ARCANOTE_REGISTER_COMMAND(MnuLienMame32, [](MDIForm1&) { OpenWebPage(kMame32HomePage); });
ARCANOTE_REGISTER_COMMAND(MnuAPropos, [](MDIForm1& main) { main.ShowAbout(); });
ARCANOTE_REGISTER_COMMAND(MnuQuit, [](MDIForm1& main) { main.close(); });

}  // namespace arc::ui
