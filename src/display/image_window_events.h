#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vistel {

struct Core;

// Shows the image window when it is not shown (creating it when needed).
void EnsureImageWindowShown(Core& core);

// Lays out the image window's scroll bars along its right and bottom edges and
// computes the area left to a fitted picture (FitHeight, FitWidth).
void LayoutImageWindow(Core& core);

// Puts the control window into (1) or out of (0) the topmost band; any other value
// does nothing and gives 0. Otherwise non-zero when the window stack changed.
int32_t SetTopmost(Core& core, int16_t on);

// The control window became active.
void ControlForm_Activate(Core& core);

// The image window's events.
void ImageForm_Load(Core& core);
void ImageForm_Resize(Core& core);
void ImageForm_Unload(Core& core);
void ImageForm_DblClick(Core& core);
void Image1_Click(Core& core);
void ImageForm_DropFiles(Core& core, const std::vector<std::string>& paths);
void ImageScroll_Change(Core& core);

}  // namespace vistel
