#include "runtime/Events.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QTimer>

namespace rt {

void doEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

std::int64_t clockSeconds() {
    return QDateTime::currentSecsSinceEpoch();
}

void waitSeconds(int seconds) {
    const std::int64_t deadline = clockSeconds() + seconds;
    while (clockSeconds() <= deadline) {
        // Sleep in a nested loop until the clock turns past the deadline.
        const qint64 endMs = (deadline + 1) * 1000;
        const qint64 remaining = endMs - QDateTime::currentMSecsSinceEpoch();
        QEventLoop loop;
        QTimer::singleShot(int(std::max<qint64>(1, remaining)), &loop, &QEventLoop::quit);
        loop.exec();
    }
}

} // namespace rt
