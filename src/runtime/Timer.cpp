#include "runtime/Timer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

namespace rt {

// The due times of every enabled timer, woken by one Qt timer at the earliest.
class TimerSchedule : public QObject {
  public:
    // The schedule of the running application, made on first use.
    static TimerSchedule& instance() {
        if (!current())
            current() = new TimerSchedule(QCoreApplication::instance());
        return *current();
    }
    // Nothing when the application (and its schedule) is gone.
    static QPointer<TimerSchedule>& current() {
        static QPointer<TimerSchedule> schedule;
        return schedule;
    }

    ~TimerSchedule() override {
        for (auto& [due, timer] : dueTimes_)
            timer->scheduled_ = false;
    }

    void add(Timer& timer) {
        const std::int64_t due = clock_.elapsed() + timer.interval_;
        timer.place_ = dueTimes_.emplace(due, &timer);
        timer.scheduled_ = true;
        if (dueTimes_.begin()->second == &timer)
            arm();
    }

    void remove(Timer& timer) {
        if (!timer.scheduled_)
            return;
        dueTimes_.erase(timer.place_);
        timer.scheduled_ = false;
    }

  private:
    explicit TimerSchedule(QObject* parent) : QObject(parent) {
        clock_.start();
        alarm_.setSingleShot(true);
        alarm_.setTimerType(Qt::PreciseTimer);
        connect(&alarm_, &QTimer::timeout, this, &TimerSchedule::wakeUp);
    }

    void arm() {
        if (!dueTimes_.empty())
            alarm_.start(
                int(std::max<std::int64_t>(0, dueTimes_.begin()->first - clock_.elapsed())));
    }

    // Every timer due by now fires, earliest first, each scheduled again before its handler
    // runs. The alarm is armed again before each handler too, so that the timers keep firing
    // inside the event loops a handler runs.
    void wakeUp() {
        const std::int64_t now = clock_.elapsed();
        while (!dueTimes_.empty() && dueTimes_.begin()->first <= now) {
            Timer& timer = *dueTimes_.begin()->second;
            remove(timer);
            add(timer);
            arm();
            timer.fire();
        }
        arm();
    }

    QElapsedTimer clock_;
    QTimer alarm_;
    std::multimap<std::int64_t, Timer*> dueTimes_;
};

Timer::Timer(QObject* parent, int intervalMs, bool enabled)
    : QObject(parent), interval_(intervalMs), enabled_(enabled) {
    apply();
}

Timer::~Timer() {
    if (TimerSchedule* schedule = TimerSchedule::current())
        schedule->remove(*this);
}

void Timer::setInterval(int ms) {
    interval_ = ms;
    apply();
}

void Timer::setEnabled(bool enabled) {
    enabled_ = enabled;
    apply();
}

// Starts the interval afresh, or stops the timer.
void Timer::apply() {
    TimerSchedule& schedule = TimerSchedule::instance();
    schedule.remove(*this);
    if (enabled_ && interval_ > 0)
        schedule.add(*this);
}

void Timer::fire() {
    if (inHandler_)
        return;
    inHandler_ = true;
    // A handler may delete its own timer.
    const QPointer<Timer> alive(this);
    emit tick();
    if (alive)
        inHandler_ = false;
}

} // namespace rt
