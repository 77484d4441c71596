#pragma once
// State and commands of the wizard window: four ticked steps (download the
// support files, build a new database, list my ROMs, make the game sheets) run
// in order, each waited for before the next.

#include <array>
#include <functional>
#include <string>

namespace arc {

/// The tasks the wizard starts, filled by the front end.
struct WizardSteps {
    /// Shows the download window without waiting; the window sets the
    /// download-window flag while open and closes itself after a run in wizard mode.
    std::function<void()> openDownloadWindow;
    /// Optional: what the last download run did, read once its window closed.
    std::function<std::string()> downloadSummary;
    /// Builds a new database; returns when the build has ended, with what it did.
    std::function<std::string()> buildDatabase;
    /// Marks the owned ROMs; returns when the listing has ended, with what it did.
    std::function<std::string()> listMyRoms;
    /// Shows the game-sheet window without waiting; it clears the task-running
    /// flag when it closes.
    std::function<void()> openSheetWindow;
    /// Shows the paths dialog without waiting; it clears the task-running flag
    /// when it closes.
    std::function<void()> openPathsDialog;
    /// Optional: whether those two windows are still open. A window that closed
    /// without clearing the task-running flag then no longer holds the wizard.
    std::function<bool()> sheetWindowOpen;
    std::function<bool()> pathsDialogOpen;
};

inline constexpr int kWizardBoxes = 4;

class WizardWindowState {
  public:
    enum Box { kDownload = 0, kNewDatabase = 1, kListRoms = 2, kSheets = 3 };

    explicit WizardWindowState(WizardSteps steps) : steps_(std::move(steps)) {}

    std::array<bool, kWizardBoxes> boxes{};
    bool nextEnabled = false;  ///< Command1

    /// Caption of box i (the current language).
    static const std::string& BoxCaption(int box);

    /// Window load: menus off, wizard mode on, Next off.
    void Open();
    /// Ticks or unticks a box; Next is on exactly when a box is ticked.
    void SetBox(int box, bool ticked);
    /// Command3: the paths dialog, waited for.
    void Paths();
    /// Command1: runs the ticked steps in order and ends by saying what each
    /// did. False when it stopped because no database was chosen (the chooser
    /// was cancelled) or a stop was requested.
    bool Run();
    /// The close box during a run: the step under way is cancelled (the cancel
    /// flag is set), the wizard stops waiting for it and starts no further step.
    /// Run() then returns false; the window closes after it.
    void RequestStop();
    bool IsRunning() const { return running_; }
    /// Window unload: wizard mode off, menus on. Safe to call twice.
    void Close();
    bool IsOpen() const { return open_; }

  private:
    void RunTaskStep(const std::function<void()>& step,
                     const std::function<bool()>& stillOpen = {});

    /// One line of the end message: the box's caption and what its step did.
    void Report(int box, const std::string& what);

    WizardSteps steps_;
    std::string report_;
    bool open_ = false;
    bool running_ = false;
    bool stopRequested_ = false;
};

}  // namespace arc
