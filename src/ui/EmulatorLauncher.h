#pragma once
// Play: starts the emulator on a set without waiting for it. Its output goes
// to the log line by line; a missing emulator, a failed start or an exit
// with an error is told to the user.

#include <string>

namespace arc::ui {

/// Starts the emulator on `setName` (PlanLaunch). False when it could not be
/// started (the user was told why).
bool PlayGame(const std::string& setName);

}  // namespace arc::ui
