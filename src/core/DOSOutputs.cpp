#include "core/DOSOutputs.h"

#include "runtime/ChildProcess.h"
#include "runtime/CommandLine.h"
#include "runtime/Utf8Carry.h"

#include <QScopeGuard>

namespace {

constexpr qsizetype ChunkBytes = 256;

// How long a tool asked to end may take before it is killed.
constexpr int TerminateGraceMs = 1000;

DOSOutputs::Outcome outcomeOf(rt::ChildStatus::Kind kind) {
    // A child that somebody else reaped counts as exited with an unknown code.
    return kind == rt::ChildStatus::Kind::Signalled ? DOSOutputs::Outcome::Signalled
                                                    : DOSOutputs::Outcome::Exited;
}

} // namespace

DOSOutputs::DOSOutputs(QObject* parent) : QObject(parent) {}

DOSOutputs::~DOSOutputs() = default;

QString DOSOutputs::CommandLine() const {
    return mCommandLine;
}

void DOSOutputs::setCommandLine(const QString& DosCommand) {
    mCommandLine = DosCommand;
}

QString DOSOutputs::Outputs() const {
    return mOutputs;
}

DOSOutputs::Outcome DOSOutputs::LastOutcome() const {
    return outcome_;
}

int DOSOutputs::ExitCode() const {
    return exitCode_;
}

int DOSOutputs::Signal() const {
    return signal_;
}

void DOSOutputs::deliver(const QString& chunk) {
    mOutputs += chunk;
    emit ReceiveOutputs(chunk);
}

void DOSOutputs::Terminate() {
    if (running_)
        running_->terminate(TerminateGraceMs);
}

QString DOSOutputs::ExecuteCommand(const QString& CommandLine) {
    if (!CommandLine.isEmpty())
        mCommandLine = CommandLine;
    outcome_ = Outcome::NotRun;
    exitCode_ = -1;
    signal_ = 0;
    if (mCommandLine.isEmpty())
        return QString();

    rt::ChildProcess child;
    child.setWorkingDirectory(workingDirectory_);
    if (!child.start(rt::splitCommandLine(mCommandLine))) {
        outcome_ = Outcome::FailedToStart;
        return QString();
    }
    running_ = &child;
    const auto notRunning = qScopeGuard([this] { running_ = nullptr; });
    mOutputs.clear();
    rt::Utf8Carry decoder;
    char buffer[ChunkBytes];
    qsizetype count;
    while ((count = child.read(buffer, decoder.room(ChunkBytes))) > 0)
        deliver(decoder.decode(buffer, count));
    // A character cut off by the end of the output still reaches the owner, in a chunk of its
    // own: the broken pipe's event is always the empty text.
    if (const QString cutCharacter = decoder.flush(); !cutCharacter.isEmpty())
        deliver(cutCharacter);
    deliver(QString());

    child.awaitEnd();
    const rt::ChildStatus status = child.finish();
    outcome_ = outcomeOf(status.kind);
    exitCode_ = status.exitCode;
    signal_ = status.signal;
    return mOutputs;
}
