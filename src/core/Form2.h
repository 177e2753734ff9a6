#pragma once

#include "core/ToolOutput.h"
#include "runtime/Controls.h"
#include "runtime/DeferredControls.h"
#include "runtime/Timer.h"

#include <QPersistentModelIndex>
#include <QWidget>
#include <memory>
#include <optional>

class DOSOutputs;
class EarlierOutput;
class QTemporaryDir;

// The job window: one per queued video of a run. It holds the video's job sheet, starts the
// job on its start timer's fourth tick, or once a running job has returned while the nesting is
// full, and runs the whole job (probe, pass 1, pass 2) inside that call. It normally stays
// hidden; it shows itself while ShowThreadWindows is on and unloads itself when a stop is
// requested. An unloaded window whose job is still running stays a valid object until the job
// has returned, and is destroyed after that.
// A run makes one window per queued video, and most are never shown: a window builds its
// controls when it is first shown or touched, and keeps its sheet and texts as plain values
// until then.
class Form2 : public QWidget, public rt::DeferredControls {
    Q_OBJECT
  public:
    // The text of a job sheet value that nobody has written.
    static inline const QString NoData = QStringLiteral("<%Data%>");

    // Creates and loads a job window owned by the main window (its load handler runs here).
    explicit Form2(QWidget* owner);
    ~Form2() override;

    // Shows the window without taking the focus; its activate handler runs as on activation.
    void showModeless();
    // Showing the window builds its controls first.
    void setVisible(bool visible) override;
    void buildControls() override;
    // Closes the window and stops its timers; it never starts a job again. A job running in it
    // has its tool ended and ends cancelled, keeping the output of a pass 2 that ended well. A job
    // that has not begun never begins and leaves its row as it was.
    void Unload();
    bool unloaded() const { return unloaded_; }
    bool jobRunning() const { return jobRunning_; }
    // Whether the job has been started (it may have returned since).
    bool jobBegun() const { return jobBegun_; }
    // A stop ends the whole run at once: every job window that has not finished is unloaded,
    // its tool ended, and the windows waiting for a nesting level are dropped.
    static void UnloadUnfinished();
    // The jobs running now, each nested inside the one that was running when it started.
    static int nestedJobs();
    // Whether a run is under way: a job of it runs, even one whose window a stop has unloaded,
    // or a loaded window's job waits to begin. A run ends when every job has returned and every
    // window whose job never began is unloaded.
    static bool runUnderWay();

    // The job's steps; GetVideoData runs the whole job and returns when it is over.
    void GetVideoData();
    void AnalyseVideoData();
    void CompressVideo();
    // Reads one chunk of a tool's output, according to Stage.
    void objDOS_ReceiveOutputs(const QString& CommandOutputs);
    void Timer1_Timer();
    void Timer2_Timer();

    // The job sheet: Label2(0..14) hold the values, Label1(0..14) name them.
    rt::DeferredControlArray<rt::Label> Label1{*this};
    rt::DeferredControlArray<rt::Label> Label2{*this};
    // 0 probe and pass 1, 1 pass 2, 2 latest output
    rt::DeferredControlArray<rt::TextBox> Text1{*this};
    // captions; Label5(4) shows the debug log's size
    rt::DeferredControlArray<rt::Label> Label5{*this};
    rt::DeferredControl<rt::PictureBox> Picture2{*this}; // the title strip
    rt::DeferredControl<rt::Label> Label7{*this};        // the title
    rt::DeferredControl<rt::PictureBox> Picture1{*this}; // hidden container
    rt::DeferredControl<rt::Label> Label6{*this};
    rt::DeferredControl<rt::Label> Label3{*this};
    rt::DeferredControl<rt::Label> Label4{*this};    // progress of the current pass
    rt::DeferredControl<rt::CheckBox> Check1{*this}; // debug log switch
    rt::DeferredControl<rt::Shape> Shape1{*this};
    rt::DeferredControl<rt::Shape> Shape2{*this};
    rt::ProgressBar* PBar1; // progress of the current pass; always built
    rt::Timer* Timer1;      // start timer
    rt::Timer* Timer2;      // visibility and stop timer

    // The job sheet's values, whether the controls exist yet or not.
    QString sheetValue(int row);
    void setSheetValue(int row, const QString& value);

    // The job's fields.
    int TickCount = 0;
    QString Stage;
    QString VideoPath;
    QString VideoBitrate;
    QString AudioBitrate;
    QString CompressedPath;
    double DurationSec = 0; // whole seconds; to the hundredth for a source under one second
    int ListIndex = 0;
    bool Finished = false;

    // The queue row of this job's video, marked at the run's start so that the job keeps
    // writing to its own video's row when rows above it are removed.
    void markQueueRow(const QPersistentModelIndex& mark);
    // The current number of that row: 0 once it was removed; ListIndex for an unmarked job.
    int queueRow() const;

  private:
    QPersistentModelIndex queueRowMark_;
    bool queueRowMarked_ = false;

  protected:
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void createTitleStrip();
    void createJobSheet();
    void createOutputBoxes();
    void createContainer();
    void createProgressBar();
    void createTimers();
    void connectHandlers();
    // Texts the job writes, whether the controls exist yet or not.
    void setBoxText(int box, const QString& text);
    void setProgressCaption(const QString& caption);
    void setTitleCaption(const QString& caption);

    void Form_Load();
    void Form_Activate();
    void Form_QueryUnload();
    void SetProgressBarColour();
    void Check1_Click();
    void Text1_Change(int Index);
    void Label2_Change(int Index);
    void dragWindow();

    // Starting the job.
    void runJob();
    static void startWaitingJob();
    bool unfinished() const;
    // Lets the main window offer starting again once no run is under way.
    static void offerStartWhenRunEnded();

    // Job helpers.
    bool prepareJob();
    // A stop asked for this job: its window unloaded, or the run's stop request.
    bool stopRequested() const;
    std::optional<QString> outputProblem(const QString& output) const;
    // What the check after pass 2 found wrong: proven when its probe ran to its end.
    struct OutputFault {
        QString reason;
        bool proven = true;
    };
    std::optional<OutputFault> outputFault(const QString& output);
    void judgeOutput(const QString& output, EarlierOutput& earlier);
    void dropPass2Output(const QString& output, EarlierOutput& earlier, const QString& reason);
    static QString probeCommandLine(const QString& video);
    std::unique_ptr<DOSOutputs> newRunner();
    // Runs a tool unless a stop has been requested; whether it ran.
    bool runTool(int commandBox, const QString& commandLine);
    std::optional<QString> toolFailure(const QString& toolName, const QString& failedWords) const;
    QString outputFileOfPass2();
    QString pass2CommandLine(const QString& output);
    void endPassDisplays();
    void selectQueueRow();
    void advanceOverallProgress(int passes);
    void completeJob(double megabytes);
    void failJob(const QString& reason, int passesLeft);
    void failProbe(const QString& reason);
    void cancelJob();

    // Output parsing helpers.
    void readSpeed(const QString& chunk);
    void readDuration(const QString& chunk);
    void readProgress(const QString& chunk, const QString& passText);

    std::unique_ptr<DOSOutputs> objDOS;
    std::unique_ptr<QTemporaryDir> workFolder_; // the tools' private working folder
    ToolOutput::ProbeReading sourceReading_;    // what the probe says about the source
    ToolOutput::ProbeReading outputReading_;    // what the check after pass 2 says about the output
    ToolOutput::EncodeReading pass2Reading_;    // how much pass 2 reports it has encoded
    bool unloaded_ = false;
    bool jobRunning_ = false;
    bool jobBegun_ = false;
    QString x265Preset_; // both passes' preset: the one in force when pass 1 started

    // What the controls show, until they are built.
    bool controlsBuilt_ = false;
    QString sheet_[15];
    QString boxTexts_[3];
    QString title_ = QStringLiteral("<%windowtitle%>");
    QString progressCaption_ = "progress: " + NoData;
};
