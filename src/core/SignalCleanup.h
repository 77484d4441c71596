#pragma once
// Temporary files that must not outlive an interrupted run: a program that
// installs the handlers removes every registered file when SIGINT, SIGTERM or
// SIGHUP ends it, then ends as the signal would have ended it.

#include <string_view>

namespace arc {

/// Registers `path` for removal on those signals; the slot to release, or -1
/// when the registry is full (the file is then only removed by its owner).
int RegisterForSignalCleanup(std::string_view path);
/// The file's owner took care of it (removed it or renamed it into place).
void ReleaseSignalCleanup(int slot);

/// Installs the handlers (once; later calls do nothing).
void InstallSignalCleanup();

}  // namespace arc
