#include "core/WaitWhile.h"

#include <chrono>
#include <thread>

#include "core/UiService.h"

namespace arc {

void WaitWhile(const std::function<bool()>& busy) {
    while (busy()) {
        Ui().ProcessEvents();
        if (!busy()) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace arc
