#include "runtime/ProcessTable.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace rt::ProcessTable {

namespace {

struct Entry {
    pid_t pid;
    QString title;
    EndingSlot ending;
};

std::vector<Entry>& entries() {
    static std::vector<Entry> table;
    return table;
}

Entry* entryOf(pid_t pid) {
    auto& table = entries();
    const auto found =
        std::find_if(table.begin(), table.end(), [pid](const Entry& e) { return e.pid == pid; });
    return found == table.end() ? nullptr : &*found;
}

ChildStatus statusOf(int waitStatus) {
    ChildStatus status;
    if (WIFEXITED(waitStatus)) {
        status.kind = ChildStatus::Kind::Exited;
        status.exitCode = WEXITSTATUS(waitStatus);
    } else if (WIFSIGNALED(waitStatus)) {
        status.kind = ChildStatus::Kind::Signalled;
        status.signal = WTERMSIG(waitStatus);
    }
    return status;
}

// Reaps the entry's child if it has ended (or, with `options` 0, once it ends) and leaves how
// it ended in its slot. Only this child's id is waited for: other children of the program
// (Qt's among them) are left to their owners. Returns whether the child is reaped.
bool collect(const Entry& entry, int options) {
    int waitStatus = 0;
    pid_t reaped;
    do {
        reaped = ::waitpid(entry.pid, &waitStatus, options);
    } while (reaped < 0 && errno == EINTR);
    if (reaped == 0)
        return false;
    // One that is no longer ours to wait for (reaped elsewhere) has ended in an unknown way.
    *entry.ending = reaped > 0 ? statusOf(waitStatus) : ChildStatus{};
    return true;
}

// The end of a child is noticed by SIGCHLD, whose handler only writes a byte into a pipe of
// our own; reading that pipe from the event loop, nested loops included, does the reaping.
int endNoticeWriteEnd = -1;
struct sigaction previousOnChildEnd {};

void postEndNotice() {
    const int savedErrno = errno;
    // A full pipe already holds a notice that has not been read yet.
    [[maybe_unused]] const ssize_t written = ::write(endNoticeWriteEnd, "", 1);
    errno = savedErrno;
}

} // namespace

void passOnChildEnd(const struct sigaction& previous, int signal, siginfo_t* info, void* context) {
    // The default and ignoring dispositions are no functions, whichever form was installed.
    if (previous.sa_handler == SIG_DFL || previous.sa_handler == SIG_IGN)
        return;
    if (previous.sa_flags & SA_SIGINFO)
        previous.sa_sigaction(signal, info, context);
    else
        previous.sa_handler(signal);
}

namespace {

void noteChildEnd(int signal, siginfo_t* info, void* context) {
    postEndNotice();
    passOnChildEnd(previousOnChildEnd, signal, info, context);
}

// Opens the notice pipe and installs the handler. Returns the pipe's read end; -1 when either
// failed, in which case ended children are reaped only where they are waited for.
int installEndNotice() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return -1;
    endNoticeWriteEnd = fds[1];
    struct sigaction action {};
    action.sa_sigaction = noteChildEnd;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO | SA_RESTART | SA_NOCLDSTOP;
    if (::sigaction(SIGCHLD, nullptr, &previousOnChildEnd) == 0 &&
        ::sigaction(SIGCHLD, &action, nullptr) == 0) {
        // The first child is started before the handler is there, and may end unheard: one
        // notice looks at it once events run.
        postEndNotice();
        return fds[0];
    }
    ::close(fds[0]);
    ::close(fds[1]);
    endNoticeWriteEnd = -1;
    return -1;
}

void drain(int readEnd) {
    char notices[64];
    while (::read(readEnd, notices, sizeof notices) > 0) {
    }
}

// The notifier on the notice pipe, made with the first child; null without an application.
QSocketNotifier* endNotifier() {
    static const int readEnd = installEndNotice();
    static QPointer<QSocketNotifier> notifier;
    if (!notifier && readEnd >= 0 && QCoreApplication::instance()) {
        notifier =
            new QSocketNotifier(readEnd, QSocketNotifier::Read, QCoreApplication::instance());
        QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
            drain(readEnd);
            reapEnded();
        });
    }
    return notifier;
}

} // namespace

void add(pid_t pid, const QString& title, EndingSlot ending) {
    endNotifier();
    entries().push_back({pid, title, std::move(ending)});
}

void reapEnded() {
    std::erase_if(entries(), [](const Entry& e) { return collect(e, WNOHANG); });
}

void reap(pid_t pid) {
    if (Entry* entry = entryOf(pid)) {
        collect(*entry, 0);
        std::erase_if(entries(), [pid](const Entry& e) { return e.pid == pid; });
    }
}

void whenReaped(const QObject* context, std::function<void()> onReaped) {
    if (QSocketNotifier* notifier = endNotifier())
        QObject::connect(notifier, &QSocketNotifier::activated, context, std::move(onReaped));
}

pid_t find(const QString& title) {
    // A child that has ended but whose end has not been noticed yet is not running: reaping it
    // now drops it from the table.
    reapEnded();
    for (const Entry& e : entries())
        if (e.title == title)
            return e.pid;
    return 0;
}

QString title(pid_t pid) {
    const Entry* entry = entryOf(pid);
    return entry ? entry->title : QString();
}

void retitle(pid_t pid, const QString& title) {
    if (Entry* entry = entryOf(pid))
        entry->title = title;
}

bool terminate(pid_t pid) {
    // Only a listed (not yet reaped) child: its id cannot have been reused by another process.
    return pid > 0 && entryOf(pid) && ::kill(pid, SIGTERM) == 0;
}

bool terminate(pid_t pid, int graceMs) {
    if (!terminate(pid))
        return false;
    // The entry's slot tells this child from a later one that got the same id after it.
    const std::weak_ptr<std::optional<ChildStatus>> child = entryOf(pid)->ending;
    QTimer::singleShot(graceMs, QCoreApplication::instance(), [pid, child] {
        reapEnded();
        const Entry* entry = entryOf(pid);
        if (entry && entry->ending == child.lock())
            ::kill(pid, SIGKILL);
    });
    return true;
}

} // namespace rt::ProcessTable
