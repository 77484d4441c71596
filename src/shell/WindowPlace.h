#pragma once
// Saved window places: WindowLeft/WindowTop/WindowWidth/WindowHeight of the
// settings, per window number 1..13, in twips (15 per pixel).

#include <optional>

namespace arc {

inline constexpr int kTwipsPerPixel = 15;

struct WindowPlace {
    std::optional<int> left;  ///< pixels; nullopt when nothing was saved
    std::optional<int> top;
    std::optional<int> width;
    std::optional<int> height;
};

/// The saved place of window `number` in pixels (each value only when its
/// saved value is greater than 0). Nothing for numbers outside 1..13.
WindowPlace SavedWindowPlace(int number);

/// Stores a position and a size given in pixels into the settings (not saved
/// to disk).
void StoreWindowPlace(int number, int leftPixels, int topPixels, int widthPixels = 0,
                      int heightPixels = 0);

}  // namespace arc
