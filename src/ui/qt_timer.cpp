#include "ui/qt_timer.h"

#include <chrono>
#include <thread>

namespace vistel {

QtTimer::QtTimer() {
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
        if (onTick) onTick();
    });
}

void QtTimer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    apply();
}

void QtTimer::setInterval(int32_t ms) {
    interval_ = ms;
    apply();
}

void QtTimer::apply() {
    if (enabled_ && interval_ > 0) {
        timer_.start(interval_);
    } else {
        timer_.stop();
    }
}

void QtSleeper::sleepMs(int32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms > 0 ? ms : 0));
}

}  // namespace vistel
