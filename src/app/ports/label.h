#pragma once

#include <string>

namespace vistel {

// A text label (the status line).
class Label {
public:
    virtual ~Label() = default;
    virtual void setText(const std::string& text) = 0;
    virtual std::string text() const = 0;
};

}  // namespace vistel
