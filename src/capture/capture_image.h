#pragma once

namespace vistel {

struct Core;

// Saves a copy of the shown picture's file under a name the user picks.
void CaptureImage(Core& core);

}  // namespace vistel
