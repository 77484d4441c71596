#pragma once
// --screenshot FILE: once the main window shows, open the paths window, save
// a PNG of the main window and quit (used by tools/screenshot.sh).

#include <QString>

namespace arc::ui {
class MDIForm1;
}

void ScheduleScreenshot(arc::ui::MDIForm1& main, const QString& file);
