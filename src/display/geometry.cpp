#include "display/geometry.h"

#include <algorithm>

#include "app/numeric.h"

namespace vistel {

std::optional<Extent> FitPicture(int32_t picHeight, int32_t picWidth, int32_t fitHeight, int32_t fitWidth) {
    if (picHeight <= fitHeight && picWidth <= fitWidth) {
        return Extent{static_cast<double>(picHeight), static_cast<double>(picWidth)};
    }
    if (picWidth == 0) return std::nullopt;
    const double ratio = static_cast<double>(picHeight) / static_cast<double>(picWidth);
    // Sizes are kept in single precision, as the picture control stores them.
    if (ratio < 1) {
        const double height = static_cast<double>(fitWidth) / picWidth * picHeight;
        return Extent{static_cast<float>(height), static_cast<double>(fitWidth)};
    }
    const double width = static_cast<double>(fitHeight) / picHeight * picWidth;
    return Extent{static_cast<double>(fitHeight), static_cast<float>(width)};
}

std::optional<ScrollSettings> ScrollFor(double rangeExcess, double stepExcess) {
    const auto max = ToInt16(rangeExcess - 1);
    const auto large = ToInt16(stepExcess / 10);
    const auto small = ToInt16(stepExcess / 100);
    if (!max || !large || !small) return std::nullopt;
    return ScrollSettings{*max, *large, *small};
}

BarLayout LayoutBars(int32_t clientHeight, int32_t clientWidth, int32_t hScrollHeight, int32_t vScrollWidth) {
    // A client area smaller than a bar (a minimized window) would give negative
    // sizes: clamp them at 0.
    const int32_t fitHeight = std::max(0, clientHeight - hScrollHeight);
    const int32_t fitWidth = std::max(0, clientWidth - vScrollWidth);
    BarLayout layout;
    layout.vScrollHeight = fitHeight;
    layout.vScrollTop = 0;
    layout.vScrollLeft = fitWidth;
    layout.hScrollWidth = std::max(0, clientWidth);
    layout.hScrollLeft = 0;
    layout.hScrollTop = fitHeight;
    layout.fitHeight = fitHeight;
    layout.fitWidth = fitWidth;
    return layout;
}

}  // namespace vistel
