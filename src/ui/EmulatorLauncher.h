#pragma once
// Play: starts the emulator on a set, or on a machine with a software item,
// without waiting for it. Its output goes
// to the log line by line; a missing emulator, a failed start or an exit
// with an error is told to the user.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace arc::ui {

/// Called once a play that ran the game was recorded in the user database:
/// its start (seconds since the epoch) and how long the emulator ran.
using PlayEnded = std::function<void(std::int64_t startedAt, std::int64_t seconds)>;

/// Starts the emulator on `setName` (PlanLaunch), with `extraArguments` after
/// the set name, each a separate argument. False when it could not be started
/// (the user was told why).
bool PlayGame(const std::string& setName, const std::vector<std::string>& extraArguments = {},
              PlayEnded ended = {});

/// Starts the emulator on `machine` with the software `item` of `list` after
/// it (PlanLaunch, then the item), as PlayGame. The play is recorded under the
/// item and its list.
bool PlaySoftware(const std::string& machine, const std::string& list, const std::string& item,
                  PlayEnded ended = {});

}  // namespace arc::ui
