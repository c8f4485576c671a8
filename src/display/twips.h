#pragma once

#include <cmath>

namespace vistel {

// 1440 twips to the inch; pixels convert through the screen's logical DPI (15 twips
// a pixel at 96 DPI).
inline constexpr double kTwipsPerInch = 1440.0;

[[nodiscard]] inline double TwipsPerPixel(double dpi) {
    return kTwipsPerInch / dpi;
}

[[nodiscard]] inline double PixelsToTwips(double pixels, double dpi) {
    return pixels * TwipsPerPixel(dpi);
}

// Whole pixels for a length in twips, rounded to the nearest pixel.
[[nodiscard]] inline int TwipsToPixels(double twips, double dpi) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel(dpi)));
}

}  // namespace vistel
