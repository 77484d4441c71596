#include "core/AppState.h"

namespace arc {

RunState& State() {
    static RunState state;
    return state;
}

void ResetState() {
    State() = RunState{};
}

}  // namespace arc
