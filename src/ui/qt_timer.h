#pragma once

#include <QTimer>
#include <cstdint>

#include "app/ports/timer.h"

namespace vistel {

// The slideshow timer over a QTimer. The QTimer runs only while the timer is
// enabled with a positive interval: a QTimer with interval 0 would fire on every
// pass of the event loop, and an interval of 0 means "never".
class QtTimer final : public Timer {
public:
    QtTimer();
    QtTimer(const QtTimer&) = delete;
    QtTimer& operator=(const QtTimer&) = delete;

    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return enabled_; }
    // Restarts the count with the new interval when the timer is enabled.
    void setInterval(int32_t ms) override;
    int32_t interval() const override { return interval_; }

    // The underlying QTimer, to see whether it runs and to deliver its events.
    QTimer& qtTimer() { return timer_; }

private:
    void apply();

    QTimer timer_;
    bool enabled_ = false;
    int32_t interval_ = 0;
};

// Blocks the calling thread; no event is handled while it sleeps.
class QtSleeper final : public Sleeper {
public:
    void sleepMs(int32_t ms) override;
};

}  // namespace vistel
