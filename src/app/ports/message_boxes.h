#pragma once

#include <string>

namespace vistel {

// Modal message boxes with the caption "Vistel". They return when the user dismisses them.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // OK button, no icon.
    virtual void show(const std::string& text) = 0;
    // OK button, critical (stop) icon.
    virtual void showCritical(const std::string& text) = 0;
    // Yes and No buttons, Yes the default, no icon. true: Yes.
    virtual bool askYesNo(const std::string& text) = 0;
};

}  // namespace vistel
