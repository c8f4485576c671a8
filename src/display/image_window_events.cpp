#include "display/image_window_events.h"

#include "app/core.h"
#include "app/startup.h"
#include "capture/capture_image.h"
#include "collect/open_source.h"
#include "display/geometry.h"
#include "display/show_image.h"
#include "nav/do_command.h"

namespace vistel {

void EnsureImageWindowShown(Core& core) {
    if (core.state.ImageWindowShown != kFalse) return;
    core.ports.imageWindow.show();
    core.state.ImageWindowShown = kTrue;
}

void LayoutImageWindow(Core& core) {
    EnsureImageWindowShown(core);
    ImageWindow& window = core.ports.imageWindow;
    ScrollBar& vScroll = window.vScroll();
    ScrollBar& hScroll = window.hScroll();
    const BarLayout layout =
        LayoutBars(window.clientHeight(), window.clientWidth(), hScroll.height(), vScroll.width());
    vScroll.setHeight(layout.vScrollHeight);
    vScroll.setTop(layout.vScrollTop);
    vScroll.setLeft(layout.vScrollLeft);
    hScroll.setWidth(layout.hScrollWidth);
    hScroll.setLeft(layout.hScrollLeft);
    hScroll.setTop(layout.hScrollTop);
    core.state.FitHeight = layout.fitHeight;
    core.state.FitWidth = layout.fitWidth;
}

int32_t SetTopmost(Core& core, int16_t on) {
    if (on != 0 && on != 1) return 0;
    return core.ports.controlWindow.setTopmost(on == 1) ? 1 : 0;
}

void ControlForm_Activate(Core& core) {
    LayoutImageWindow(core);
    SetTopmost(core, 1);
}

void ImageForm_Load(Core& core) {
    core.ports.imageWindow.hScroll().setVisible(false);
    core.ports.imageWindow.vScroll().setVisible(false);
}

void ImageForm_Resize(Core& core) {
    LayoutImageWindow(core);
}

void ImageForm_Unload(Core& core) {
    core.state.ImageWindowShown = kFalse;
    WriteWindowGeometry(core);
}

void ImageForm_DblClick(Core& core) {
    DoCommand(core, "BOSS");
}

void Image1_Click(Core& core) {
    CaptureImage(core);
}

void ImageForm_DropFiles(Core& core, const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    core.state.SourcePath = paths.front();
    OpenSource(core, core.state.SourcePath);
}

void ImageScroll_Change(Core& core) {
    ImageWindow& window = core.ports.imageWindow;
    const int16_t v = window.vScroll().value();
    const int16_t h = window.hScroll().value();
    ShowActualSize(core, core.state.CurIndex, v, h);
}

}  // namespace vistel
