#include "runtime/EndSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace rt {

namespace {

int endRequestWriteEnd = -1;

void noteEndRequest(int) {
    const int savedErrno = errno;
    // A full pipe already holds a request that has not been read yet.
    [[maybe_unused]] const ssize_t written = ::write(endRequestWriteEnd, "", 1);
    errno = savedErrno;
}

// Whether the program was started with `signal` ignored, as nohup and a script's background jobs
// start it: such a signal is not meant for it.
bool ignoredAtStart(int signal) {
    struct sigaction current {};
    return ::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

} // namespace

void onEndSignals(std::function<void()> endRequested) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    endRequestWriteEnd = fds[1];
    auto* notifier =
        new QSocketNotifier(fds[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [readEnd = fds[0], endRequested = std::move(endRequested)] {
                         char requests[16];
                         while (::read(readEnd, requests, sizeof requests) > 0) {
                         }
                         endRequested();
                     });
    struct sigaction action {};
    action.sa_handler = noteEndRequest;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        if (!ignoredAtStart(signal))
            ::sigaction(signal, &action, nullptr);
}

} // namespace rt
