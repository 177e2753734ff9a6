#pragma once

#include "runtime/ProcessTable.h"

#include <QString>
#include <QStringList>
#include <sys/types.h>

namespace rt {

// One child process whose standard output and standard error share one pipe, read by us.
// Its standard input is /dev/null. No shell is involved: the words go to the child as they are.
// While it runs, the child is listed in the ProcessTable under its first word; the table reaps
// it as soon as it ends and keeps how it ended for finish(), while the pipe stays open to be read.
class ChildProcess {
  public:
    ChildProcess() = default;
    ~ChildProcess(); // a child still running is finished as finish() does
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts argv[0] (looked up in PATH when it holds no "/") with the other words as its
    // arguments. False when it could not start (missing or not executable): nothing is left
    // open then.
    bool start(const QStringList& argv);

    // The folder the next child starts in; empty (the default) keeps ours.
    void setWorkingDirectory(const QString& folder) { workingDirectory_ = folder; }

    // Waits until output arrives, letting events run meanwhile, and reads at most maxBytes of
    // it. 0 once the pipe is broken, that is when the child and everything that inherited its
    // end have closed it. A wait nested inside events of this one ends first: only then is this
    // pipe read again.
    qsizetype read(char* buffer, qsizetype maxBytes);

    // Asks the child to end (SIGTERM) and kills it when it still runs after `graceMs`
    // milliseconds of events. Does nothing once it has ended.
    void terminate(int graceMs);

    // Waits until the child has ended, letting events run meanwhile: a child may live on after
    // closing its output.
    void awaitEnd();

    // Closes our end of the pipe, waits for the child unless it has been reaped already, and
    // tells how it ended.
    ChildStatus finish();

    pid_t pid() const { return pid_; }

  private:
    // Whether the started child has ended; reaps whatever listed child has ended unnoticed.
    bool hasEnded() const;
    // Lets events run until the pipe has something to read (output or its end).
    void awaitOutput();

    pid_t pid_ = 0;
    int readEnd_ = -1;
    EndingSlot ending_; // null while no child is started
    QString workingDirectory_;
};

} // namespace rt
