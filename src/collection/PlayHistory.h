#pragma once
// What a Play leaves in the user database: when it started and how long the
// emulator ran.

#include <cstdint>
#include <string>
#include <string_view>

namespace arc {

/// False when the emulator refused to start the game (its exit codes for a
/// failed validity check, missing files, an unknown system or a bad
/// configuration): such a run is no play.
bool EmulatorRanTheGame(int exitCode);

/// Records one play of `set` into the user database beside `databasePath`
/// (created when missing): started at `startedAt` (seconds since the epoch),
/// lasting `seconds`. A software item is recorded under its `list` (a machine
/// under none). False (logged) when it cannot be written.
bool RecordPlay(const std::string& databasePath, std::string_view set, std::int64_t startedAt,
                std::int64_t seconds, std::string_view list = {});

}  // namespace arc
