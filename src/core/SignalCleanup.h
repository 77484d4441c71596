#pragma once
// Temporary files that must not outlive an interrupted run: a program that
// installs the handlers removes every registered file when SIGINT, SIGTERM or
// SIGHUP ends it, then ends as the signal would have ended it.

#include <signal.h>

#include <string_view>

namespace arc {

/// Registers `path` for removal on those signals; the slot to release, or -1
/// when the registry is full (the file is then only removed by its owner).
int RegisterForSignalCleanup(std::string_view path);
/// The file's owner took care of it (removed it or renamed it into place).
void ReleaseSignalCleanup(int slot);

/// Installs the handlers (once; later calls do nothing).
void InstallSignalCleanup();

/// Holds back those signals on this thread for the scope, so that a file is
/// never created without its registration.
class SignalsHeld {
  public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

  private:
    sigset_t previous_;
};

}  // namespace arc
