#include "runtime/Events.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace rt {

void doEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

namespace {
std::int64_t& secondLength() {
    static std::int64_t milliseconds = 1000;
    return milliseconds;
}
} // namespace

void setSecondLength(int milliseconds) {
    secondLength() = milliseconds > 0 ? milliseconds : 1000;
}

std::int64_t clockSeconds() {
    return QDateTime::currentMSecsSinceEpoch() / secondLength();
}

namespace {
std::int64_t& waitedTotal() {
    static std::int64_t total = 0;
    return total;
}
} // namespace

std::int64_t waitedMilliseconds() {
    return waitedTotal();
}

void waitSeconds(int seconds) {
    waitPast(clockSeconds() + seconds);
}

void waitPast(std::int64_t deadline) {
    QElapsedTimer waited;
    waited.start();
    while (clockSeconds() <= deadline) {
        // Sleep in a nested loop until the clock turns past the deadline.
        const qint64 endMs = (deadline + 1) * secondLength();
        const qint64 remaining = endMs - QDateTime::currentMSecsSinceEpoch();
        QEventLoop loop;
        QTimer::singleShot(int(std::max<qint64>(1, remaining)), &loop, &QEventLoop::quit);
        loop.exec();
    }
    waitedTotal() += waited.elapsed();
}

} // namespace rt
