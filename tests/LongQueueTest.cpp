// Long queues: jobs nest inside one another only so deep, whatever the queue's length, so that a
// run of thousands of videos fits a small stack and few descriptors.
#include "JobTestSupport.h"
#include "QuickTools.h"

#include "core/FFmpegTools.h"
#include "runtime/Events.h"

#include <QFile>

namespace {

// Lowers a soft limit for the rest of the scope.
class ScopedLimit {
  public:
    ScopedLimit(int resource, rlim_t soft)
        : resource_(resource), saved_(lowerSoftLimit(resource, soft)) {}
    ~ScopedLimit() { setrlimit(resource_, &saved_); }
    ScopedLimit(const ScopedLimit&) = delete;
    ScopedLimit& operator=(const ScopedLimit&) = delete;

  private:
    int resource_;
    rlimit saved_;
};

class LongQueueTest : public JobTest {
  protected:
    void SetUp() override {
        JobTest::SetUp();
        writeTool("ffprobe", QuickProbe);
        writeTool("ffmpeg", QuickFFmpeg);
        rt::setSecondLength(1); // the jobs' waits of 1 and 2 seconds pass in milliseconds
    }
    void TearDown() override {
        rt::setSecondLength(0);
        JobTest::TearDown();
    }

    void queueVideos(int count) {
        for (int video = 1; video <= count; ++video)
            addRow(writeFile(QString("videos/v%1.mp4").arg(video), 10), "45.5");
    }

    // Runs the queue to its end; the deepest nesting of jobs seen on the way. `begun` gets the
    // sources of the jobs in the order their probes start.
    int runToTheEnd(int timeoutMs, QStringList* begun = nullptr) {
        int deepest = 0;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout,
                         [&] { deepest = std::max(deepest, Form2::nestedJobs()); });
        sampler.start(1);
        startQuickRun();
        if (begun)
            recordProbeStarts(*begun);
        rt::ProgressBar& overall = Form1::instance().PBar1(2);
        EXPECT_TRUE(
            runUntil([&] { return overall.value() == overall.max() && Form2::nestedJobs() == 0; },
                     timeoutMs));
        return deepest;
    }

    // A job's first command line, its probe's, shows in its window just before the probe starts.
    static void recordProbeStarts(QStringList& begun) {
        for (Form2* job : jobs()) {
            rt::TextBox& commandBox = job->Text1(0);
            QObject::connect(&commandBox, &rt::TextBox::changed,
                             [&begun, job, &commandBox, recorded = false]() mutable {
                                 if (recorded || commandBox.text().isEmpty())
                                     return;
                                 recorded = true;
                                 begun << job->VideoPath;
                             });
        }
    }

    static void expectEveryRowComplete() {
        int complete = 0;
        for (int row = 1; row <= queue().rowCount(); ++row)
            complete += cell(row, QueueColumn::CompressionPass) == "Compression Complete";
        EXPECT_EQ(complete, queue().rowCount())
            << "row 1: " << cell(1, QueueColumn::ProcessStatus).toStdString();
        EXPECT_TRUE(rt::uiScript().msgBoxes.empty());
    }
};

TEST_F(LongQueueTest, JobsBeyondTheNestingBoundStartLaterInQueueOrder) {
    queueVideos(40);
    QStringList begun;
    const int deepest = runToTheEnd(60000, &begun);
    // Jobs nest up to the bound and no deeper.
    EXPECT_EQ(deepest, 32);
    ASSERT_EQ(begun.size(), 40);
    for (int video = 1; video <= 40; ++video)
        EXPECT_TRUE(begun[video - 1].endsWith(QString("/v%1.mp4").arg(video))) << video;
    expectEveryRowComplete();
}

TEST_F(LongQueueTest, StopDropsWindowsWaitingForALevelEvenWhenANewRunClearsTheRequest) {
    ScopedEnvironment logProbes("LOG_PROBES", "1");
    queueVideos(40);
    int runningAtStop = 0, completeAtStop = -1;
    const auto completeRows = [] {
        int complete = 0;
        for (int row = 1; row <= queue().rowCount(); ++row)
            complete += cell(row, QueueColumn::ProcessStatus) == "100%";
        return complete;
    };
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (Form2::nestedJobs() < 32)
            return;
        stopper.stop();
        runningAtStop = Form2::nestedJobs();
        completeAtStop = completeRows();
        CancelRequested = true;
        StopFFmpeg();
        // Cleared at once: only the stop's own unloading keeps the waiting windows from beginning.
        CancelRequested = false;
    });
    stopper.start(1);
    startQuickRun();
    ASSERT_TRUE(runUntil(runEnded, 60000));

    // Only the jobs that had begun before the stop ran a tool (a probe ended by the stop as it
    // started may not have logged): those that had completed, and those running then. No job
    // completes after the stop: the rows of those running end cancelled, the others stay queued.
    int complete = completeRows(), cancelled = 0, queued = 0;
    for (int row = 1; row <= queue().rowCount(); ++row) {
        cancelled += cell(row, QueueColumn::ProcessStatus) == "Cancelled";
        queued += cell(row, QueueColumn::ProcessStatus) == "Video Queued";
    }
    EXPECT_EQ(runningAtStop, 32);
    EXPECT_EQ(complete, completeAtStop);
    EXPECT_EQ(complete + cancelled + queued, 40);
    QFile log(folder_.path() + "/probes.log");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_LE(log.readAll().count('\n'), complete + runningAtStop);
}

TEST_F(LongQueueTest, ThousandsOfVideosCompleteUnderASmallStackAndFewDescriptors) {
    queueVideos(2000);
    const ScopedLimit stack(RLIMIT_STACK, 1 << 20);
    const ScopedLimit descriptors(RLIMIT_NOFILE, 256);
    runToTheEnd(300000);
    expectEveryRowComplete();
}

} // namespace
