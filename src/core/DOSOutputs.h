#pragma once

#include <QObject>
#include <QString>

namespace rt {
class ChildProcess;
}

// Runs one console command line as a child process whose standard output and error share one
// pipe, and hands every piece of output (at most 256 bytes) to its owner through
// ReceiveOutputs the moment it is read. ExecuteCommand returns once the pipe has broken (the
// tool and everything that inherited the pipe have closed it) and the tool has ended; events
// keep running while it waits, for output as for the tool's end, whatever the tool does.
class DOSOutputs : public QObject {
    Q_OBJECT
  public:
    enum class Outcome { NotRun, FailedToStart, Exited, Signalled };

    explicit DOSOutputs(QObject* parent = nullptr);
    ~DOSOutputs() override;

    QString CommandLine() const;
    void setCommandLine(const QString& DosCommand);
    // All output of the last run whose child started, chunks joined in order.
    QString Outputs() const;
    // Runs the command line (the argument, when not empty, replaces the stored one) and
    // returns all its output.
    QString ExecuteCommand(const QString& CommandLine = QString());
    // Ends the running tool: asked first, killed when it has not ended within a second.
    // ExecuteCommand then returns as soon as the pipe breaks.
    void Terminate();
    // The folder the tool runs in; empty (the default) keeps the program's own.
    void setWorkingDirectory(const QString& folder) { workingDirectory_ = folder; }

    // How the last run ended: whether the tool could start, its exit code, or the signal
    // that ended it.
    Outcome LastOutcome() const;
    int ExitCode() const; // exit status when Exited, otherwise -1
    int Signal() const;   // the ending signal when Signalled, otherwise 0
    bool Succeeded() const { return LastOutcome() == Outcome::Exited && ExitCode() == 0; }

  signals:
    void ReceiveOutputs(const QString& CommandOutputs);

  private:
    // Adds a chunk to the output and hands it to the owner.
    void deliver(const QString& chunk);

    QString mCommandLine;
    QString mOutputs;
    Outcome outcome_ = Outcome::NotRun;
    int exitCode_ = -1;
    int signal_ = 0;
    QString workingDirectory_;
    rt::ChildProcess* running_ = nullptr; // while ExecuteCommand runs a tool
};
