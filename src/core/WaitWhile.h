#pragma once
// Idle-waiting on a shared flag while the windows that will clear it run.

#include <functional>

namespace arc {

/// Lets pending events run (pausing a few milliseconds between rounds so the
/// wait costs no processor time) until `busy` returns false.
void WaitWhile(const std::function<bool()>& busy);

}  // namespace arc
