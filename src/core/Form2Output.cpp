// Reading the tools' output while a job's tool runs: speed, duration and bitrate, progress.
#include "core/Form2.h"
#include "core/Queue.h"
#include "core/Settings.h"
#include "core/ToolOutput.h"
#include "mainwindow/Form1.h"
#include "runtime/Events.h"
#include "runtime/Format.h"

namespace {

rt::ListView& queue() {
    return *Form1::instance().ListView1;
}

// "Duration: hh:mm:ss.cc" is 21 characters: the last 20 of a chunk may hold the start of one.
constexpr int DurationCarry = 20;

} // namespace

void Form2::objDOS_ReceiveOutputs(const QString& CommandOutputs) {
    rt::doEvents();
    setBoxText(2, QString());
    setBoxText(2, rt::trimBlanks(CommandOutputs) + "\r\n");
    readSpeed(CommandOutputs);
    if (Stage == "scan_video")
        readDuration(CommandOutputs);
    else if (Stage == "analyse_video")
        readProgress(CommandOutputs, "Pass 1: Analysing...");
    else if (Stage == "compress_video")
        readProgress(CommandOutputs, "Pass 2: Compressing...");
}

void Form2::readSpeed(const QString& chunk) {
    const auto speed = ToolOutput::speedText(chunk);
    if (!speed)
        return;
    Form1& main = Form1::instance();
    rt::ProgressBar& gauge = main.PBar1(0);
    const auto number = rt::toNumber(*speed);
    QString share;
    if (number && gauge.max() != 0)
        share = rt::formatNumber(*number / (gauge.max() / 100), "00.00");
    main.Label1(12).setCaption(share + "%");
    main.Label1(11).setCaption(*speed);
    const bool fast = rt::leadingNumber(*speed) > 6.1;
    main.Label15->setVisible(fast);
    gauge.setMax(fast ? 12 : 6);
    if (number)
        gauge.setValue(*number);
}

void Form2::readDuration(const QString& chunk) {
    // The start of the chunk is read together with the end of the one before, so that a
    // duration split between two chunks is still read whole.
    const QString text = probeCarry_ + chunk;
    probeCarry_ = text.right(DurationCarry);
    // A "Duration" that is no clock text (a stream's DURATION tag) keeps what was read before.
    const auto seconds = ToolOutput::durationSeconds(text);
    if (!seconds)
        return;
    setSheetValue(8, QString::number(*seconds));
    DurationSec = *seconds;
    const double target = rt::leadingNumber(queue().cell(queueRow(), QueueColumn::TargetSize));
    VideoBitrate = ToolOutput::videoBitrate(target, DurationSec, AudioBitrateKbps);
    setSheetValue(7, "in progress");
    setSheetValue(9, VideoBitrate);
}

void Form2::readProgress(const QString& chunk, const QString& passText) {
    queue().setCell(queueRow(), QueueColumn::CompressionPass, passText);
    const auto timeText = ToolOutput::timeText(chunk);
    if (!timeText)
        return;
    setSheetValue(13, *timeText);
    rt::doEvents();
    const auto duration = rt::toNumber(sheetValue(8));
    const int elapsed = rt::clockTextSeconds(*timeText).value_or(0);
    QString percentage;
    if (duration && *duration != 0)
        percentage = rt::formatNumber(elapsed / (*duration / 100), "00.00");
    setProgressCaption("progress " + percentage + "%");
    Form1& main = Form1::instance();
    for (rt::ProgressBar* bar : {PBar1, &main.PBar1(1)}) {
        if (duration)
            bar->setMax(*duration);
        bar->setValue(elapsed);
    }
    main.Label1(6).setCaption(percentage + "%");
    queue().setCell(queueRow(), QueueColumn::ProcessStatus, percentage + "%");
}
