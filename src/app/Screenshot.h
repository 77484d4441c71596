#pragma once
// --screenshot FILE: once the main window shows, select a game in the game
// browser (--screenshot-select SET), open a tool window (--screenshot-window
// paths, the default, or search; browser opens none: the browser shows at
// start; browser-text searches the --screenshot-select words in the texts), save a PNG of the main
// window and quit (used by tools/screenshot.sh).

#include <QString>

namespace arc::ui {
class MainWindow;
}

void ScheduleScreenshot(arc::ui::MainWindow& main, const QString& file, const QString& window,
                        const QString& setName);
