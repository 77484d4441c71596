#pragma once
// Saved window positions: WindowLeft/WindowTop of the settings, per window
// number 1..13, in twips (15 per pixel).

#include <optional>

namespace arc {

inline constexpr int kTwipsPerPixel = 15;

struct WindowPlace {
    std::optional<int> left;  ///< pixels; nullopt when nothing was saved
    std::optional<int> top;
};

/// The saved position of window `number` in pixels (each coordinate only when
/// its saved value is greater than 0). Nothing for numbers outside 1..13.
WindowPlace SavedWindowPlace(int number);

/// Stores a position given in pixels into the settings (not saved to disk).
void StoreWindowPlace(int number, int leftPixels, int topPixels);

}  // namespace arc
