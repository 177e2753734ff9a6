#pragma once

// Helpers for the tests that start runs: queue rows, the run's job windows and a bounded wait
// for the run's end.
#include "TestSupport.h"

#include "core/FFmpegTools.h"
#include "core/Form2.h"
#include "core/Queue.h"
#include "core/RunStart.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/Dialogs.h"
#include "runtime/Events.h"
#include "runtime/ProcessTable.h"
#include "runtime/ProgramFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QList>
#include <QThread>
#include <QTimer>
#include <functional>

// Sets an environment variable for the rest of the scope, child processes included.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnvironment() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

class JobTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        SetupQueueColumns();
        SetupStatusPanels();
        letStartUpTickPass();
        // Loading the main window checked for tools the tests write later: forget what it said.
        rt::uiScript().msgBoxes.clear();
        rt::uiScript().launched.clear();
        X265Preset = "ultrafast";
        AudioCodec = "aac";
        AudioBitrateKbps = 92;
        OutputLocation = SourceDirectoryLocation;
        CancelRequested = false;
        ShowThreadWindows = false;
    }

    // The main window zeroes its bars once, just after loading: let that happen before a test
    // sets them, or a busy machine could have it land in the middle of the test.
    static void letStartUpTickPass() {
        QElapsedTimer waited;
        waited.start();
        while (Form1::instance().Timer1->enabled() && waited.elapsed() < 5000) {
            rt::doEvents();
            QThread::msleep(1);
        }
    }

    static rt::ListView& queue() { return *Form1::instance().ListView1; }

    // A queue row as adding a video leaves it; the output goes next to the source.
    static int addRow(const QString& sourcePath, const QString& targetMb) {
        rt::ListView& list = queue();
        const int row = list.addRow(QString::number(list.rowCount() + 1));
        const QFileInfo source(sourcePath);
        const QString number = QString::number(row).rightJustified(2, '0');
        list.setCell(row, QueueColumn::VideoPath, sourcePath);
        list.setCell(row, QueueColumn::VideoName, source.completeBaseName().toLower());
        list.setCell(row, QueueColumn::PreCompressedSize, "1");
        list.setCell(row, QueueColumn::TargetSize, targetMb);
        list.setCell(row, QueueColumn::CompressionPass, "Pass: 1 of 2");
        list.setCell(row, QueueColumn::ProcessStatus, "Video Queued");
        list.setCell(row, QueueColumn::ActualSize, "000");
        list.setCell(row, QueueColumn::OutputPath,
                     source.absolutePath() + "/Compressed_" + number + "_" +
                         source.completeBaseName() + ".mp4");
        return row;
    }

    static QString cell(int row, int column) { return queue().cell(row, column); }

    // The job windows still loaded, in the order they were made.
    static QList<Form2*> jobs() {
        QList<Form2*> alive;
        for (Form2* job :
             Form1::instance().findChildren<Form2*>(QString(), Qt::FindDirectChildrenOnly))
            if (!job->unloaded())
                alive << job;
        return alive;
    }

    // Starts a run whose windows start their jobs within a few hundredths of a second.
    static void startQuickRun() {
        StartCompression();
        for (Form2* job : jobs())
            job->Timer1->setInterval(10);
    }

    static bool runUntil(const std::function<bool()>& done, int timeoutMs) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < timeoutMs) {
            QEventLoop loop;
            QTimer::singleShot(20, &loop, &QEventLoop::quit);
            loop.exec();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return done();
    }

    // Runs `action` once, inside the running job, when `condition` first holds.
    static void once(const std::function<bool()>& condition, const std::function<void()>& action) {
        auto* poll = new QTimer(&Form1::instance());
        QObject::connect(poll, &QTimer::timeout, [=] {
            if (condition()) {
                poll->stop();
                action();
            }
        });
        poll->start(20);
    }

    // Stops the run as the stop commands do.
    static void stop() {
        CancelRequested = true;
        StopFFmpeg();
    }

    // Every job of the run has returned, or will never begin.
    static bool runEnded() {
        for (Form2* job : Form1::instance().findChildren<Form2*>())
            if (job->jobRunning() || (!job->unloaded() && !job->jobBegun()))
                return false;
        return true;
    }
};
