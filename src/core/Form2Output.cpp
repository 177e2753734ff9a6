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

} // namespace

void Form2::objDOS_ReceiveOutputs(const QString& CommandOutputs) {
    rt::doEvents();
    setBoxText(2, QString());
    setBoxText(2, rt::trimBlanks(CommandOutputs) + "\r\n");
    readSpeed(CommandOutputs);
    if (Stage == "scan_video")
        readDuration(CommandOutputs);
    else if (Stage == "check_output")
        outputReading_.read(CommandOutputs);
    else if (Stage == "analyse_video")
        readProgress(CommandOutputs, "Pass 1: Analysing...");
    else if (Stage == "compress_video") {
        pass2Reading_.read(CommandOutputs);
        readProgress(CommandOutputs, "Pass 2: Compressing...");
    }
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
    // A duration line that is no clock text ("Duration: N/A") keeps what was read before.
    const auto seconds = sourceReading_.read(chunk);
    if (!seconds)
        return;
    setSheetValue(8, QString::number(*seconds));
    DurationSec = *seconds;
    const double target = rt::leadingNumber(queue().cell(queueRow(), QueueColumn::TargetSize));
    // Room for the audio that pass 2 encodes: the row's own bitrate when it has one.
    VideoBitrate = ToolOutput::videoBitrate(target, DurationSec, rt::leadingNumber(AudioBitrate));
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
    const std::int64_t elapsed = rt::clockTextSeconds(*timeText).value_or(0);
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
