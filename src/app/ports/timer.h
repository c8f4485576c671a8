#pragma once

#include <cstdint>
#include <functional>

namespace vistel {

// The slideshow timer: ticks every interval milliseconds while enabled; an interval
// of 0 never ticks.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setInterval(int32_t ms) = 0;
    virtual int32_t interval() const = 0;

    std::function<void()> onTick;
};

// Blocks the program's one thread for a while: no event is handled meanwhile.
class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void sleepMs(int32_t ms) = 0;
};

}  // namespace vistel
