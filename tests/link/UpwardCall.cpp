// A call from the ui layer into app: it links only into a program that links
// app (the layer_link_check test builds it both ways).

class QString;
namespace arc::ui {
class MainWindow;
}

void ScheduleScreenshot(arc::ui::MainWindow& main, const QString& file, const QString& window,
                        const QString& setName);

// Kept through the optimizer, so that the call is a reference to resolve.
void (*volatile call)(arc::ui::MainWindow&, const QString&, const QString&,
                      const QString&) = &ScheduleScreenshot;

int main() {
    return call ? 0 : 1;
}
