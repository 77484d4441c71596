#pragma once
// State and commands of the wizard window: four ticked steps (download the
// support files, build a new database, list my ROMs, make the game sheets) run
// in order, each waited for before the next.

#include <array>
#include <functional>
#include <string>

namespace arc {

/// The steps the wizard runs, filled by the front end. Each returns once its
/// step has ended: a window step once its window closed (or the wizard's
/// close box ended the wait), a task once it ran.
struct WizardSteps {
    /// The download window as a wizard step; returns what its run did ("":
    /// the window closed without a run).
    std::function<std::string()> download;
    /// Builds a new database, with what it did.
    std::function<std::string()> buildDatabase;
    /// Marks the owned ROMs, with what it did.
    std::function<std::string()> listMyRoms;
    /// The game-sheet window as a wizard step.
    std::function<void()> sheets;
    /// The paths dialog.
    std::function<void()> paths;
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

    /// Window load: menus off, Next off.
    void Open();
    /// Ticks or unticks a box; Next is on exactly when a box is ticked.
    void SetBox(int box, bool ticked);
    /// Command3: the paths dialog, waited for (IsRunning() meanwhile).
    void Paths();
    /// Command1: runs the ticked steps in order and ends by saying what each
    /// did. False when it stopped because no database was chosen (the chooser
    /// was cancelled) or a stop was requested.
    bool Run();
    /// The close box during a run: the step under way is cancelled (the cancel
    /// flag is set), the wait on a step's window ends (the window stays) and
    /// no further step starts.
    /// Run() then returns false; the window closes after it.
    void RequestStop();
    bool IsRunning() const { return running_; }
    /// Window unload: menus on. Safe to call twice.
    void Close();
    bool IsOpen() const { return open_; }

  private:
    /// One line of the end message: the box's caption and what its step did.
    void Report(int box, const std::string& what);

    WizardSteps steps_;
    std::string report_;
    bool open_ = false;
    bool running_ = false;
    bool stopRequested_ = false;
};

}  // namespace arc
