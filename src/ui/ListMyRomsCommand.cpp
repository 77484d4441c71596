// The main window's "List my roms" command.

#include "collection/ListMyRoms.h"
#include "ui/MainWindow.h"
#include "ui/WindowRegistry.h"

namespace arc::ui {

ARCANOTE_REGISTER_COMMAND(MnuListMyRoms, [](MainWindow&) { ListMyRoms(); });

}  // namespace arc::ui
