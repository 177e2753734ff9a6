#pragma once

#include <QString>
#include <csignal>
#include <functional>
#include <memory>
#include <optional>
#include <sys/types.h>

class QObject;

namespace rt {

// How a child process ended.
struct ChildStatus {
    enum class Kind { NotStarted, Exited, Signalled };
    Kind kind = Kind::NotStarted;
    int exitCode = -1; // when Exited
    int signal = 0;    // when Signalled
};

// Where the table leaves how one child ended, once it has reaped it. Kind::NotStarted there
// means someone else reaped the child, so how it ended is unknown.
using EndingSlot = std::shared_ptr<std::optional<ChildStatus>>;

// The running children of this program, each listed under a title: the executable path its
// command line names, until something renames it. A child is reaped as soon as its end is
// noticed, whatever the program is doing at the time, and its entry dropped then, so a listed
// process id always belongs to our own child.
namespace ProcessTable {

// Lists a started child; the newest entry comes last. Its end is noticed while events run.
void add(pid_t pid, const QString& title, EndingSlot ending);
// Reaps every listed child that has ended.
void reapEnded();
// Waits for a listed child to end and reaps it.
void reap(pid_t pid);
// Calls `onReaped` (with `context` alive) after every round of reaping set off by a child's end.
void whenReaped(const QObject* context, std::function<void()> onReaped);

// The first listed child (in start order) titled exactly `title` that is still running; 0 when
// there is none.
pid_t find(const QString& title);
// The title of a listed child; empty when it is not listed.
QString title(pid_t pid);
// Renames a listed child's entry; does nothing for one that is not listed.
void retitle(pid_t pid, const QString& title);
// Asks a listed child to end (SIGTERM) without waiting; does nothing for one that is not
// listed. Returns whether the request was sent.
bool terminate(pid_t pid);
// The same, and kills the child (SIGKILL) when it is still listed after `graceMs` milliseconds
// of events: a tool that takes its time to wind up, or one held stopped, still ends.
bool terminate(pid_t pid, int graceMs);

// Hands a SIGCHLD on to the action that was installed before ours, when that action is a
// handler of its own.
void passOnChildEnd(const struct sigaction& previous, int signal, siginfo_t* info, void* context);

} // namespace ProcessTable

} // namespace rt
