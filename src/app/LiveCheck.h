#pragma once
// --live-check DIR: starts the desktop's database build through its menu
// command (answering its file chooser, options window and question), then,
// while the build runs, takes two pictures of the screen one second apart,
// covers and uncovers the main window, presses Cancel and answers Yes, and
// prints what it saw (used by tools/desktop-live.sh under a virtual X server).

#include <QString>

namespace arc::ui {
class MainWindow;
}

void ScheduleLiveCheck(arc::ui::MainWindow& main, const QString& folder);
