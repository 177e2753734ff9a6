// How a job window starts its job: on its start timer's fourth tick, nested inside whatever job
// is processing events at that moment, but never deeper than a fixed number of jobs.
#include "core/Form2.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"

#include <QPointer>
#include <QTimer>
#include <deque>
#include <vector>

namespace {

// Every running job sits on the one thread's stack with its tool's pipe and process. Deeper
// nesting gains nothing (only the innermost job reads its tool's output), so a long queue holds
// these 32 levels at most: well inside the stack and the descriptor limit.
constexpr int MaxNestedJobs = 32;

// The windows whose jobs run now, outermost first. An unloaded window stays here until its job
// has returned.
std::vector<Form2*>& runningWindows() {
    static std::vector<Form2*> running;
    return running;
}

int runningJobs() {
    return int(runningWindows().size());
}

// Windows whose start came while MaxNestedJobs jobs were running, in the order it came.
std::deque<QPointer<Form2>>& waitingWindows() {
    static std::deque<QPointer<Form2>> waiting;
    return waiting;
}

// The window whose job starts next, once a job has returned; nullptr when none waits.
Form2* nextWaitingWindow() {
    auto& waiting = waitingWindows();
    while (!waiting.empty() && (waiting.front().isNull() || waiting.front()->unloaded()))
        waiting.pop_front();
    return waiting.empty() ? nullptr : waiting.front().data();
}

// The run's job windows, in the order they were made.
QList<Form2*> jobWindows() {
    return Form1::instance().findChildren<Form2*>(QString(), Qt::FindDirectChildrenOnly);
}

// Names the last part of the folder the job writes to in status panel 7.
void showOutputFolder(const QString& output) {
    const QString folder = output.left(output.lastIndexOf('/'));
    rt::StatusPanel& panel = Form1::instance().StatusBar1->panel(7);
    panel.setStyle(0);
    panel.setAutoSize(2);
    const qsizetype slash = folder.lastIndexOf('/');
    if (slash >= 0)
        panel.setText("Custom Save Location: ..." + folder.mid(slash) + "    ");
}

} // namespace

int Form2::nestedJobs() {
    return runningJobs();
}

bool Form2::unfinished() const {
    return jobRunning_ || (!unloaded_ && !jobBegun_);
}

bool Form2::runUnderWay() {
    if (!Form1::isLoaded())
        return false;
    // Looked for from the latest window back: the latest are the likeliest still to wait.
    const QObjectList& children = Form1::instance().children();
    for (auto child = children.crbegin(); child != children.crend(); ++child) {
        const auto* window = qobject_cast<const Form2*>(*child);
        if (window && window->unfinished())
            return true;
    }
    return false;
}

void Form2::offerStartWhenRunEnded() {
    if (Form1::isLoaded() && !runUnderWay())
        Form1::instance().RefreshStartCommands();
}

void Form2::UnloadUnfinished() {
    waitingWindows().clear();
    for (Form2* window : jobWindows())
        if (!window->Finished)
            window->Unload();
}

void Form2::Timer1_Timer() {
    ++TickCount;
    if (TickCount != 4)
        return;
    // After a stop no job begins, whenever its start falls due.
    if (stopRequested()) {
        Unload();
        return;
    }
    if (runningJobs() >= MaxNestedJobs || nextWaitingWindow()) {
        // Starts later, after the windows already waiting, when a running job has returned.
        Timer1->setEnabled(false);
        waitingWindows().push_back(this);
        return;
    }
    runJob();
}

void Form2::startWaitingJob() {
    Form2* next = nextWaitingWindow();
    if (!next || runningJobs() >= MaxNestedJobs)
        return;
    waitingWindows().pop_front();
    if (next->stopRequested()) {
        next->Unload();
        startWaitingJob();
        return;
    }
    next->runJob();
}

void Form2::runJob() {
    ListIndex = sheetValue(0).toInt();
    // The output is where the location in force at the run's start put it: the name in the
    // chosen folder, or the row's name next to the source. A folder chosen since is for later
    // runs.
    const QString customOutput = sheetValue(14);
    const bool inChosenFolder = !customOutput.startsWith(SourceDirectoryLocation + "/");
    CompressedPath = inChosenFolder ? customOutput : sheetValue(4);
    if (inChosenFolder)
        showOutputFolder(customOutput);
    VideoBitrate = sheetValue(9);
    AudioBitrate = sheetValue(10);
    jobBegun_ = true;
    jobRunning_ = true;
    runningWindows().push_back(this);
    GetVideoData();
    runningWindows().pop_back();
    jobRunning_ = false;
    Timer1->setEnabled(false);
    TickCount = 0;
    // The level this job held is free: the first waiting job takes it at the next event.
    if (nextWaitingWindow())
        QTimer::singleShot(0, &Form2::startWaitingJob);
    if (unloaded_)
        deleteLater();
    offerStartWhenRunEnded();
}
