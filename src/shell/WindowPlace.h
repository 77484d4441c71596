#pragma once
// Saved window places: WindowLeft/WindowTop/WindowWidth/WindowHeight of the
// settings, per window number 1..13, in the saved unit: 15 per pixel (the unit
// stored settings files hold).

#include <optional>

namespace arc {

/// Saved units per screen pixel.
inline constexpr int kSavedUnitsPerPixel = 15;

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

/// A window's rectangle, or the area it must fit in, in pixels.
struct PlaceRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PlaceRect&) const = default;
};

/// The rectangle made to fit `area`: no wider or taller than it (nor smaller
/// than 1 x 1), and moved the least so that it lies wholly inside it.
PlaceRect FitInto(PlaceRect window, const PlaceRect& area);

}  // namespace arc
