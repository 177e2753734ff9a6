#include "runtime/Timer.h"

namespace rt {

Timer::Timer(QObject* parent, int intervalMs, bool enabled)
    : QObject(parent), interval_(intervalMs), enabled_(enabled) {
    connect(&timer_, &QTimer::timeout, this, &Timer::fire);
    apply();
}

void Timer::setInterval(int ms) {
    interval_ = ms;
    apply();
}

void Timer::setEnabled(bool enabled) {
    enabled_ = enabled;
    apply();
}

void Timer::apply() {
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
    else
        timer_.stop();
}

void Timer::fire() {
    if (inHandler_)
        return;
    inHandler_ = true;
    emit tick();
    inHandler_ = false;
}

} // namespace rt
