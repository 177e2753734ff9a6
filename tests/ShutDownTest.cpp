// Every way out of the program runs one sequence that ends it at once, also in the middle of a
// job, without stopping the job's tool. The end is counted while the testing seam is active;
// one death test lets it end a forked copy of this process for real.
#include "JobTestSupport.h"
#include "ProcessChecks.h"

#include "core/FFmpegTools.h"
#include "core/Main.h"
#include "runtime/Events.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QByteArray FakeProbe = R"SH(#!/bin/sh
printf 'Input #0, mov, from x:\r\n  Duration: 00:04:32.52, start: 0.000000, bitrate: 1402 kb/s\r\n'
printf '  Stream #0:0: Video: h264, yuv420p, 160x120, 25 fps\r\n'
)SH";

// Like the real tool it shrugs off a broken pipe, so it outlives the program that read it; it
// ends when a file named "stop" appears beside it.
const QByteArray SlowFFmpeg = R"SH(#!/bin/sh
trap '' PIPE
echo $$ > "$(dirname "$0")/ffmpeg.pid"
i=0
while [ $i -lt 200 ] && [ ! -e "$(dirname "$0")/stop" ]; do
  printf 'frame= 10 fps= 54 size= 1kB time=00:01:08.00 bitrate= 1kbits/s speed=2.27x    \r'
  sleep 0.1; i=$((i+1))
done
)SH";

void releaseOver(QWidget* target) {
    sendMouse(target, QEvent::MouseButtonRelease, Qt::LeftButton);
}

// The test framework's own pipe to a death test must not reach the tools, or it would stay open
// after the program ends and the framework would wait for the tool.
void keepOpenFilesFromTools() {
    for (int fd = STDERR_FILENO + 1; fd < 1024; ++fd)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

class ShutDownTest : public JobTest {
  protected:
    void writeTools() {
        writeTool("ffprobe", FakeProbe);
        writeTool("ffmpeg", SlowFFmpeg);
    }

    pid_t toolPid() {
        QFile file(folder_.path() + "/ffmpeg.pid");
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        return pid_t(file.readAll().trimmed().toInt());
    }

    // Starts a one-video run and calls `exit` from inside the job once pass 1 runs; `after`
    // runs a few ticks later, still inside the job.
    void exitDuringPassOne(const std::function<void()>& exit, const std::function<void()>& after) {
        addRow(writeFile("videos/clip.mp4", 1000), "45.5");
        startQuickRun();
        int ticksSinceExit = -1;
        auto* poll = new QTimer(&Form1::instance());
        QObject::connect(poll, &QTimer::timeout, [&, this] {
            if (ticksSinceExit < 0 &&
                cell(1, QueueColumn::CompressionPass) == "Pass 1: Analysing..." && toolPid() > 0) {
                ticksSinceExit = 0;
                exit();
            } else if (ticksSinceExit >= 0 && ++ticksSinceExit == 10) {
                after();
            }
        });
        poll->start(20);
        runUntil(runEnded, 20000);
        delete poll;
    }
};

TEST_F(ShutDownTest, EveryWayOutRunsTheOneSequence) {
    const std::vector<std::pair<const char*, std::function<void(Form1&)>>> waysOut = {
        {"Exit menu item", [](Form1& window) { window.mnu_Exit->trigger(); }},
        {"X title button", [](Form1& window) { releaseOver(&window.Label6(2)); }},
        {"close request", [](Form1& window) { window.close(); }},
        {"unload", [](Form1& window) { window.Form_Unload(); }},
        {"end of the event loop",
         [](Form1&) {
             QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
             QApplication::exec();
         }},
    };
    for (const auto& [name, wayOut] : waysOut) {
        Form1::unload();
        rt::uiScript().programEnds = 0;
        Form1& window = Form1::instance();
        rt::uiScript().msgBoxes.clear(); // the load's report of the tools this test never writes
        window.show();
        const std::int64_t waitedBefore = rt::waitedMilliseconds();
        wayOut(window);
        EXPECT_EQ(rt::uiScript().programEnds, 1) << name;
        EXPECT_TRUE(window.isHidden()) << name;
        EXPECT_FALSE(CancelRequested) << name;
        EXPECT_TRUE(rt::uiScript().msgBoxes.empty()) << name;
        EXPECT_EQ(rt::waitedMilliseconds(), waitedBefore) << name;
        // The program has ended: a second way out finds nothing left to do.
        window.mnu_Exit->trigger();
        EXPECT_EQ(rt::uiScript().programEnds, 1) << name;
    }
    EXPECT_EQ(Form1::instance().mnu_Exit->shortcut(), QKeySequence("Ctrl+Q"));
}

// The seam returns where the real end never does, so the job goes on: nothing of it was torn
// down under its own handler and its tool was left alone.
TEST_F(ShutDownTest, ExitDuringAJobTearsNothingDownAndLeavesTheToolRunning) {
    writeTools();
    Form1::instance().show();
    QPointer<Form2> job;
    bool jobStillRunning = false, toolStillRunning = false;
    exitDuringPassOne(
        [&] {
            job = jobs().value(0);
            releaseOver(&Form1::instance().Label6(2));
        },
        [&] {
            jobStillRunning = job && job->jobRunning();
            toolStillRunning = isRunning(toolPid());
            CancelRequested = true;
            StopFFmpeg();
        });
    EXPECT_EQ(rt::uiScript().programEnds, 1);
    EXPECT_TRUE(Form1::instance().isHidden());
    EXPECT_TRUE(jobStillRunning);
    EXPECT_TRUE(toolStillRunning);
    EXPECT_TRUE(runEnded());
}

TEST_F(ShutDownTest, ExitOrAnEndSignalDuringAJobEndsTheProcessAtOnceAndLeavesTheToolRunning) {
    writeTools();
    const std::vector<std::pair<const char*, std::function<void()>>> waysOut = {
        {"Exit menu item", [] { Form1::instance().mnu_Exit->trigger(); }},
        {"SIGTERM", [] { ::raise(SIGTERM); }},
        {"SIGHUP", [] { ::raise(SIGHUP); }},
        {"SIGINT", [] { ::raise(SIGINT); }},
        // A Ctrl+C in the terminal signals the terminal's whole foreground process group.
        {"Ctrl+C", [] { ::kill(0, SIGINT); }},
    };
    for (const auto& [name, wayOut] : waysOut) {
        SCOPED_TRACE(name);
        QFile::remove(folder_.path() + "/ffmpeg.pid");
        QFile::remove(folder_.path() + "/stop");
        EXPECT_EXIT(
            {
                alarm(30); // a hang fails the test instead of blocking it
                // The program leads a process group, as a program started from a terminal does;
                // the test's other processes are not in it.
                ::setpgid(0, 0);
                keepOpenFilesFromTools();
                rt::uiScript().active = false;
                CloseOnEndSignals();
                exitDuringPassOne(wayOut, [] {});
            },
            ::testing::ExitedWithCode(0), "");

        // The tool outlived the program; the job's working folder did not.
        const pid_t tool = toolPid();
        ASSERT_GT(tool, 0);
        EXPECT_TRUE(isRunning(tool));
        const QString workFolder = QFileInfo(QString("/proc/%1/cwd").arg(tool)).symLinkTarget();
        writeFile("stop", 0); // the tool is no child of ours to signal: it ends on its own
        runUntil([tool] { return !isRunning(tool); }, 5000);
        EXPECT_TRUE(workFolder.contains("tovrane-job-")) << workFolder.toStdString();
        EXPECT_FALSE(QFileInfo::exists(workFolder.section(" (deleted)", 0, 0)));
    }
}

// A signal that the program was started with ignored (under nohup, or as a script's background
// job) stays ignored.
TEST_F(ShutDownTest, ASignalIgnoredAtStartStaysIgnored) {
    for (int signal : {SIGHUP, SIGINT}) {
        EXPECT_EXIT(
            {
                alarm(30);
                rt::uiScript().active = false;
                ::signal(signal, SIG_IGN);
                CloseOnEndSignals();
                ::raise(signal);
                for (int round = 0; round < 20; ++round) {
                    rt::doEvents();
                    ::usleep(10000);
                }
                std::exit(3);
            },
            ::testing::ExitedWithCode(3), "")
            << strsignal(signal);
    }
}

} // namespace
