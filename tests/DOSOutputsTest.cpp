#include "TestSupport.h"

#include "core/DOSOutputs.h"
#include "runtime/CommandLine.h"
#include "runtime/ProcessTable.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <csignal>
#include <functional>
#include <sys/wait.h>

namespace {

// Runs a command line and keeps every chunk the runner hands out, in order.
struct RecordedRun {
    QStringList events;
    QString result;
};

RecordedRun run(DOSOutputs& runner, const QString& commandLine = QString(),
                const std::function<void(const QString&)>& alsoOnChunk = {}) {
    RecordedRun recorded;
    QObject::connect(&runner, &DOSOutputs::ReceiveOutputs, [&](const QString& chunk) {
        recorded.events << chunk;
        if (alsoOnChunk)
            alsoOnChunk(chunk);
    });
    recorded.result = runner.ExecuteCommand(commandLine);
    QObject::disconnect(&runner, &DOSOutputs::ReceiveOutputs, nullptr, nullptr);
    return recorded;
}

// Shell words that wait (ten seconds at most) until a file named `name` appears beside the tool.
QByteArray awaitFile(const QByteArray& name) {
    return "i=0; while [ ! -e \"$(dirname \"$0\")/" + name +
           "\" ] && [ $i -lt 1000 ]; do sleep 0.01; i=$((i+1)); done; ";
}

// Whether a process is still a child of ours to reap, running or ended.
bool isUnreapedChild(pid_t pid) {
    siginfo_t info{};
    return ::waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0;
}

// Lets events run, as they do while other jobs nest inside a handler, until `done` holds or
// `milliseconds` have passed.
void runEventsUntil(const std::function<bool()>& done, int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!done() && !deadline.hasExpired()) {
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

class DOSOutputsTest : public ProgramTest {
  protected:
    // A fake tool: a shell script in the program's folder, named as a command line names it.
    QString tool(const QString& name, const QByteArray& body) {
        return rt::quoteArgument(writeTool(name, "#!/bin/sh\n" + body + "\n"));
    }
    DOSOutputs runner_;
};

TEST_F(DOSOutputsTest, SilentToolGivesOneEmptyEventAndExitsCleanly) {
    const RecordedRun recorded = run(runner_, tool("quiet", "exit 0"));
    EXPECT_EQ(recorded.events, QStringList{QString()});
    EXPECT_TRUE(recorded.result.isEmpty());
    EXPECT_TRUE(runner_.Succeeded());
}

TEST_F(DOSOutputsTest, ExactlyOneReadFullIsOneChunkThenTheEmptyOne) {
    const RecordedRun recorded = run(runner_, tool("full", "printf '%0256d' 0"));
    ASSERT_EQ(recorded.events.size(), 2);
    EXPECT_EQ(recorded.events[0], QString(256, '0'));
    EXPECT_EQ(recorded.events[1], QString());
    EXPECT_EQ(recorded.result, QString(256, '0'));
    EXPECT_EQ(runner_.Outputs(), recorded.result);
}

TEST_F(DOSOutputsTest, OutputInPiecesArrivesOneEventPerReadAndJoinsToTheResult) {
    const RecordedRun recorded =
        run(runner_, tool("pieces", "printf 'one'; sleep 0.2; printf 'two\\r'; sleep 0.2; "
                                    "printf 'three\\r\\n' >&2"));
    EXPECT_EQ(recorded.events, (QStringList{"one", "two\r", "three\r\n", ""}));
    EXPECT_EQ(recorded.result, "onetwo\rthree\r\n");
}

TEST_F(DOSOutputsTest, LargeOutputComesInChunksOfAtMost256Bytes) {
    const RecordedRun recorded = run(runner_, tool("large", "seq 1 2000"));
    QString expected;
    for (int n = 1; n <= 2000; ++n)
        expected += QString::number(n) + "\n";
    EXPECT_EQ(recorded.result, expected);
    EXPECT_EQ(recorded.events.join(QString()), expected);
    EXPECT_GT(recorded.events.size(), expected.size() / 256);
    for (const QString& chunk : recorded.events)
        EXPECT_LE(chunk.toUtf8().size(), 256);
}

TEST_F(DOSOutputsTest, CharacterCutByAReadIsCarriedToTheNextChunk) {
    // 255 digits and a two-byte letter: the first read ends inside the letter.
    const RecordedRun recorded = run(runner_, tool("cut", "printf '%0255d\\303\\251b' 0"));
    EXPECT_EQ(recorded.events, (QStringList{QString(255, '0'), QString::fromUtf8("éb"), ""}));

    // Three-byte characters behind one byte never cross a chunk, and chunks stay within 256.
    const QString euros(400, QChar(0x20AC));
    const RecordedRun many = run(
        runner_, tool("euros", "i=0; printf a; while [ $i -lt 400 ]; do printf '\\342\\202\\254';"
                               " i=$((i+1)); done"));
    EXPECT_EQ(many.result, "a" + euros);
    for (const QString& chunk : many.events) {
        EXPECT_FALSE(chunk.contains(QChar::ReplacementCharacter));
        EXPECT_LE(chunk.toUtf8().size(), 256);
    }
}

TEST_F(DOSOutputsTest, CharacterCutByTheEndOfTheOutputComesBeforeTheEmptyLastEvent) {
    const RecordedRun recorded = run(runner_, tool("cut", "printf 'a\\303'"));
    const QString cut(QChar::ReplacementCharacter);
    EXPECT_EQ(recorded.events, (QStringList{"a", cut, ""}));
    EXPECT_EQ(recorded.result, "a" + cut);
}

TEST_F(DOSOutputsTest, CallWaitsForAGrandchildHoldingThePipe) {
    const RecordedRun recorded =
        run(runner_, tool("parent", "(sleep 0.3; echo grandchild) & echo child"));
    EXPECT_EQ(recorded.result, "child\ngrandchild\n");
    EXPECT_TRUE(runner_.Succeeded());
}

TEST_F(DOSOutputsTest, EventsKeepFlowingWhileAToolLivesOnAfterClosingItsOutput) {
    QTimer ticker;
    int ticks = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    int ticksAtBrokenPipe = 0;
    run(runner_, tool("lingers", "printf x; exec >&- 2>&-; sleep 0.5; exit 7"),
        [&](const QString& chunk) {
            if (chunk.isEmpty())
                ticksAtBrokenPipe = ticks;
        });
    EXPECT_GE(ticks - ticksAtBrokenPipe, 5);
    EXPECT_EQ(runner_.LastOutcome(), DOSOutputs::Outcome::Exited);
    EXPECT_EQ(runner_.ExitCode(), 7);
}

TEST_F(DOSOutputsTest, EventsKeepFlowingWhileAToolIsSilent) {
    QTimer ticker;
    int ticks = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    int ticksAtFirstOutput = -1;
    run(runner_, tool("silent", "sleep 0.5; echo late"), [&](const QString&) {
        if (ticksAtFirstOutput < 0)
            ticksAtFirstOutput = ticks;
    });
    EXPECT_GE(ticksAtFirstOutput, 10);
}

TEST_F(DOSOutputsTest, RunStartedByAnEventWhileWaitingIsReadToItsEndBeforeTheOuterGoesOn) {
    // The outer tool writes its second line only once the inner run has begun, and the inner
    // tool ends only once that line is written: the line reaches the outer runner's owner only
    // after the inner run has returned. The files order the two tools, whatever their speed.
    const QString inner =
        tool("inner", "echo x; touch \"$(dirname \"$0\")/go\"; " + awaitFile("written"));
    const QString outer =
        tool("outer", "echo a; " + awaitFile("go") + "echo b; touch \"$(dirname \"$0\")/written\"");
    DOSOutputs innerRunner;
    QStringList order;
    QObject::connect(&innerRunner, &DOSOutputs::ReceiveOutputs,
                     [&](const QString& chunk) { order << "inner:" + chunk; });
    const RecordedRun outerRun = run(runner_, outer, [&](const QString& chunk) {
        order << "outer:" + chunk;
        // Started by an event that comes while the outer runner waits for more output.
        if (chunk == "a\n")
            QTimer::singleShot(0, [&] { innerRunner.ExecuteCommand(inner); });
    });
    EXPECT_EQ(order, QStringList({"outer:a\n", "inner:x\n", "inner:", "outer:b\n", "outer:"}));
    EXPECT_EQ(outerRun.result, "a\nb\n");
}

TEST_F(DOSOutputsTest, TerminateKillsAToolThatWillNotEnd) {
    // The tool ignores the request to end; it is killed after a grace period.
    run(runner_, tool("stubborn", "trap '' TERM; echo started; exec sleep 20"),
        [&](const QString& chunk) {
            if (chunk == "started\n")
                runner_.Terminate();
        });
    EXPECT_EQ(runner_.LastOutcome(), DOSOutputs::Outcome::Signalled);
    EXPECT_EQ(runner_.Signal(), SIGKILL);

    run(runner_, tool("willing", "echo started; exec sleep 20"), [&](const QString& chunk) {
        if (chunk == "started\n")
            runner_.Terminate();
    });
    EXPECT_EQ(runner_.Signal(), SIGTERM);
    runner_.Terminate(); // no tool runs: nothing happens
}

TEST_F(DOSOutputsTest, MissingExecutableReturnsAtOnceWithoutEventAndKeepsLastOutputs) {
    run(runner_, tool("hello", "echo hello"));
    const RecordedRun recorded =
        run(runner_, rt::quoteArgument(folder_.path() + "/absent") + " -i x");
    EXPECT_TRUE(recorded.events.isEmpty());
    EXPECT_TRUE(recorded.result.isEmpty());
    EXPECT_EQ(runner_.LastOutcome(), DOSOutputs::Outcome::FailedToStart);
    EXPECT_EQ(runner_.ExitCode(), -1);
    EXPECT_EQ(runner_.Outputs(), "hello\n");

    // A file that is no program cannot start either.
    writeFile("notes.txt", 10);
    run(runner_, rt::quoteArgument(folder_.path() + "/notes.txt"));
    EXPECT_EQ(runner_.LastOutcome(), DOSOutputs::Outcome::FailedToStart);
}

TEST_F(DOSOutputsTest, ExitStatusTellsFailedAndKilledToolsFromSuccessfulOnes) {
    run(runner_, tool("fails", "echo bad; exit 3"));
    EXPECT_EQ(runner_.LastOutcome(), DOSOutputs::Outcome::Exited);
    EXPECT_EQ(runner_.ExitCode(), 3);
    EXPECT_FALSE(runner_.Succeeded());

    run(runner_, tool("killed", "echo going; kill -TERM $$"));
    EXPECT_EQ(runner_.LastOutcome(), DOSOutputs::Outcome::Signalled);
    EXPECT_EQ(runner_.Signal(), SIGTERM);
    EXPECT_EQ(runner_.ExitCode(), -1);
    EXPECT_EQ(runner_.Outputs(), "going\n");
}

TEST_F(DOSOutputsTest, ToolEndingWhileItsRunnerIsInAHandlerIsReapedAtOnceAndKeepsItsStatus) {
    struct Ending {
        QByteArray command;
        DOSOutputs::Outcome outcome;
        int exitCode;
        int signal;
    };
    for (const Ending& ending :
         {Ending{"exit 3", DOSOutputs::Outcome::Exited, 3, 0},
          Ending{"kill -KILL $$", DOSOutputs::Outcome::Signalled, -1, SIGKILL}}) {
        SCOPED_TRACE(ending.command.constData());
        // More than one read of output: the rest stays in the pipe while the handler runs.
        pid_t toolPid = 0;
        bool reapedMeanwhile = false, listedMeanwhile = true;
        const RecordedRun recorded =
            run(runner_, tool("ends", "echo $$; printf '%0300d' 0; " + ending.command),
                [&](const QString& chunk) {
                    if (toolPid != 0 || chunk.isEmpty())
                        return;
                    toolPid = chunk.section('\n', 0, 0).toInt();
                    runEventsUntil([&] { return !isUnreapedChild(toolPid); }, 2000);
                    reapedMeanwhile = !isUnreapedChild(toolPid);
                    listedMeanwhile = !rt::ProcessTable::title(toolPid).isEmpty();
                });
        ASSERT_GT(toolPid, 0);
        EXPECT_TRUE(reapedMeanwhile);
        EXPECT_FALSE(listedMeanwhile);
        EXPECT_EQ(recorded.result, QString::number(toolPid) + "\n" + QString(300, '0'));
        EXPECT_EQ(runner_.LastOutcome(), ending.outcome);
        EXPECT_EQ(runner_.ExitCode(), ending.exitCode);
        EXPECT_EQ(runner_.Signal(), ending.signal);
    }
}

TEST_F(DOSOutputsTest, StoredCommandLineAndArgument) {
    // Nothing stored and no argument: nothing runs.
    const RecordedRun nothing = run(runner_);
    EXPECT_TRUE(nothing.events.isEmpty());
    EXPECT_EQ(runner_.LastOutcome(), DOSOutputs::Outcome::NotRun);

    runner_.setCommandLine(tool("first", "echo first"));
    EXPECT_EQ(run(runner_).result, "first\n");
    const QString second = tool("second", "echo second");
    EXPECT_EQ(run(runner_, second).result, "second\n");
    EXPECT_EQ(runner_.CommandLine(), second);
    EXPECT_EQ(run(runner_).result, "second\n");
}

TEST_F(DOSOutputsTest, ToolStandardInputIsEmpty) {
    EXPECT_EQ(run(runner_, tool("reader", "cat; echo end")).result, "end\n");
}

TEST_F(DOSOutputsTest, ArgumentsOfAnyCharactersReachTheToolIntact) {
    QDir(folder_.path()).mkpath("tool folder \"ü\"");
    const QString toolPath =
        writeTool("tool folder \"ü\"/echo args", "#!/bin/sh\nprintf '%s\\n' \"$@\"\n");
    const QStringList words = {
        "plain",          "with blanks  and\ttab", "say \"hi\"",    "back\\slash\\",
        "\\\"",           "ünïcødé 名前 ✓.mkv",    "-leading dash", "'single'",
        "$HOME `x` ;|&*?"};
    QString commandLine = rt::quoteArgument(toolPath);
    for (const QString& word : words)
        commandLine += " " + rt::quoteArgument(word);
    EXPECT_EQ(run(runner_, commandLine).result, words.join('\n') + "\n");
}

TEST(CommandLineTest, SplitsByOurRules) {
    using rt::splitCommandLine;
    EXPECT_EQ(splitCommandLine("  a  b\tc "), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(splitCommandLine("-i \"x y\" -y \"\""), (QStringList{"-i", "x y", "-y", ""}));
    EXPECT_EQ(splitCommandLine("a\"b c\"d"), QStringList{"ab cd"});
    EXPECT_EQ(splitCommandLine("C:\\dir\\ \"q\\\"\\\\\\n\""),
              (QStringList{"C:\\dir\\", "q\"\\\\n"}));
    EXPECT_EQ(splitCommandLine("\"unclosed quote"), QStringList{"unclosed quote"});
    EXPECT_TRUE(splitCommandLine("   ").isEmpty());
    EXPECT_EQ(rt::quoteArgument("a\"b\\c"), "\"a\\\"b\\\\c\"");
}

TEST_F(DOSOutputsTest, RunningToolIsListedUnderItsPathUntilReaped) {
    const QString toolPath = writeTool("my tool", "#!/bin/sh\necho running\nsleep 0.2\n");
    pid_t listed = 0;
    run(runner_, rt::quoteArgument(toolPath), [&](const QString& chunk) {
        if (!chunk.isEmpty())
            listed = rt::ProcessTable::find(toolPath);
    });
    EXPECT_GT(listed, 0);
    EXPECT_EQ(rt::ProcessTable::find(toolPath), 0);
    EXPECT_FALSE(rt::ProcessTable::terminate(listed));
}

TEST_F(DOSOutputsTest, NestedRunInsideAHandlerDoesNotInheritTheOuterPipe) {
    // The inner tool leaves a background process holding only what it inherited besides its
    // standard descriptors, marked by a file while it lives. Had it inherited the outer pipe, the
    // outer call would wait for it.
    const QString inner =
        tool("inner", "touch \"$(dirname \"$0\")/alive\"; (" + awaitFile("stop") +
                          "rm \"$(dirname \"$0\")/alive\") >/dev/null 2>&1 </dev/null &");
    DOSOutputs nested;
    const RecordedRun outer =
        run(runner_, tool("outer", "echo outer; sleep 0.1; echo done"), [&](const QString& chunk) {
            if (chunk == "outer\n")
                run(nested, inner);
        });
    EXPECT_EQ(outer.result, "outer\ndone\n");
    EXPECT_TRUE(QFileInfo::exists(folder_.path() + "/alive"))
        << "the outer call waited for the inner background process";
    writeFile("stop", 0); // it is no child of ours to signal: it ends on its own
}

} // namespace
