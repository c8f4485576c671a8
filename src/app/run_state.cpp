#include "app/run_state.h"

#include <algorithm>

#include "app/core.h"
#include "app/paths.h"
#include "display/show_image.h"

namespace vistel {

namespace {
constexpr int32_t kTimerShortening = 800;
}  // namespace

int32_t DisplayTimeMs(int16_t intervalMs) {
    return std::max<int32_t>(0, intervalMs);
}

void SetSlideTimer(Core& core, int16_t on) {
    Timer& timer = core.ports.timer1;
    if (on != 0) {
        timer.setEnabled(true);
        const int32_t ms = DisplayTimeMs(core.state.IntervalMs);
        timer.setInterval(ms <= kTimerShortening ? ms : ms - kTimerShortening);
    } else {
        timer.setEnabled(false);
        timer.setInterval(0);
    }
}

void SetRunState(Core& core, std::string_view code) {
    const bool stop = EqualsIgnoreCase(code, "STOP");
    if (!stop && !EqualsIgnoreCase(code, "REST")) return;
    core.state.Running = stop ? kTrue : kFalse;
    // Hide first, so the two buttons are never visible together.
    core.ports.command1.setButtonVisible(stop ? kRestButton : kStopButton, false);
    core.ports.command1.setButtonVisible(stop ? kStopButton : kRestButton, true);
}

void Timer1_Timer(Core& core) {
    SetSlideTimer(core, 0);
    State& s = core.state;
    // The index cannot run past the 16-bit range: the list holds at most 32767.
    if (s.CurIndex < INT16_MAX) ++s.CurIndex;
    if (s.CurIndex <= core.ports.list2.count() - 1) {
        core.ports.sleeper.sleepMs(DisplayTimeMs(s.IntervalMs));
        ClearImage(core);
        ShowImage(core, s.CurIndex);
        SetSlideTimer(core, 500);
    }
}

void Slider1_Change(Core& core) {
    core.state.CurIndex = static_cast<int16_t>(core.ports.slider1.value());
    ShowImage(core, core.state.CurIndex);
}

void Slider1_MouseDown(Core& core) {
    SetRunState(core, "REST");
    SetSlideTimer(core, 0);
}

void List2_DblClick(Core& core) {
    SetRunState(core, "REST");
    SetSlideTimer(core, 0);
    core.state.CurIndex = core.ports.list2.selected();
    if (core.state.CurIndex >= 0 && core.state.CurIndex <= core.ports.list2.count() - 1) {
        ClearImage(core);
        ShowImage(core, core.state.CurIndex);
    }
}

}  // namespace vistel
