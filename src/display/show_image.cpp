#include "display/show_image.h"

#include <cmath>
#include <limits>
#include <memory>

#include "app/core.h"
#include "app/numeric.h"
#include "display/geometry.h"
#include "display/image_window_events.h"
#include "display/index_tag.h"

namespace vistel {

namespace {

// The picture at path, measured into PicHeight and PicWidth; nullptr when it
// cannot be loaded (the caller shows the failure text).
std::shared_ptr<const Picture> LoadAndMeasure(Core& core, const std::string& path) {
    std::shared_ptr<const Picture> picture = core.ports.pictures.load(path);
    if (!picture) return nullptr;
    const double height = RoundHalfEven(picture->heightTwips());
    const double width = RoundHalfEven(picture->widthTwips());
    constexpr double kLimit = std::numeric_limits<int32_t>::max();
    if (!(height >= 0 && height <= kLimit && width >= 0 && width <= kLimit)) return nullptr;
    core.state.PicHeight = static_cast<int32_t>(height);
    core.state.PicWidth = static_cast<int32_t>(width);
    return picture;
}

// The steps both views end with: picture in, slider, selection, status line and
// title in step, picture shown. false on a failure.
bool FinishDisplay(Core& core, int16_t index, std::shared_ptr<const Picture> picture) {
    Ports& p = core.ports;
    if (!p.imageWindow.setImagePicture(std::move(picture))) return false;
    if (p.slider1.isVisible() && !p.slider1.setValue(index)) return false;
    if (!p.list2.setSelected(index)) return false;
    const std::string entry = p.list2.item(index);
    p.label2.setText(StatusText(index, p.list2.count(), entry, core.state.PicHeight, core.state.PicWidth));
    p.imageWindow.setTitle(entry);
    p.imageWindow.setImageVisible(true);
    return true;
}

bool ShowFitted(Core& core, int16_t index, const std::string& path) {
    std::shared_ptr<const Picture> picture = LoadAndMeasure(core, path);
    if (!picture) return false;
    const State& s = core.state;
    ImageWindow& window = core.ports.imageWindow;
    window.setImagePlace(kPictureOrigin, kPictureOrigin);
    window.setImageBorder(1);
    const std::optional<Extent> size = FitPicture(s.PicHeight, s.PicWidth, s.FitHeight, s.FitWidth);
    if (!size) return false;
    window.setImageSize(size->height, size->width);
    return FinishDisplay(core, index, std::move(picture));
}

// Sets a bar's range and steps for the overrun of the picture, or hides the bar
// and zeroes its position when the picture is smaller than the window's outer size.
// The range runs to rangeBound and the steps to stepBound.
bool PlaceBar(ScrollBar& bar, int32_t picture, int32_t outer, int32_t rangeBound, int32_t stepBound,
              int16_t& position) {
    if (outer > picture) {
        bar.setVisible(false);
        position = 0;
        return true;
    }
    const std::optional<ScrollSettings> settings =
        ScrollFor(static_cast<double>(picture) - rangeBound, static_cast<double>(picture) - stepBound);
    if (!settings) return false;
    bar.setMax(settings->max);
    bar.setMin(0);
    bar.setLargeChange(settings->largeChange);
    bar.setSmallChange(settings->smallChange);
    return true;
}

bool ShowNatural(Core& core, int16_t index, const std::string& path, int16_t v, int16_t h) {
    std::shared_ptr<const Picture> picture = LoadAndMeasure(core, path);
    if (!picture) return false;
    const State& s = core.state;
    ImageWindow& window = core.ports.imageWindow;
    // The vertical range runs to the client height, the horizontal one to the
    // outer width.
    if (!PlaceBar(window.vScroll(), s.PicHeight, window.height(), window.clientHeight(),
                  window.clientHeight(), v)) {
        return false;
    }
    if (!PlaceBar(window.hScroll(), s.PicWidth, window.width(), window.width(), window.clientWidth(), h)) {
        return false;
    }
    const std::optional<int16_t> top = ToInt16(kPictureOrigin - v);
    const std::optional<int16_t> left = ToInt16(kPictureOrigin - h);
    if (!top || !left) return false;
    window.setImagePlace(*top, *left);
    window.setImageBorder(1);
    // The bar thickness is taken off whether or not the bars are shown.
    const double height = static_cast<double>(s.PicHeight) - window.hScroll().height();
    const double width = static_cast<double>(s.PicWidth) - window.vScroll().width();
    if (height < 0 || width < 0) return false;
    window.setImageSize(height, width);
    return FinishDisplay(core, index, std::move(picture));
}

}  // namespace

std::string StatusText(int16_t index, int16_t count, const std::string& entry, int32_t picHeight,
                       int32_t picWidth) {
    return NumberText(index + 1) + "/" + NumberText(count) + "  " + entry +
           "  Size=" + NumberText(picHeight) + "x" + NumberText(picWidth) + std::string(13, ' ');
}

std::string FailureText(int16_t index, int16_t count) {
    return NumberText(index + 1) + "/" + NumberText(count) + "  ピクチャーが不正";
}

void ShowImage(Core& core, int16_t index) {
    EnsureImageWindowShown(core);
    ImageWindow& window = core.ports.imageWindow;
    window.vScroll().setVisible(false);
    window.hScroll().setVisible(false);
    window.setImageVisible(false);
    const std::string path = GetImagePath(core, index);
    if (!ShowFitted(core, index, path))
        core.ports.label2.setText(FailureText(index, core.ports.list2.count()));
}

void ShowActualSize(Core& core, int16_t index, int16_t v, int16_t h) {
    EnsureImageWindowShown(core);
    core.ports.imageWindow.setImageVisible(false);
    const std::string path = GetImagePath(core, index);
    if (!ShowNatural(core, index, path, v, h)) {
        core.ports.label2.setText(FailureText(index, core.ports.list2.count()));
    }
}

void ClearImage(Core& core) {
    EnsureImageWindowShown(core);
    ImageWindow& window = core.ports.imageWindow;
    window.setImageVisible(false);
    window.setImagePicture(nullptr);
    core.ports.label2.setText("");
    window.setImageBorder(0);
}

}  // namespace vistel
