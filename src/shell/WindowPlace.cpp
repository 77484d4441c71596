#include "shell/WindowPlace.h"

#include "core/Settings.h"

namespace arc {
namespace {

bool ValidNumber(int number) {
    return number >= 1 && number <= 13;
}

}  // namespace

WindowPlace SavedWindowPlace(int number) {
    WindowPlace place;
    if (!ValidNumber(number)) return place;
    const Settings& settings = TheSettings();
    if (settings.WindowLeft[number] > 0) place.left = settings.WindowLeft[number] / kTwipsPerPixel;
    if (settings.WindowTop[number] > 0) place.top = settings.WindowTop[number] / kTwipsPerPixel;
    return place;
}

void StoreWindowPlace(int number, int leftPixels, int topPixels) {
    if (!ValidNumber(number)) return;
    TheSettings().WindowLeft[number] = leftPixels * kTwipsPerPixel;
    TheSettings().WindowTop[number] = topPixels * kTwipsPerPixel;
}

}  // namespace arc
