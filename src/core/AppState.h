#pragma once
// Program-wide run-time state shared by every subsystem: flags and switches
// that are not saved in the settings file.

#include <string>
#include <vector>

namespace arc {

/// Flags and switches of one run. One instance, reached through State().
struct RunState {
    bool ErrorTrap = false;  ///< error convention armed by the start-up sequence
    bool LogFlag = false;    ///< debug logging (Debug command); never saved
    int ErrorCount = 0;      ///< error blocks written since start
    int TaskErrorCount = 0;  ///< error blocks written since the running task started
    int Procedure = 0;       ///< procedure number of the operation now running

    std::string TempFolder;  ///< run-time temporary folder, trailing "/"

    bool UpdateMode = false;         ///< on while an update runs (RunUpdate)
    bool WizardMode = false;         ///< a wizard run is in progress
    bool WizardTaskRunning = false;  ///< the wizard waits while this is on
    bool DownloadWindowOpen = false;
    bool PathsDialogOpen = false;
    /// The search window's criteria when it last closed, given back when it
    /// opens again during the same run.
    std::vector<std::string> SearchCriteria;
};

RunState& State();

/// Resets every run-time flag to its start value (tests use it between cases).
void ResetState();

}  // namespace arc
