// The job of a job window: the probe, pass 1 and pass 2 of one queued video.
#include "core/DOSOutputs.h"
#include "core/EarlierOutput.h"
#include "core/Form2.h"
#include "core/Queue.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/CommandLine.h"
#include "runtime/Dialogs.h"
#include "runtime/Events.h"
#include "runtime/FileSystem.h"
#include "runtime/Format.h"
#include "runtime/ProgramEnd.h"
#include "runtime/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <filesystem>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

rt::ListView& queue() {
    return *Form1::instance().ListView1;
}

// A path that the job sheet holds between double quotes, without them.
QString unquoted(const QString& text) {
    if (text.size() >= 2 && text.startsWith('"') && text.endsWith('"'))
        return text.mid(1, text.size() - 2);
    return text;
}

// The output files that a running pass 2 is writing now, each as the file it names.
QSet<QString>& outputsBeingWritten() {
    static QSet<QString> outputs;
    return outputs;
}

// The working folders of the jobs still running. A program that ends in the middle of a job,
// by returning from its event loop or through its own shut-down, takes them with it.
class RunningWorkFolders {
  public:
    RunningWorkFolders() {
        rt::atProgramEnd([this] { removeAll(); });
    }
    ~RunningWorkFolders() { removeAll(); }
    void removeAll() {
        std::error_code ignored;
        for (const std::string& folder : folders_)
            std::filesystem::remove_all(folder, ignored);
        folders_.clear();
    }
    void add(const QString& folder) { folders_.insert(QFile::encodeName(folder).toStdString()); }
    void remove(const QString& folder) { folders_.erase(QFile::encodeName(folder).toStdString()); }

  private:
    std::set<std::string> folders_;
};

RunningWorkFolders& runningWorkFolders() {
    static RunningWorkFolders folders;
    return folders;
}

bool folderAcceptsFiles(const QString& folder) {
    QTemporaryFile probe(folder + "/.tovrane-XXXXXX");
    return probe.open();
}

// What a failed or stopped pass 2 left under the output's name is no result: it goes. Any
// earlier file was set aside before the pass; a folder there is never the pass's.
void removeWhatPass2Left(const QString& output) {
    if (rt::fileExists(output))
        rt::removeFile(output);
}

// The file system's limit on the length of one name, in bytes of the encoded name.
bool nameFitsFolder(const QString& path) {
    const QFileInfo file(path);
    const long limit = pathconf(QFile::encodeName(file.absolutePath()).constData(), _PC_NAME_MAX);
    return QFile::encodeName(file.fileName()).size() <= (limit > 0 ? limit : 255);
}

// The queue row whose source video is the file at `path` (the same file under any name); 0 when
// none is. A file that does not exist yet is no source: only an existing one is compared.
int queuedSourceAt(const QString& path) {
    struct stat output {};
    if (stat(QFile::encodeName(path).constData(), &output) != 0)
        return 0;
    const rt::ListView& list = queue();
    for (int row = 1; row <= list.rowCount(); ++row) {
        const QString source = list.cell(row, QueueColumn::VideoPath);
        struct stat video {};
        if (!source.isEmpty() && stat(QFile::encodeName(source).constData(), &video) == 0 &&
            video.st_dev == output.st_dev && video.st_ino == output.st_ino)
            return row;
    }
    return 0;
}

// An output may end a little before the last time its encoder reported: the muxer drops the
// audio's priming, rounds each stream's end to its own time base, and the tools print
// hundredths; half a second covers that on any clip, and 1 % the drift of the streams' clocks
// over a long encode. An output cut short misses by more: a two-hour one 140 s short fails.
bool lastsAsEncoded(double output, double encoded) {
    return output >= encoded - (0.5 + 0.01 * encoded);
}

const QString NoOutputWritten = QStringLiteral("No output file was written");

// A tool of the program's folder, quoted only when the folder's name needs it.
QString tool(const QString& name) {
    const QString path = rt::programFolder() + "/" + name;
    return rt::splitCommandLine(path) == QStringList{path} ? path : rt::quoteArgument(path);
}

} // namespace

// ---- Step 1: the probe

void Form2::GetVideoData() {
    const auto endOfJob = qScopeGuard([this] {
        objDOS.reset();
        if (workFolder_)
            runningWorkFolders().remove(workFolder_->path());
        workFolder_.reset(); // the tools' statistics files go with it
    });
    Stage = "scan_video";
    VideoPath = sheetValue(1);
    if (!prepareJob())
        return;
    objDOS = newRunner();
    sourceReading_ = {};
    runTool(0, probeCommandLine(VideoPath));
    if (stopRequested()) {
        cancelJob();
        return;
    }
    if (const auto failure = toolFailure("ffprobe", "could not read the video")) {
        failProbe(*failure);
        return;
    }
    if (DurationSec <= 0) {
        failProbe("No duration found by ffprobe");
        return;
    }
    if (!sourceReading_.hasVideo()) {
        failJob("The source holds no video stream", 2);
        return;
    }
    if (rt::leadingNumber(VideoBitrate) <= 0) {
        failJob("Target size too small for the audio bitrate", 2);
        return;
    }
    Stage = "analyse_video";
    AnalyseVideoData();
}

bool Form2::prepareJob() {
    workFolder_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/tovrane-job-XXXXXX");
    if (!workFolder_->isValid()) {
        failJob("No temporary working folder could be made", 2);
        return false;
    }
    runningWorkFolders().add(workFolder_->path());
    if (!rt::fileExists(VideoPath)) {
        failProbe("Source video not found");
        return false;
    }
    if (const auto problem = outputProblem(outputFileOfPass2())) {
        failJob(*problem, 2);
        return false;
    }
    return true;
}

// Why pass 2 must not write `output`: checked before any tool runs and again before pass 2,
// since the folder, its files and the queue may change in between.
std::optional<QString> Form2::outputProblem(const QString& output) const {
    if (!folderAcceptsFiles(QFileInfo(output).absolutePath()))
        return "Output folder cannot be written";
    if (!nameFitsFolder(output))
        return "Output file name is too long for the file system";
    const int sourceRow = queuedSourceAt(output);
    if (sourceRow == 0)
        return std::nullopt;
    if (sourceRow == queueRow())
        return "Output file would replace its own source video";
    return QString("Output file would replace the source of queued video %1").arg(sourceRow);
}

// ---- Step 2: pass 1

void Form2::AnalyseVideoData() {
    objDOS = newRunner();
    Stage = "analyse_video";
    VideoBitrate = sheetValue(9);
    queue().setCell(queueRow(), QueueColumn::ActualSize, "000");
    selectQueueRow();
    // Both passes use the preset in force now: x265 refuses a pass 2 of another preset.
    x265Preset_ = X265Preset;
    // Pass 1 takes the audio too: ffmpeg then pads the video for audio that leads it in both
    // passes alike, and pass 2 encodes the frames pass 1 analysed.
    if (!runTool(0, tool("ffmpeg") + " -y -i " + rt::quoteArgument(VideoPath) +
                        " -c:v libx265 -preset " + x265Preset_ + " -b:v " + VideoBitrate +
                        " -x265-params pass=1 -c:a " + AudioCodec + " -b:a " + AudioBitrate +
                        " -f mp4 /dev/null")) {
        cancelJob();
        return;
    }
    const auto failure = toolFailure("ffmpeg pass 1", "failed");
    endPassDisplays();
    // A stop that came during the pass ends the job now: its one-second wait would only hold
    // up the jobs around it.
    if (stopRequested()) {
        cancelJob();
        return;
    }
    if (failure) {
        failJob(*failure, 2);
        return;
    }
    queue().setCell(queueRow(), QueueColumn::ProcessStatus, "100.00%");
    rt::waitSeconds(1);
    if (stopRequested()) {
        cancelJob();
        return;
    }
    Stage = "compress_video";
    advanceOverallProgress(1);
    CompressVideo();
}

// ---- Step 3: pass 2 and the result

void Form2::CompressVideo() {
    objDOS = newRunner();
    Stage = "compress_video";
    queue().setCell(queueRow(), QueueColumn::ActualSize, "000");
    selectQueueRow();
    // The file this pass writes is the file whose size the row gets, whatever changes meanwhile.
    const QString output = outputFileOfPass2();
    if (const auto problem = outputProblem(output)) {
        failJob(*problem, 1);
        return;
    }
    // The queue gives every row's output a name of its own, but folders may change during the
    // run (a link made to another folder), so two jobs could still name one file.
    const QString outputKey = OutputFileKey(output);
    if (outputsBeingWritten().contains(outputKey)) {
        failJob("Another job is writing the same output file", 1);
        return;
    }
    // A file already at the output's name stays the user's until the new encode completes.
    EarlierOutput earlier;
    if (!earlier.setAside(output)) {
        failJob("The earlier output could not be set aside", 1);
        return;
    }
    outputsBeingWritten().insert(outputKey);
    const bool ran = runTool(1, pass2CommandLine(output));
    outputsBeingWritten().remove(outputKey);
    if (!ran) {
        earlier.bringBack();
        cancelJob();
        return;
    }
    const auto failure = toolFailure("ffmpeg pass 2", "failed");
    endPassDisplays();
    if (failure) {
        dropPass2Output(output, earlier, *failure);
        return;
    }
    CompressedPath = output;
    judgeOutput(output, earlier);
}

// The output of a good pass 2 is kept when its check finds it whole. It is removed only on
// evidence that it is bad; one that could not be checked stays, beside any earlier file.
void Form2::judgeOutput(const QString& output, EarlierOutput& earlier) {
    // The output settles for two seconds after pass 2; its check runs within them.
    const std::int64_t settled = rt::clockSeconds() + 2;
    if (!rt::fileExists(output)) {
        earlier.bringBack();
        failJob(NoOutputWritten, 1);
        return;
    }
    // A tool may report success over a file it could not finish (a full disk at its trailer).
    if (const auto fault = outputFault(output)) {
        // A fault the check proved removes the encode, even when a stop came after the proof.
        // A stop before the check answered leaves it unrun or ends it (its probe may hang on a
        // stalled disk): nothing is proven, so both files stay, as when a check cannot run.
        if (fault->proven)
            dropPass2Output(output, earlier, fault->reason);
        else if (stopRequested())
            cancelJob();
        else
            failJob("The output could not be checked: " + fault->reason, 1);
        return;
    }
    rt::waitPast(settled);
    const std::optional<qint64> written = rt::fileSize(output);
    if (!written) {
        earlier.bringBack();
        failJob(NoOutputWritten, 1);
        return;
    }
    earlier.discard();
    completeJob(double(*written) / 1024 / 1024);
}

// An output that is no result goes, any earlier file takes its name again, and the row tells
// why; a stopped job's row reads as cancelled, whether the stop cut pass 2 short or came after
// its check proved the output bad.
void Form2::dropPass2Output(const QString& output, EarlierOutput& earlier, const QString& reason) {
    removeWhatPass2Left(output);
    earlier.bringBack();
    if (stopRequested())
        cancelJob();
    else
        failJob(reason, 1);
}

// What is wrong with the file pass 2 wrote, probed as the source was: it must be readable, hold
// a video and last as long as pass 2 reports it encoded. A source's container may misstate
// its length (parts joined end to end, a track running on past the video): pass 2 does not.
// Only a probe that ran to its end proves a fault; one that could not start or was killed
// says nothing of the file.
std::optional<Form2::OutputFault> Form2::outputFault(const QString& output) {
    Stage = "check_output";
    objDOS = newRunner();
    outputReading_ = {};
    runTool(0, probeCommandLine(output));
    if (const auto failure = toolFailure("ffprobe", "could not read the output"))
        return OutputFault{*failure, objDOS->LastOutcome() == DOSOutputs::Outcome::Exited};
    if (!outputReading_.hasVideo())
        return OutputFault{"The output holds no video stream"};
    const std::optional<double> lasts = outputReading_.exactDuration();
    if (!lasts)
        return OutputFault{"The output has no duration"};
    // A pass 2 that reported no time is held to the source's length.
    const std::optional<double> encoded = pass2Reading_.seconds();
    if (lastsAsEncoded(*lasts, encoded.value_or(DurationSec)))
        return std::nullopt;
    if (encoded)
        return OutputFault{
            QString("The output lasts %1 s, pass 2 encoded %2 s").arg(*lasts).arg(*encoded)};
    return OutputFault{
        QString("The output lasts %1 s, the source %2 s").arg(*lasts).arg(DurationSec)};
}

QString Form2::probeCommandLine(const QString& video) {
    return tool("ffprobe") + " -hide_banner -stats -i " + rt::quoteArgument(video);
}

// Fixed when the job began, from the location in force at the run's start.
QString Form2::outputFileOfPass2() {
    return unquoted(CompressedPath);
}

QString Form2::pass2CommandLine(const QString& output) {
    return tool("ffmpeg") + " -i " + rt::quoteArgument(VideoPath) + " -c:v libx265 -preset " +
           x265Preset_ + " -b:v" + " " + VideoBitrate + " " + "-x265-params pass=2 -c:a" + " " +
           AudioCodec + " " + "-b:a" + " " + AudioBitrate + " " + "-y" + " " +
           rt::quoteArgument(output);
}

// ---- How a job ends

void Form2::completeJob(double megabytes) {
    rt::ListView& list = queue();
    const QString size = rt::formatNumber(megabytes, "000");
    list.setCell(queueRow(), QueueColumn::ActualSize, size);
    list.setCell(queueRow(), QueueColumn::ProcessStatus, "100%");
    setSheetValue(7, size);
    list.setCell(queueRow(), QueueColumn::CompressionPass, "Compression Complete");
    selectQueueRow();
    list.setChecked(queueRow(), true);
    advanceOverallProgress(1);
    objDOS.reset();
    Timer2->setEnabled(false);
    rt::waitSeconds(2);
    Timer2->setEnabled(false);
    Finished = true;
    hide();
}

void Form2::failJob(const QString& reason, int passesLeft) {
    queue().setCell(queueRow(), QueueColumn::CompressionPass, "Compression Failed");
    queue().setCell(queueRow(), QueueColumn::ProcessStatus, reason);
    // The passes that will not run still count, so that the run's end is still reached.
    advanceOverallProgress(passesLeft);
}

void Form2::failProbe(const QString& reason) {
    failJob(reason, 2);
    rt::msgBox("The video could not be examined.", rt::OkCancelExclamation, "Tovrane");
}

void Form2::cancelJob() {
    queue().setCell(queueRow(), QueueColumn::ProcessStatus, "Cancelled");
}

// ---- Running a tool

std::unique_ptr<DOSOutputs> Form2::newRunner() {
    auto runner = std::make_unique<DOSOutputs>();
    connect(runner.get(), &DOSOutputs::ReceiveOutputs, this, &Form2::objDOS_ReceiveOutputs);
    // x265 writes its two-pass statistics into the working folder: one folder per job.
    runner->setWorkingDirectory(workFolder_->path());
    return runner;
}

bool Form2::stopRequested() const {
    return unloaded_ || CancelRequested;
}

bool Form2::runTool(int commandBox, const QString& commandLine) {
    if (stopRequested())
        return false;
    setBoxText(commandBox, QString());
    setBoxText(commandBox, commandLine);
    objDOS->setCommandLine(commandLine);
    objDOS->ExecuteCommand();
    return true;
}

std::optional<QString> Form2::toolFailure(const QString& toolName,
                                          const QString& failedWords) const {
    switch (objDOS->LastOutcome()) {
    case DOSOutputs::Outcome::Exited:
        if (objDOS->ExitCode() == 0)
            return std::nullopt;
        return QString("%1 %2 (exit code %3)").arg(toolName, failedWords).arg(objDOS->ExitCode());
    case DOSOutputs::Outcome::Signalled:
        return QString("%1 was ended (signal %2)").arg(toolName).arg(objDOS->Signal());
    default:
        return toolName + " could not be started";
    }
}

// ---- The main window and the queue row

void Form2::endPassDisplays() {
    Form1& main = Form1::instance();
    main.Label1(6).setCaption("100.00%");
    main.Label1(11).setCaption("0.00");
    main.Label1(12).setCaption("100.00%");
    main.PBar1(0).setValue(0);
    main.PBar1(1).setValue(0);
}

void Form2::selectQueueRow() {
    rt::ListView& list = queue();
    list.setFocus();
    list.scrollIntoView(queueRow());
    list.selectRow(queueRow());
}

void Form2::advanceOverallProgress(int passes) {
    Form1& main = Form1::instance();
    rt::ProgressBar& overall = main.PBar1(2);
    overall.setValue(overall.value() + passes);
    if (overall.max() > 0)
        main.Label1(7).setCaption(
            rt::formatNumber(overall.value() / (overall.max() / 100), "00.00") + "%");
}
