#pragma once
// The desktop program's start-up sequence and what must live as long as the
// program runs: the single-instance lock, the UI service, the main window.

#include <QLockFile>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ui/QtUi.h"

namespace arc::ui {

class MainWindow;

class DesktopSession {
  public:
    enum class Outcome { Started, AlreadyRunning, NoProgramFolder };

    DesktopSession();
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    /// Runs the start-up sequence up to the main window, shown. `home` is the
    /// --home folder; `splashMs` how long the splash shows before the work goes
    /// on (1000 as designed). On NoProgramFolder, `error` says why.
    Outcome Start(const std::optional<std::string>& home, std::string_view executablePath,
                  int splashMs = 1000, std::string* error = nullptr);

    QtUi& Ui() { return ui_; }
    MainWindow* TheMainWindow() const { return main_.get(); }

  private:
    QtUi ui_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<MainWindow> main_;
};

/// The lock file that keeps a second instance away from a program folder.
inline constexpr std::string_view kInstanceLockName = "Arcanote.lock";

}  // namespace arc::ui
