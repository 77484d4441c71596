#include "Screenshot.h"

#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "ui/MainWindow.h"

void ScheduleScreenshot(arc::ui::MainWindow& main, const QString& file) {
    QTimer::singleShot(1500, &main, [&main] { main.RunCommand("MnuDefinirLesChemins"); });
    QTimer::singleShot(2500, &main, [&main, file] {
        if (!main.grab().save(file, "PNG"))
            std::fprintf(stderr, "arcanote: cannot write %s\n", qPrintable(file));
        main.close();
    });
}
