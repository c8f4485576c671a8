#pragma once

#include <cstdint>
#include <string_view>

namespace vistel {

struct Core;

// The toolbar's run-state buttons: STOP offered while running, REST while paused.
inline constexpr int16_t kStopButton = 2;
inline constexpr int16_t kRestButton = 6;

// Arms (on != 0) or disarms (on == 0) the slideshow timer. Armed, it ticks after the
// display time less 800 ms when that is longer than 800 ms, else after the display
// time itself.
void SetSlideTimer(Core& core, int16_t on);

// "STOP" enters the running state, "REST" the paused state (letter case ignored);
// the code names the button then offered. Anything else changes nothing.
void SetRunState(Core& core, std::string_view code);

// One slideshow tick: disarm, advance, wait the display time, show the next
// picture, re-arm. Past the last picture the timer stays off.
void Timer1_Timer(Core& core);

void Slider1_Change(Core& core);
void Slider1_MouseDown(Core& core);
void List2_DblClick(Core& core);

// The display time as a duration the timer and the wait can use: never negative.
[[nodiscard]] int32_t DisplayTimeMs(int16_t intervalMs);

}  // namespace vistel
