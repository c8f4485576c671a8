#pragma once

#include <functional>

namespace vistel {

// What the core asks of the control window and the program as a whole.
class ControlWindow {
public:
    virtual ~ControlWindow() = default;
    // Into (true) or out of the topmost band of windows; the window is shown and
    // keeps its place. false when the window stack could not be changed.
    virtual bool setTopmost(bool on) = 0;
    // Unloads the control window (its close request is raised first).
    virtual void unload() = 0;
    // Ends the program at once.
    virtual void exitProgram() = 0;
    // Empties the desktop's list of recently used documents.
    virtual void clearRecentDocuments() = 0;

    // Raised for every request to close the control window.
    std::function<void()> onCloseRequest;
};

}  // namespace vistel
