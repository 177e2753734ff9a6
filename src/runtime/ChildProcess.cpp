#include "runtime/ChildProcess.h"

#include <QEventLoop>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace rt {

namespace {

// How often a wait for a child's end looks again, in case another SIGCHLD handler has taken the
// signal over without passing it on.
constexpr int EndRecheckMs = 50;

// The pipe ends, both close-on-exec so that no other child inherits them, and both above the
// standard descriptors so that the child's dup2 onto 0, 1 and 2 never lands on one of them.
struct Pipe {
    int readEnd = -1;
    int writeEnd = -1;
};

int closeOnExecAboveStdio(int fd) {
    if (fd > STDERR_FILENO)
        return fd;
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    ::close(fd);
    return moved;
}

bool openPipe(Pipe& pipe) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    pipe.readEnd = closeOnExecAboveStdio(fds[0]);
    pipe.writeEnd = closeOnExecAboveStdio(fds[1]);
    if (pipe.readEnd >= 0 && pipe.writeEnd >= 0)
        return true;
    for (int fd : {pipe.readEnd, pipe.writeEnd})
        if (fd >= 0)
            ::close(fd);
    return false;
}

// Spawns the child with stdin from /dev/null and stdout and stderr onto the write end, in the
// given folder when there is one, in a process group of its own. The child gets the default
// SIGPIPE action and an empty signal mask whatever ours are.
int spawn(pid_t& pid, const std::vector<QByteArray>& words, int writeEnd,
          const QByteArray& folder) {
    std::vector<char*> argv;
    for (const QByteArray& word : words)
        argv.push_back(const_cast<char*>(word.constData()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, writeEnd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, writeEnd, STDERR_FILENO);
    if (!folder.isEmpty())
        posix_spawn_file_actions_addchdir_np(&actions, folder.constData());

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults, mask;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigemptyset(&mask);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &mask);
    // A process group of its own: a Ctrl+C in our terminal is for us, not for a tool that would
    // cut its output short.
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK |
                                              POSIX_SPAWN_SETPGROUP);

    const int error = ::posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error;
}

} // namespace

ChildProcess::~ChildProcess() {
    finish();
}

bool ChildProcess::start(const QStringList& argv) {
    finish();
    if (argv.isEmpty() || argv.front().isEmpty())
        return false;
    std::vector<QByteArray> words;
    for (const QString& word : argv)
        words.push_back(QFile::encodeName(word));

    Pipe pipe;
    if (!openPipe(pipe))
        return false;
    pid_t pid = 0;
    const int error = spawn(pid, words, pipe.writeEnd, QFile::encodeName(workingDirectory_));
    // Our copy of the write end goes at once: the pipe breaks when the child's copies close.
    ::close(pipe.writeEnd);
    if (error != 0) {
        ::close(pipe.readEnd);
        return false;
    }
    pid_ = pid;
    // Our end never blocks: a read that finds nothing waits for output in the event loop.
    ::fcntl(pipe.readEnd, F_SETFL, ::fcntl(pipe.readEnd, F_GETFL) | O_NONBLOCK);
    readEnd_ = pipe.readEnd;
    ending_ = std::make_shared<std::optional<ChildStatus>>();
    ProcessTable::add(pid_, argv.front(), ending_);
    return true;
}

qsizetype ChildProcess::read(char* buffer, qsizetype maxBytes) {
    if (readEnd_ < 0 || maxBytes <= 0)
        return 0;
    for (;;) {
        const ssize_t count = ::read(readEnd_, buffer, size_t(maxBytes));
        if (count >= 0)
            return count;
        if (errno == EAGAIN)
            awaitOutput();
        else if (errno != EINTR)
            return 0;
    }
}

void ChildProcess::awaitOutput() {
    QEventLoop loop;
    QSocketNotifier readable(readEnd_, QSocketNotifier::Read);
    // Switched off at once: while a nested wait runs, this pipe must not keep waking the loop.
    QObject::connect(&readable, &QSocketNotifier::activated, &loop, [&] {
        readable.setEnabled(false);
        loop.quit();
    });
    loop.exec();
}

void ChildProcess::terminate(int graceMs) {
    // The table passes over a child it has reaped already.
    if (ending_)
        ProcessTable::terminate(pid_, graceMs);
}

bool ChildProcess::hasEnded() const {
    ProcessTable::reapEnded();
    return ending_->has_value();
}

void ChildProcess::awaitEnd() {
    if (!ending_ || hasEnded())
        return;
    QEventLoop loop;
    const auto quitOnceEnded = [&] {
        if (hasEnded())
            loop.quit();
    };
    ProcessTable::whenReaped(&loop, quitOnceEnded);
    QTimer recheck;
    QObject::connect(&recheck, &QTimer::timeout, &loop, quitOnceEnded);
    recheck.start(EndRecheckMs);
    loop.exec();
}

ChildStatus ChildProcess::finish() {
    if (readEnd_ >= 0) {
        ::close(readEnd_);
        readEnd_ = -1;
    }
    if (!ending_)
        return {};
    if (!ending_->has_value())
        ProcessTable::reap(pid_);
    const ChildStatus status = ending_->value_or(ChildStatus{});
    ending_.reset();
    pid_ = 0;
    return status;
}

} // namespace rt
