#include "core/SignalCleanup.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace arc {
namespace {

constexpr int kSlots = 64;
constexpr std::size_t kPathBytes = 4096;

/// Fixed storage only: the handler may neither allocate nor lock.
struct Slot {
    std::atomic<bool> taken{false};  ///< owned by a registration
    std::atomic<bool> armed{false};  ///< the path is complete and to be removed
    char path[kPathBytes];
};

Slot g_slots[kSlots];

extern "C" void RemoveRegisteredFiles(int signalNumber) {
    for (Slot& slot : g_slots)
        if (slot.armed.load()) ::unlink(slot.path);
    ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);
}

}  // namespace

int RegisterForSignalCleanup(std::string_view path) {
    if (path.empty() || path.size() >= kPathBytes) return -1;
    for (int i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (!g_slots[i].taken.compare_exchange_strong(expected, true)) continue;
        std::memcpy(g_slots[i].path, path.data(), path.size());
        g_slots[i].path[path.size()] = '\0';
        g_slots[i].armed.store(true);
        return i;
    }
    return -1;
}

void ReleaseSignalCleanup(int slot) {
    if (slot < 0 || slot >= kSlots) return;
    g_slots[slot].armed.store(false);
    g_slots[slot].taken.store(false);
}

SignalsHeld::SignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&held, signalNumber);
    pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

SignalsHeld::~SignalsHeld() {
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

void InstallSignalCleanup() {
    static std::atomic<bool> installed{false};
    if (installed.exchange(true)) return;
    struct sigaction action {};
    action.sa_handler = &RemoveRegisteredFiles;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        // A signal the caller chose to ignore (nohup) stays ignored.
        struct sigaction previous {};
        if (::sigaction(signalNumber, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signalNumber, &action, nullptr);
    }
}

}  // namespace arc
