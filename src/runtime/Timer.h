#pragma once

#include <QObject>
#include <cstdint>
#include <map>

namespace rt {

// A window timer: interval in milliseconds, 0 never fires. While its handler runs (and lets
// events run inside), the same timer does not fire again.
// All window timers share one Qt timer: a run keeps two timers per queued video, and Qt's own
// timers cost every tick time in proportion to how many there are.
class Timer : public QObject {
    Q_OBJECT
  public:
    explicit Timer(QObject* parent = nullptr, int intervalMs = 0, bool enabled = true);
    ~Timer() override;
    int interval() const { return interval_; }
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool running() const { return inHandler_; }

  signals:
    void tick();

  private:
    void apply();
    void fire();

    int interval_;
    bool enabled_;
    bool inHandler_ = false;
    // Where the timer stands in the shared schedule; scheduled_ false when it stands nowhere.
    std::multimap<std::int64_t, Timer*>::iterator place_;
    bool scheduled_ = false;
    friend class TimerSchedule;
};

} // namespace rt
