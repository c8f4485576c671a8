#pragma once

#include <cstdint>
#include <functional>

namespace vistel {

// The slider over the image list. Its minimum stays 0.
class Slider {
public:
    virtual ~Slider() = default;
    virtual int32_t value() const = 0;
    // Moves the thumb. false: the value lies outside 0..max and is rejected.
    // A new value raises onChange at once; the same value again raises nothing.
    virtual bool setValue(int32_t value) = 0;
    virtual int32_t max() const = 0;
    // Lowering the maximum below the value moves the value (and raises onChange).
    virtual void setMax(int32_t max) = 0;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;

    std::function<void()> onChange;
    std::function<void()> onMouseDown;
};

}  // namespace vistel
