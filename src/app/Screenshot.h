#pragma once
// --screenshot FILE: once the main window shows, open the paths window, save
// a PNG of the main window and quit (used by tools/screenshot.sh).

#include <QString>

namespace arc::ui {
class MainWindow;
}

void ScheduleScreenshot(arc::ui::MainWindow& main, const QString& file);
