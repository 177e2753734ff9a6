#pragma once

#include <QString>
#include <sys/types.h>

namespace rt {

// The running children of this program, each listed under a title: the executable path its
// command line names, until something renames it. An entry lasts until its child is reaped, so
// a listed process id always belongs to our own child.
namespace ProcessTable {

// Lists a started child; the newest entry comes last.
void add(pid_t pid, const QString& title);
// Drops the entry of a reaped child.
void remove(pid_t pid);

// The first listed child (in start order) titled exactly `title` that is still running; 0 when
// there is none. A child that has ended but is not yet reaped is passed over.
pid_t find(const QString& title);
// Whether our child has ended (or is no longer ours to wait for); a child that has ended stays
// unreaped, so its exit status can still be read.
bool hasEnded(pid_t pid);
// The title of a listed child; empty when it is not listed.
QString title(pid_t pid);
// Renames a listed child's entry; does nothing for one that is not listed.
void retitle(pid_t pid, const QString& title);
// Asks a listed child to end (SIGTERM) without waiting; does nothing for one that is not
// listed. Returns whether the request was sent.
bool terminate(pid_t pid);

} // namespace ProcessTable

} // namespace rt
