#pragma once

#include <cstdint>

namespace vistel {

// The toolbar's picture buttons, addressed by their index 0..7.
class ButtonBar {
public:
    virtual ~ButtonBar() = default;
    virtual void setButtonVisible(int16_t index, bool visible) = 0;
    virtual bool isButtonVisible(int16_t index) const = 0;
};

}  // namespace vistel
