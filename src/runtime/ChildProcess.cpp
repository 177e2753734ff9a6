#include "runtime/ChildProcess.h"

#include "runtime/ProcessTable.h"

#include <QEventLoop>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace rt {

namespace {

// How often a wait for a child's end looks again where no process descriptor tells it.
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
// given folder when there is one. The child gets the default SIGPIPE action and an empty
// signal mask whatever ours are.
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
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    const int error = ::posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error;
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
    readEnd_ = pipe.readEnd;
    ProcessTable::add(pid_, argv.front());
    return true;
}

qsizetype ChildProcess::read(char* buffer, qsizetype maxBytes) {
    if (readEnd_ < 0 || maxBytes <= 0)
        return 0;
    for (;;) {
        const ssize_t count = ::read(readEnd_, buffer, size_t(maxBytes));
        if (count >= 0)
            return count;
        if (errno != EINTR)
            return 0;
    }
}

void ChildProcess::awaitEnd() {
    if (pid_ <= 0 || ProcessTable::hasEnded(pid_))
        return;
    QEventLoop loop;
    const auto quitOnceEnded = [&] {
        if (ProcessTable::hasEnded(pid_))
            loop.quit();
    };
    // The process descriptor turns readable when the child ends; the timer is the fallback
    // where the system offers no such descriptor.
    const int endNotice = int(::syscall(SYS_pidfd_open, pid_, 0));
    std::unique_ptr<QSocketNotifier> ended;
    if (endNotice >= 0) {
        ended = std::make_unique<QSocketNotifier>(endNotice, QSocketNotifier::Read);
        QObject::connect(ended.get(), &QSocketNotifier::activated, &loop, quitOnceEnded);
    }
    QTimer recheck;
    QObject::connect(&recheck, &QTimer::timeout, &loop, quitOnceEnded);
    recheck.start(EndRecheckMs);
    loop.exec();
    ended.reset();
    if (endNotice >= 0)
        ::close(endNotice);
}

ChildStatus ChildProcess::finish() {
    if (readEnd_ >= 0) {
        ::close(readEnd_);
        readEnd_ = -1;
    }
    if (pid_ <= 0)
        return {};
    int waitStatus = 0;
    pid_t reaped;
    do {
        reaped = ::waitpid(pid_, &waitStatus, 0);
    } while (reaped < 0 && errno == EINTR);
    ProcessTable::remove(pid_);
    pid_ = 0;
    return reaped > 0 ? statusOf(waitStatus) : ChildStatus{};
}

} // namespace rt
