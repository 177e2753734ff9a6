#include "core/RunStart.h"

#include "core/Form2.h"
#include "core/Queue.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/Format.h"
#include "runtime/Window.h"

namespace {

// The name a row's output gets in the output location: Compressed_02_holiday.mp4.
QString customOutputName(int row, const QString& videoName) {
    return OutputLocation + "/" + "Compressed_" + rt::formatNumber(row, "00") + "_" + videoName +
           "." + "mp4";
}

void writeJobSheet(Form2& job, int row) {
    rt::ListView& list = *Form1::instance().ListView1;
    const QString sourcePath = list.cell(row, QueueColumn::VideoPath);
    const qsizetype lastDot = sourcePath.lastIndexOf('.');
    const qsizetype lastSlash = sourcePath.lastIndexOf('/');
    const QString parentFolder = lastSlash < 0 ? QString() : sourcePath.left(lastSlash + 1);
    const QString videoName = list.cell(row, QueueColumn::VideoName);
    const bool ownAudio = list.cell(row, QueueColumn::IndividualSettings) == "True";

    job.setSheetValue(0, rt::formatNumber(row, "00"));
    job.setSheetValue(1, sourcePath);
    job.setSheetValue(2, lastDot < 0 ? sourcePath : sourcePath.mid(lastDot + 1));
    job.setSheetValue(3, "mp4");
    job.setSheetValue(5, list.cell(row, QueueColumn::TargetSize));
    job.setSheetValue(6, parentFolder);
    job.setSheetValue(4, '"' + list.cell(row, QueueColumn::OutputPath) + '"');
    job.setSheetValue(11, parentFolder + videoName);
    job.setSheetValue(10, ownAudio ? list.cell(row, QueueColumn::IndividualAudioBitrate)
                                   : QString::number(AudioBitrateKbps) + "k");
    job.setSheetValue(12, X265Preset);
    const QString customOutput = customOutputName(row, videoName);
    job.setSheetValue(14, customOutput);
    // The row names its file in the chosen folder from now on, so that no video added during
    // the run takes that name.
    if (OutputLocation != SourceDirectoryLocation)
        SetQueueRowOutput(row, customOutput);
}

} // namespace

void StartCompression() {
    CancelRequested = false;
    Form1& main = Form1::instance();
    main.Label1(7).setCaption("00.00%");
    const int rows = main.ListView1->rowCount();
    for (int row = 1; row <= rows; ++row) {
        main.PBar1(2).setMax(2 * row);
        main.PBar1(2).setValue(0);
        auto* job = new Form2(&main);
        writeJobSheet(*job, row);
        job->markQueueRow(main.ListView1->rowMark(row));
        // Beyond the screen's lower right corner. It stays hidden: showing it only to hide it
        // again would build its controls for nothing; its timer shows it when that is asked.
        rt::setWindowLeft(job, rt::screenWidth());
        rt::setWindowTop(job, rt::screenHeight());
    }
}
