// The main window's "List my roms" command.

#include "collection/ListMyRoms.h"
#include "ui/DesktopWindows.h"
#include "ui/MainWindow.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {

void RegisterListMyRomsCommand() {
    RegisterMenuCommand(MenuCommand::ListMyRoms, [](MainWindow&) { ListMyRoms(); });
}

}  // namespace arc::ui
