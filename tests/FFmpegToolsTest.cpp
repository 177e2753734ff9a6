#include "ProcessChecks.h"
#include "TestSupport.h"

#include "core/DOSOutputs.h"
#include "core/FFmpegTools.h"
#include "runtime/CommandLine.h"
#include "runtime/Dialogs.h"
#include "runtime/ProcessTable.h"
#include "runtime/ProgramFolder.h"

#include <QDir>
#include <QTimer>
#include <csignal>
#include <functional>
#include <thread>

namespace {

const QString FirstMessage = "This project needs FFmpeg and FFprobe to run correctly.\r\n%1"
                             "\r\n\r\nDo you want to visit the FFMpeg Download Webpage ?";
const QString OnlyFFmpegMissing = "FFmpeg was not found in the project directory.";
const QString OnlyFFprobeMissing = "FFprobe was not found in the project directory";
const QString BothMissing = "Neither FFprobe or FFmpeg were found in the project directory.";

class PresenceTest : public ProgramTest {
  protected:
    const std::vector<rt::MsgBoxRecord>& shown() { return rt::uiScript().msgBoxes; }

    void expectFirstMessage(const QString& detail) {
        ASSERT_FALSE(shown().empty());
        EXPECT_EQ(shown()[0].prompt, FirstMessage.arg(detail));
        EXPECT_EQ(shown()[0].style, 51);
        EXPECT_EQ(shown()[0].title, "FFmpeg Components Not Found");
    }
};

TEST_F(PresenceTest, BothToolsInAnyCaseMeanNoMessage) {
    writeFile("FFMPEG", 10);
    writeFile("ffProbe", 10);
    CheckFFmpegPresence();
    EXPECT_TRUE(shown().empty());
    EXPECT_TRUE(rt::uiScript().launched.empty());
}

TEST_F(PresenceTest, DetailLineNamesWhatIsMissing) {
    writeFile("no ffmpeg/ffprobe", 10);
    QDir(folder_.path()).mkpath("no ffmpeg/ffmpeg"); // a folder is no tool
    writeFile("no ffprobe/ffmpeg", 10);
    writeFile("neither/.ffmpeg", 10); // hidden files are not listed
    const std::vector<std::pair<QString, QString>> cases = {{"no ffmpeg", OnlyFFmpegMissing},
                                                            {"no ffprobe", OnlyFFprobeMissing},
                                                            {"neither", BothMissing}};
    for (const auto& [subfolder, detail] : cases) {
        rt::uiScript().msgBoxes.clear();
        rt::setProgramFolder(folder_.path() + "/" + subfolder);
        CheckFFmpegPresence();
        expectFirstMessage(detail);
    }
}

TEST_F(PresenceTest, YesOpensTheDownloadPage) {
    rt::uiScript().msgBoxAnswers = {rt::AnswerYes};
    CheckFFmpegPresence();
    EXPECT_EQ(shown().size(), 1u);
    EXPECT_EQ(rt::uiScript().launched, std::vector<QString>{"https://ffmpeg.org/download.html"});
}

TEST_F(PresenceTest, NoWarnsThatMostFunctionsWillFail) {
    writeFile("ffmpeg", 10);
    rt::uiScript().msgBoxAnswers = {rt::AnswerNo};
    CheckFFmpegPresence();
    expectFirstMessage(OnlyFFprobeMissing);
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[1].prompt, "This project cannot perform the tasks required of it.\r\n"
                                 "FFmpeg and FFprobe are required\r\n\r\n"
                                 "Tovrane Cannot Continue");
    EXPECT_EQ(shown()[1].style, 48);
    EXPECT_EQ(shown()[1].title, "Most functions will Fail");
    EXPECT_TRUE(rt::uiScript().launched.empty());
}

TEST_F(PresenceTest, CancelEndsTheCheck) {
    rt::uiScript().msgBoxAnswers = {rt::AnswerCancel};
    CheckFFmpegPresence();
    EXPECT_EQ(shown().size(), 1u);
    EXPECT_TRUE(rt::uiScript().launched.empty());
}

TEST_F(PresenceTest, UnreadableFolderIsReportedAsAnError) {
    rt::setProgramFolder(folder_.path() + "/does not exist");
    CheckFFmpegPresence();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].prompt, "An Error prevented checking of FFmpeg and FFprobe presence.");
    EXPECT_EQ(shown()[0].style, 0);
    EXPECT_EQ(shown()[0].title, "Tovrane");
}

class StopTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        // A tool that says it started and then runs until it is stopped.
        const QByteArray waits = "#!/bin/sh\necho started\nexec sleep 20\n";
        ffmpeg_ = writeTool("ffmpeg", waits);
        ffprobe_ = writeTool("ffprobe", waits);
    }

    // Runs a tool and calls `whileRunning` once it has started.
    void runTool(DOSOutputs& runner, const QString& path,
                 const std::function<void()>& whileRunning) {
        QObject::connect(&runner, &DOSOutputs::ReceiveOutputs, [&](const QString& chunk) {
            if (chunk == "started\n")
                whileRunning();
        });
        runner.ExecuteCommand(rt::quoteArgument(path) + " -i " + rt::quoteArgument("in put.mkv"));
    }

    QString ffmpeg_, ffprobe_;
};

TEST_F(StopTest, EachStopEndsOneFFmpegFirstStartedFirst) {
    DOSOutputs first, second;
    pid_t firstPid = 0, secondPid = 0;
    bool secondRanOnAfterFirstStop = false;
    runTool(first, ffmpeg_, [&] {
        firstPid = rt::ProcessTable::find(ffmpeg_);
        runTool(second, ffmpeg_, [&] {
            StopFFmpeg();
            EXPECT_NE(rt::ProcessTable::title(firstPid), ffmpeg_);
            secondPid = rt::ProcessTable::find(ffmpeg_);
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            secondRanOnAfterFirstStop = isRunning(secondPid);
            StopFFmpeg();
            EXPECT_NE(rt::ProcessTable::title(secondPid), ffmpeg_);
            StopFFmpeg(); // none left under the path: nothing happens
        });
    });
    EXPECT_GT(firstPid, 0);
    EXPECT_NE(secondPid, firstPid);
    EXPECT_TRUE(secondRanOnAfterFirstStop);
    for (const DOSOutputs* runner : {&first, &second}) {
        EXPECT_EQ(runner->LastOutcome(), DOSOutputs::Outcome::Signalled);
        EXPECT_EQ(runner->Signal(), SIGTERM);
    }
}

TEST_F(StopTest, StopPassesOverAToolThatHasEndedButIsNotYetReaped) {
    writeTool("ffmpeg", "#!/bin/sh\ncase \"$*\" in *ended*) echo \"ended $$\"; exit 0 ;; esac\n"
                        "echo started\nexec sleep 3\n");
    DOSOutputs ended, running;
    QObject::connect(&ended, &DOSOutputs::ReceiveOutputs, [&](const QString& chunk) {
        if (!chunk.startsWith("ended "))
            return;
        const pid_t endedPid = chunk.mid(6).trimmed().toInt();
        for (int tries = 0; tries < 500 && isRunning(endedPid); ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        runTool(running, ffmpeg_, [] { StopFFmpeg(); });
    });
    ended.ExecuteCommand(rt::quoteArgument(ffmpeg_) + " ended");
    EXPECT_EQ(running.LastOutcome(), DOSOutputs::Outcome::Signalled);
    EXPECT_EQ(running.Signal(), SIGTERM);
    EXPECT_TRUE(ended.Succeeded()); // its exit status was still there to read
}

TEST_F(StopTest, StopSignalsTheToolItFindsBeforeEventsRun) {
    // The first tool is ended by something else as soon as events run: the stop must already
    // have reached it, or it would reach nothing while the second runs on.
    DOSOutputs first, second;
    pid_t firstPid = 0;
    runTool(first, ffmpeg_, [&] {
        firstPid = rt::ProcessTable::find(ffmpeg_);
        runTool(second, ffmpeg_, [&] {
            QTimer::singleShot(0, [&] {
                // Only while it is still our unreaped child: its id cannot belong to another.
                rt::ProcessTable::reapEnded();
                if (!rt::ProcessTable::title(firstPid).isEmpty())
                    ::kill(firstPid, SIGKILL);
                for (int tries = 0; tries < 200 && !rt::ProcessTable::title(firstPid).isEmpty();
                     ++tries) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                    rt::ProcessTable::reapEnded();
                }
            });
            StopFFmpeg();
            StopFFmpeg(); // ends the second, whatever the first stop did
        });
    });
    EXPECT_EQ(first.Signal(), SIGTERM);
}

TEST(SignalChainTest, ChildEndIsPassedOnOnlyToHandlersOfTheirOwn) {
    // The default and ignoring actions are no functions, whichever form they were installed in.
    for (auto disposition : {SIG_DFL, SIG_IGN})
        for (int flags : {0, SA_SIGINFO}) {
            struct sigaction previous {};
            previous.sa_handler = disposition;
            previous.sa_flags = flags;
            rt::ProcessTable::passOnChildEnd(previous, SIGCHLD, nullptr, nullptr);
        }
    static int plainCalls = 0, infoCalls = 0;
    struct sigaction plain {};
    plain.sa_handler = [](int) { ++plainCalls; };
    rt::ProcessTable::passOnChildEnd(plain, SIGCHLD, nullptr, nullptr);
    struct sigaction withInfo {};
    withInfo.sa_sigaction = [](int, siginfo_t*, void*) { ++infoCalls; };
    withInfo.sa_flags = SA_SIGINFO;
    rt::ProcessTable::passOnChildEnd(withInfo, SIGCHLD, nullptr, nullptr);
    EXPECT_EQ(plainCalls, 1);
    EXPECT_EQ(infoCalls, 1);
}

TEST_F(StopTest, StopLeavesOtherToolsRunning) {
    DOSOutputs probe;
    pid_t probePid = 0;
    bool probeRanOn = false;
    runTool(probe, ffprobe_, [&] {
        StopFFmpeg();
        probePid = rt::ProcessTable::find(ffprobe_);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        probeRanOn = isRunning(probePid);
        ::kill(probePid, SIGKILL);
    });
    EXPECT_TRUE(probeRanOn);
    EXPECT_EQ(probe.Signal(), SIGKILL);
}

} // namespace
