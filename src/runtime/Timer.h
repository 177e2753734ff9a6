#pragma once

#include <QObject>
#include <QTimer>

namespace rt {

// A window timer: interval in milliseconds, 0 never fires. While its handler runs (and lets
// events run inside), the same timer does not fire again.
class Timer : public QObject {
    Q_OBJECT
  public:
    explicit Timer(QObject* parent = nullptr, int intervalMs = 0, bool enabled = true);
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

    QTimer timer_;
    int interval_;
    bool enabled_;
    bool inHandler_ = false;
};

} // namespace rt
