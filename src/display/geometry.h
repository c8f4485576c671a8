#pragma once

#include <cstdint>
#include <optional>

namespace vistel {

// Height and width in twips.
struct Extent {
    double height = 0;
    double width = 0;
    friend bool operator==(const Extent&, const Extent&) = default;
};

// A fitted picture's top-left corner lies this far into the client area (twips).
inline constexpr double kPictureOrigin = 100;

// The size a picture of natural size pic is shown at in a fit area: a picture too
// high or too wide is scaled by its own proportions (wider than tall: to the fit
// width, else to the fit height; the other side may overrun the area), a picture
// that fits keeps its natural size. nullopt for a zero-width picture that needs
// scaling (its proportions are undefined).
[[nodiscard]] std::optional<Extent> FitPicture(int32_t picHeight, int32_t picWidth, int32_t fitHeight,
                                               int32_t fitWidth);

// A scroll bar's settings for the actual-size view.
struct ScrollSettings {
    int16_t max = 0;
    int16_t largeChange = 0;
    int16_t smallChange = 0;
    friend bool operator==(const ScrollSettings&, const ScrollSettings&) = default;
};

// Range and steps of a bar whose picture overruns: max from rangeExcess - 1, steps
// a tenth and a hundredth of stepExcess, each rounded half to even into 16 bits.
// nullopt when a value does not fit 16 bits.
[[nodiscard]] std::optional<ScrollSettings> ScrollFor(double rangeExcess, double stepExcess);

// Where the image window's scroll bars go and what area they leave to a fitted
// picture, for a client area and bar thicknesses. Never negative.
struct BarLayout {
    int32_t vScrollTop = 0;
    int32_t vScrollLeft = 0;
    int32_t vScrollHeight = 0;
    int32_t hScrollTop = 0;
    int32_t hScrollLeft = 0;
    int32_t hScrollWidth = 0;
    int32_t fitHeight = 0;
    int32_t fitWidth = 0;
    friend bool operator==(const BarLayout&, const BarLayout&) = default;
};

[[nodiscard]] BarLayout LayoutBars(int32_t clientHeight, int32_t clientWidth, int32_t hScrollHeight,
                                   int32_t vScrollWidth);

}  // namespace vistel
