#include "shell/WindowPlace.h"

#include <algorithm>

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
    if (settings.WindowLeft[number] > 0)
        place.left = settings.WindowLeft[number] / kSavedUnitsPerPixel;
    if (settings.WindowTop[number] > 0)
        place.top = settings.WindowTop[number] / kSavedUnitsPerPixel;
    if (settings.WindowWidth[number] > 0 && settings.WindowHeight[number] > 0) {
        place.width = settings.WindowWidth[number] / kSavedUnitsPerPixel;
        place.height = settings.WindowHeight[number] / kSavedUnitsPerPixel;
    }
    return place;
}

void StoreWindowPlace(int number, int leftPixels, int topPixels, int widthPixels,
                      int heightPixels) {
    if (!ValidNumber(number)) return;
    Settings& settings = TheSettings();
    settings.WindowLeft[number] = leftPixels * kSavedUnitsPerPixel;
    settings.WindowTop[number] = topPixels * kSavedUnitsPerPixel;
    settings.WindowWidth[number] = widthPixels * kSavedUnitsPerPixel;
    settings.WindowHeight[number] = heightPixels * kSavedUnitsPerPixel;
}

PlaceRect FitInto(PlaceRect window, const PlaceRect& area) {
    window.width = std::clamp(window.width, 1, std::max(area.width, 1));
    window.height = std::clamp(window.height, 1, std::max(area.height, 1));
    window.x = std::clamp(window.x, area.x, area.x + std::max(area.width, 1) - window.width);
    window.y = std::clamp(window.y, area.y, area.y + std::max(area.height, 1) - window.height);
    return window;
}

}  // namespace arc
