#include "core/FFmpegTools.h"

#include "core/Form2.h"
#include "runtime/Dialogs.h"
#include "runtime/Events.h"
#include "runtime/ProcessTable.h"
#include "runtime/ProgramFolder.h"

#include <QDir>

namespace {

const QString ProgramTitle = QStringLiteral("Tovrane");
const QString DownloadPage = QStringLiteral("https://ffmpeg.org/download.html");

// The tests run in this order and the last that applies wins.
QString detailLine(bool FFmpegFound, bool FFprobeFound) {
    QString detail;
    if (!FFmpegFound)
        detail = "FFmpeg was not found in the project directory.";
    if (!FFprobeFound)
        detail = "FFprobe was not found in the project directory";
    if (!FFmpegFound && !FFprobeFound)
        detail = "Neither FFprobe or FFmpeg were found in the project directory.";
    return detail;
}

void offerDownload(const QString& detail) {
    const int answer =
        rt::msgBox("This project needs FFmpeg and FFprobe to run correctly.\r\n" + detail +
                       "\r\n\r\n" + "Do you want to visit the FFMpeg Download Webpage ?",
                   rt::YesNoCancelExclamation, "FFmpeg Components Not Found");
    if (answer == rt::AnswerYes)
        rt::shellOpen(DownloadPage);
    else if (answer == rt::AnswerNo)
        rt::msgBox("This project cannot perform the tasks required of it.\r\n"
                   "FFmpeg and FFprobe are required\r\n\r\n"
                   "Tovrane Cannot Continue",
                   rt::OkExclamation, "Most functions will Fail");
}

} // namespace

void CheckFFmpegPresence() {
    bool FFmpegFound = false;
    bool FFprobeFound = false;
    const QDir AppFolder(rt::programFolder());
    if (!AppFolder.isReadable()) {
        rt::msgBox("An Error prevented checking of FFmpeg and FFprobe presence.", rt::OkOnly,
                   ProgramTitle);
        return;
    }
    // Normal files only: hidden ones are not listed.
    for (const QString& name : AppFolder.entryList(QDir::Files)) {
        if (name.toLower() == "ffmpeg")
            FFmpegFound = true;
        if (name.toLower() == "ffprobe")
            FFprobeFound = true;
    }
    if (FFmpegFound && FFprobeFound)
        return;
    offerDownload(detailLine(FFmpegFound, FFprobeFound));
}

void StopFFmpeg() {
    const QString FFmpegExePath = rt::programFolder() + "/ffmpeg";
    // Signalled as soon as it is found: events run in between could let it end and the stop
    // then reach nothing while another ffmpeg runs on. Renamed, the entry is passed over by the
    // next stop, which finds the next tool.
    const pid_t FFmpegConsoleHwnd = rt::ProcessTable::find(FFmpegExePath);
    rt::ProcessTable::retitle(FFmpegConsoleHwnd, "q");
    rt::ProcessTable::terminate(FFmpegConsoleHwnd);
    // The stop ends the whole run: every job window that has not finished goes at once, with
    // its tool, and no job of the run starts after this.
    Form2::UnloadUnfinished();
    // The tools run without a window, so there is nothing to show or hide; the pending events
    // still run where a stop always let them.
    rt::doEvents();
    rt::doEvents();
}
