#include "QuickTools.h"
#include "TestSupport.h"

#include "core/AddVideos.h"
#include "core/FFmpegTools.h"
#include "core/Form2.h"
#include "core/Main.h"
#include "core/PermittedTypes.h"
#include "core/Queue.h"
#include "core/Settings.h"
#include "dialogs/Form3.h"
#include "mainwindow/Form1.h"
#include "runtime/Brushes.h"
#include "runtime/Dialogs.h"
#include "runtime/ExactGeometry.h"
#include "theme/SliderBrushes.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTest>
#include <QTimer>

namespace {

class SettingsDialogTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Main();
    }
    Form1& main() { return Form1::instance(); }
    rt::ListView& list() { return *main().ListView1; }

    void queue(const QString& name, const QString& size, const QString& target) {
        const int row = list().addRow(QString::number(list().rowCount() + 1));
        list().setCell(row, QueueColumn::VideoName, name);
        list().setCell(row, QueueColumn::PreCompressedSize, size);
        list().setCell(row, QueueColumn::TargetSize, target);
    }

    Form3& open(int row) {
        SelectedVideoIndex = row;
        main().mnu_Individual->trigger();
        return Form3::instance();
    }

    static void drag(rt::Slider& slider, int position) {
        slider.setSliderDown(true);
        slider.setSliderPosition(position);
    }

    static QRectF box(const QWidget& control) { return rt::exactGeometry(&control); }
    static QColor textColour(const rt::TextBox& box) { return box.palette().color(QPalette::Text); }
    QStringList individualCells(int row) {
        return {list().cell(row, QueueColumn::TargetSize),
                list().cell(row, QueueColumn::IndividualSettings),
                list().cell(row, QueueColumn::IndividualTargetSize),
                list().cell(row, QueueColumn::IndividualAudioBitrate)};
    }
};

TEST_F(SettingsDialogTest, OpeningShowsTheRowTheMainBitrateAndTheMainPercentagesTarget) {
    for (int i = 1; i <= 6; ++i)
        queue("video", "1", "0.6");
    queue("seventh video", "45.678", "12.5");
    list().setCell(7, QueueColumn::IndividualSettings, "True");
    main().Slider1(1).setValue(128);

    Form3& dialog = open(7);
    const QStringList expected = {"07", "seventh video", "45.678", "12.5", "128", "27.407", "128"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(dialog.Text1(i).text(), expected[i]) << "box " << i;
    EXPECT_EQ(dialog.Slider1(1).value(), 128);
    EXPECT_EQ(dialog.Label1(16).caption(), "60%");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.parentWidget(), &main());

    // Changed boxes flash until the timer's next tick.
    EXPECT_EQ(textColour(dialog.Text1(1)), rt::toQColor(rt::White));
    dialog.Timer1_Timer();
    EXPECT_EQ(textColour(dialog.Text1(1)), rt::toQColor(rt::Orange));
    EXPECT_FALSE(dialog.Timer1->enabled());

    // The load's frame, title strip and strips over the sliders; the opening's scroll has
    // stretched the percentage slider's right strip to the dialog's rule.
    EXPECT_EQ(dialog.size(), QSize(451, 437));
    EXPECT_EQ(dialog.Shape3->geometry(), QRect(1, 1, 449, 435));
    EXPECT_EQ(dialog.Picture4->geometry(), QRect(3, 3, 444, 25));
    EXPECT_EQ(box(dialog.Picture5(0)), QRectF(113.5, 304.5, 139, 11.5));
    EXPECT_EQ(box(dialog.Picture5(1)), QRectF(262.5, 304.5, 108.5, 11.5));
    EXPECT_EQ(box(dialog.Picture5(2)), QRectF(113.5, 344.5, 135, 11.5));
    EXPECT_EQ(box(dialog.Picture5(3)), QRectF(259.5, 344.5, 150, 11.5));
}

TEST_F(SettingsDialogTest, SlidersComputeTheNewValuesAndMoveTheirStrips) {
    queue("clip", "40", "24");
    Form3& dialog = open(1);
    dialog.Timer1_Timer();
    rt::Slider& percent = dialog.Slider1(0);

    drag(percent, 20);
    EXPECT_EQ(dialog.Text1(5).text(), "8");
    EXPECT_EQ(textColour(dialog.Text1(5)), rt::toQColor(rt::White)); // a scroll does not warn
    percent.setSliderDown(false);
    EXPECT_EQ(textColour(dialog.Text1(5)), rt::toQColor(rt::Red));
    dialog.Form_MouseMove();
    EXPECT_EQ(textColour(dialog.Text1(5)), rt::toQColor(rt::Orange));

    drag(percent, 100);
    EXPECT_EQ(dialog.Label1(16).caption(), "100%");
    EXPECT_DOUBLE_EQ(box(dialog.Picture5(0)).width(), 245);
    EXPECT_DOUBLE_EQ(box(dialog.Picture5(1)).width(), 2.5);
    EXPECT_DOUBLE_EQ(box(dialog.Picture5(1)).right(), 371);
    percent.setSliderDown(false);
    percent.setValue(10); // a change without a scroll leaves the right strip
    EXPECT_EQ(dialog.Label1(16).caption(), "10%");
    EXPECT_DOUBLE_EQ(box(dialog.Picture5(0)).width(), 6.5);
    EXPECT_DOUBLE_EQ(box(dialog.Picture5(1)).left(), 368.5);

    rt::Slider& bitrate = dialog.Slider1(1);
    drag(bitrate, 8);
    EXPECT_EQ(dialog.Text1(6).text(), "8");
    EXPECT_NEAR(box(dialog.Picture5(2)).width(), 4.62, 1e-9);
    drag(bitrate, 190);
    EXPECT_NEAR(box(dialog.Picture5(2)).width(), 284.9, 1e-9);
    EXPECT_NEAR(box(dialog.Picture5(3)).width(), 3.6, 1e-9);
}

TEST_F(SettingsDialogTest, SetMarksTheRowAndUnloadsRemoveClearsItAndStays) {
    queue("one", "45.678", "27.407");
    queue("two", "10", "6");
    Form3& first = open(1);
    first.Slider1(1).setValue(128);
    QTest::mouseRelease(&first.Label3(2), Qt::RightButton);
    EXPECT_EQ(individualCells(1), QStringList({"27.407", "True", "27.407", "128k"}));
    EXPECT_EQ(list().rowColour(1), rt::Green);
    EXPECT_TRUE(list().rowBold(1));
    EXPECT_EQ(SelectedVideoItem, 1);
    EXPECT_FALSE(Form3::isLoaded());

    // The main window's percentage leaves the marked row alone.
    main().Slider1(0).setValue(20);
    EXPECT_EQ(list().cell(1, QueueColumn::TargetSize), "27.407");

    Form3& second = open(2);
    EXPECT_NE(&second, &first);
    second.Command1_Click(1);
    EXPECT_EQ(individualCells(2), QStringList({"2", "", "", ""}));
    EXPECT_EQ(list().rowColour(2), rt::Black);
    EXPECT_FALSE(list().rowBold(2));
    EXPECT_TRUE(Form3::isLoaded());
    second.Command1_Click(0);
    EXPECT_FALSE(Form3::isLoaded());
}

// The dialog acts on the row it shows, wherever removals move it, and on nothing once it is
// gone or when it was opened without a row.
TEST_F(SettingsDialogTest, CommandsNeverReachAnotherRow) {
    for (const char* name : {"a", "b", "c"})
        queue(name, "50", "30");
    Form3& dialog = open(3);
    SelectedVideoIndex = 1; // another row clicked meanwhile
    list().removeRow(2);
    list().setCell(2, QueueColumn::Index, "2");
    dialog.Command1_Click(2);
    EXPECT_EQ(list().cell(2, QueueColumn::IndividualSettings), "True");
    EXPECT_EQ(list().cell(1, QueueColumn::IndividualSettings), "");

    Form3& again = open(2);
    list().removeRow(2);
    again.Command1_Click(1);
    again.Command1_Click(2);
    EXPECT_EQ(SelectedVideoItem, 0);
    EXPECT_EQ(individualCells(1), QStringList({"30", "", "", ""}));
    EXPECT_FALSE(Form3::isLoaded());

    Form3& empty = open(5);
    empty.Command1_Click(1); // stays open
    main().Slider1(1).setValue(5);
    open(0);
    const QStringList expected = {"00", "", "", "", "5", "0", "5"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(empty.Text1(i).text(), expected[i]) << "box " << i;
    EXPECT_EQ(empty.Slider1(1).value(), 8);
    empty.Command1_Click(2);
    EXPECT_EQ(individualCells(1), QStringList({"30", "", "", ""}));
}

// During a run the percentage slider, "Set" and "Remove" write every row they reach, whether its
// job has begun or not, and say nothing. A job encodes the audio bitrate its sheet took at the
// run's start, whatever the row says when the job begins.
TEST_F(SettingsDialogTest, DuringARunTheRowsTakeNewSettingsAndTheJobsKeepTheirSheetsAudio) {
    writeTool("ffprobe", QuickProbe);
    // Each pass logs its command line, then reports progress until it is ended.
    writeTool("ffmpeg", "#!/bin/sh\necho \"$*\" >> \"$(dirname \"$0\")/calls.log\"\n"
                        "while :; do printf 'frame= 1 time=00:00:01.00 \\r'; sleep 0.05; done\n");
    CreateDefaultPermittedTypes();
    LoadPermittedTypes();
    for (const char* name : {"a.mp4", "b.mp4"})
        AddVideoToQueue(writeFile(QString("videos/") + name, 40 * 1024 * 1024));
    main().mnu_StartCompression->trigger();
    const QList<Form2*> jobs = main().findChildren<Form2*>();
    ASSERT_EQ(jobs.size(), 2);
    jobs[0]->Timer1->setInterval(10);
    jobs[1]->Timer1->setInterval(60000); // begins when the first job is in its pass 1
    rt::uiScript().msgBoxes.clear();
    const auto inPass1 = [this](int row) {
        return list().cell(row, QueueColumn::CompressionPass) == "Pass 1: Analysing...";
    };
    int step = 0;
    QStringList afterSet, firstRowInFirstJob, secondRowInItsJob;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (step == 0 && inPass1(1)) {
            step = 1;
            main().Slider1(0).setValue(20);
            firstRowInFirstJob = individualCells(1);
            Form3& second = open(2);
            second.Slider1(0).setValue(100);
            second.Slider1(1).setValue(128);
            second.Command1_Click(2);
            afterSet = individualCells(2);
            jobs[1]->Timer1->setInterval(10);
        } else if (step == 1 && inPass1(2)) {
            step = 2;
            open(2).Command1_Click(1);
            main().Slider1(0).setValue(30);
            secondRowInItsJob = individualCells(2);
            CancelRequested = true;
            StopFFmpeg();
        }
    });
    poll.start(20);
    const QDeadlineTimer deadline(20000);
    while ((step < 2 || Form2::nestedJobs() > 0) && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_EQ(step, 2);

    EXPECT_EQ(firstRowInFirstJob, QStringList({"8", "", "", ""}));
    EXPECT_EQ(afterSet, QStringList({"40", "True", "40", "128k"}));
    EXPECT_EQ(secondRowInItsJob, QStringList({"12", "", "", ""}));
    EXPECT_TRUE(rt::uiScript().msgBoxes.empty());
    QFile calls(folder_.path() + "/calls.log");
    ASSERT_TRUE(calls.open(QIODevice::ReadOnly));
    const QStringList passes = QString::fromUtf8(calls.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(passes.size(), 2);
    EXPECT_TRUE(passes[0].contains("a.mp4") && passes[0].contains("-b:a 92k"))
        << passes[0].toStdString();
    EXPECT_TRUE(passes[1].contains("b.mp4") && passes[1].contains("-b:a 92k"))
        << passes[1].toStdString();
}

TEST_F(SettingsDialogTest, HoverFramesTheBoxAndDarkensTheButton) {
    queue("a name far too long to be read whole in its narrow box", "50", "30");
    Form3& dialog = open(1);
    dialog.Text1_MouseMove(1);
    EXPECT_EQ(dialog.Text1(1).toolTip(), dialog.Text1(1).text());
    EXPECT_TRUE(dialog.Shape4->isVisibleTo(&dialog));
    EXPECT_EQ(dialog.Shape4->geometry(), dialog.Text1(1).geometry().adjusted(-1, -1, 1, 1));
    QTest::mouseMove(&dialog.Label3(1));
    EXPECT_EQ(dialog.Label2(1).palette().color(QPalette::Window), rt::toQColor(rt::Black));
    dialog.Form_MouseMove();
    EXPECT_FALSE(dialog.Shape4->isVisibleTo(&dialog));
    EXPECT_EQ(dialog.Label2(1).palette().color(QPalette::Window), rt::toQColor(rt::DarkGrey));
}

// The main window's load leaves the dialog loaded and hidden; every opening after an unload
// hooks the dialog and makes its dark slider brush again, and every unload releases both.
TEST_F(SettingsDialogTest, EachLoadHooksTheDialogAndEachUnloadReleasesItsBrush) {
    ASSERT_TRUE(Form3::isLoaded());
    EXPECT_TRUE(Form3::instance().isHidden());
    EXPECT_FALSE(Form3::instance().Slider1(1).valueTipActive());
    const rt::BrushHandle mainBrush = SliderBrush1;
    Form3::unload();
    const int brushes = rt::brushCount();
    for (int cycle = 0; cycle < 3; ++cycle) {
        Form3& dialog = open(0);
        EXPECT_EQ(rt::brushCount(), brushes + 1);
        EXPECT_EQ(
            rt::sendMessage(&dialog, rt::WM_CTLCOLORSTATIC, 0, rt::handleParam(&dialog.Slider1(0))),
            SettingsSliderBrush1);
        EXPECT_EQ(dialog.Slider1(0).grab().toImage().pixel(1, 1), rt::toQColor(rt::DarkGrey).rgb());
        dialog.Command1_Click(cycle % 2 == 0 ? 0 : 2);
        EXPECT_EQ(SettingsOldWndProc, nullptr);
        EXPECT_EQ(rt::brushCount(), brushes);
    }
    EXPECT_EQ(SliderBrush1, mainBrush);
}

} // namespace
