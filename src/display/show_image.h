#pragma once

#include <cstdint>
#include <string>

namespace vistel {

struct Core;

// Shows the picture at index of the image list fitted to the image window, with
// the slider, list selection, status line and title in step. A picture that cannot
// be shown is reported in the status line only.
void ShowImage(Core& core, int16_t index);

// Shows the picture at index at its natural size, scrolled to the vertical and
// horizontal positions v and h (twips); a bar that is not needed is hidden.
void ShowActualSize(Core& core, int16_t index, int16_t v, int16_t h);

// Blanks the image window and the status line.
void ClearImage(Core& core);

// The status line of a shown picture: " 3/ 10  a.jpg [IX= 2]  Size= 7200x 9600"
// and 13 blanks (height before width).
[[nodiscard]] std::string StatusText(int16_t index, int16_t count, const std::string& entry,
                                     int32_t picHeight, int32_t picWidth);

// The status line of a picture that could not be shown.
[[nodiscard]] std::string FailureText(int16_t index, int16_t count);

}  // namespace vistel
