#pragma once

namespace vistel {

struct Core;
class QtControlWindow;

// Hands the control window's menu items, toolbar buttons and window events to the
// program's handlers.
void ConnectControlWindow(QtControlWindow& window, Core& core);

}  // namespace vistel
