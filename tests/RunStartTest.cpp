#include "JobTestSupport.h"

#include "runtime/Window.h"

#include <QStyleOptionButton>

namespace {

class RunStartTest : public JobTest {
  protected:
    // Starts a run of one video whose job window shows.
    Form2& showOneWindow() {
        addRow("/videos/a.mp4", "1");
        StartCompression();
        Form2& window = *jobs().front();
        ShowThreadWindows = true;
        window.Timer2_Timer();
        return window;
    }
};

// The width a control gives its text.
int textRoom(QWidget* control) {
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width();
    }
    return control->contentsRect().width();
}

QString textOf(QWidget* control) {
    if (auto* box = qobject_cast<QCheckBox*>(control))
        return box->text();
    return static_cast<rt::Label*>(control)->caption();
}

TEST_F(RunStartTest, EmptyQueueOnlyClearsTheStopAndTheOverallLabel) {
    CancelRequested = true;
    Form1::instance().PBar1(2).setMax(4);
    Form1::instance().PBar1(2).setValue(3);
    StartCompression();
    EXPECT_FALSE(CancelRequested);
    EXPECT_EQ(Form1::instance().Label1(7).caption(), "00.00%");
    EXPECT_TRUE(jobs().isEmpty());
    EXPECT_EQ(Form1::instance().PBar1(2).max(), 4);
    EXPECT_EQ(Form1::instance().PBar1(2).value(), 3);
}

TEST_F(RunStartTest, EachRowGetsAHiddenWindowWithItsSheet) {
    addRow("/videos/clip.avi", "12.5");
    addRow("/videos/holiday.mp4", "45.5");
    addRow("noslash", "3");
    queue().setCell(2, QueueColumn::IndividualSettings, "True");
    queue().setCell(2, QueueColumn::IndividualAudioBitrate, "128k");
    X265Preset = "veryfast";
    StartCompression();

    const QList<Form2*> windows = jobs();
    ASSERT_EQ(windows.size(), 3);
    EXPECT_EQ(Form1::instance().PBar1(2).max(), 6);
    EXPECT_EQ(Form1::instance().PBar1(2).value(), 0);
    Form2& first = *windows[0];
    EXPECT_EQ(first.Label2(0).caption(), "01");
    EXPECT_EQ(windows[1]->Label2(0).caption(), "02");
    EXPECT_EQ(windows[2]->Label2(0).caption(), "03");
    EXPECT_EQ(first.Label7->caption(), "Thread index: 01");
    EXPECT_EQ(first.Label2(1).caption(), "/videos/clip.avi");
    EXPECT_EQ(first.Label2(2).caption(), "avi");
    EXPECT_EQ(first.Label2(3).caption(), "mp4");
    EXPECT_EQ(first.Label2(4).caption(), "\"/videos/Compressed_01_clip.mp4\"");
    EXPECT_EQ(first.Label2(5).caption(), "12.5");
    EXPECT_EQ(first.Label2(6).caption(), "/videos/");
    EXPECT_EQ(first.Label2(11).caption(), "/videos/clip");
    EXPECT_EQ(first.Label2(10).caption(), "92k");
    EXPECT_EQ(windows[1]->Label2(10).caption(), "128k");
    EXPECT_EQ(first.Label2(12).caption(), "veryfast");
    for (int unwritten : {7, 8, 9, 13})
        EXPECT_EQ(first.Label2(unwritten).caption(), "<%Data%>");
    // No "." and no "/" in the source path.
    EXPECT_EQ(windows[2]->Label2(2).caption(), "noslash");
    EXPECT_EQ(windows[2]->Label2(6).caption(), "");
    for (Form2* window : windows) {
        EXPECT_TRUE(window->isHidden());
        EXPECT_EQ(window->Stage, "scan_video");
        EXPECT_TRUE(window->Timer1->enabled());
        EXPECT_TRUE(window->Timer2->enabled());
    }
}

TEST_F(RunStartTest, SheetCaptionsOfDurationAndBitrateStandCrossed) {
    addRow("/videos/clip.avi", "12.5");
    StartCompression();
    Form2& window = *jobs().front();
    EXPECT_EQ(window.Label1(9).caption(), "duration in seconds");
    EXPECT_EQ(window.Label1(9).y(), window.Label2(8).y());
    EXPECT_EQ(window.Label1(8).caption(), "video bitrate kb/s");
    EXPECT_EQ(window.Label1(8).y(), window.Label2(9).y());
    EXPECT_EQ(window.Label1(11).y(), window.Label2(11).y());
    EXPECT_LT(window.Label2(2).y(), window.Label2(11).y());
    EXPECT_LT(window.Label2(11).y(), window.Label2(3).y());
}

TEST_F(RunStartTest, OutputNamesForTheThreeKindsOfOutputLocation) {
    addRow("/videos/party.mp4", "1");
    addRow("/videos/Holiday.mp4", "1");
    const QString besideSource = cell(2, QueueColumn::OutputPath);

    StartCompression();
    EXPECT_EQ(jobs()[1]->Label2(14).caption(), "Video Source Directory/Compressed_02_holiday.mp4");
    EXPECT_EQ(cell(2, QueueColumn::OutputPath), besideSource);

    OutputLocation = "/out";
    StartCompression();
    EXPECT_EQ(jobs()[3]->Label2(14).caption(), "/out/Compressed_02_holiday.mp4");
    EXPECT_EQ(cell(2, QueueColumn::OutputPath), "/out/Compressed_02_holiday.mp4");
    EXPECT_EQ(jobs()[3]->Label2(4).caption(), '"' + besideSource + '"');

    OutputLocation = "";
    StartCompression();
    EXPECT_EQ(jobs()[4]->Label2(14).caption(), "/Compressed_01_party.mp4");
    EXPECT_EQ(cell(1, QueueColumn::OutputPath), "/Compressed_01_party.mp4");
    EXPECT_EQ(Form1::instance().PBar1(2).max(), 4);
}

TEST_F(RunStartTest, ShownWindowsFollowTheSettingAndFinishedOnesStayHidden) {
    for (const char* video : {"/videos/a.mp4", "/videos/b.mp4", "/videos/c.mp4"})
        addRow(video, "1");
    StartCompression();
    const QList<Form2*> windows = jobs();
    windows[2]->Finished = true;
    ShowThreadWindows = true;
    ASSERT_TRUE(runUntil([&] { return windows[0]->isVisible() && windows[1]->isVisible(); }, 1500));
    EXPECT_FALSE(windows[2]->isVisible());
    // Every window shown stands at the same place.
    for (Form2* window : {windows[0], windows[1]}) {
        EXPECT_EQ(rt::windowLeft(window), 195); // 200 twips, in whole pixels
        EXPECT_EQ(rt::windowTop(window), 195);
        EXPECT_EQ(rt::windowWidth(window), 9780);
        EXPECT_EQ(rt::windowHeight(window), 9030);
        EXPECT_EQ(window->windowTitle(), "Compression Thread Index");
    }
    ShowThreadWindows = false;
    EXPECT_TRUE(runUntil([&] { return windows[0]->isHidden() && windows[1]->isHidden(); }, 1500));
}

// The captions of the boxes, of the debug log and of the progress, each in full and clear of the
// others in the fonts the tests pin.
TEST_F(RunStartTest, ShownWindowsCaptionsFitTheirText) {
    Form2& window = showOneWindow();
    window.Label5(4).setCaption("99,999"); // a log of about a hundred megabytes
    const std::vector<QWidget*> captions = {&window.Label5(0), &window.Label5(1), &window.Label5(2),
                                            window.Check1,     &window.Label5(3), &window.Label5(4),
                                            &window.Label5(5), window.Label4};
    for (size_t i = 0; i < captions.size(); ++i) {
        QWidget* control = captions[i];
        EXPECT_LE(control->fontMetrics().horizontalAdvance(textOf(control)), textRoom(control))
            << textOf(control).toStdString();
        EXPECT_LE(control->geometry().right(), window.Text1(2).geometry().right());
        for (size_t other = i + 1; other < captions.size(); ++other) {
            EXPECT_FALSE(control->geometry().intersects(captions[other]->geometry()))
                << textOf(control).toStdString() << " / " << textOf(captions[other]).toStdString();
        }
    }
    ShowThreadWindows = false;
}

TEST_F(RunStartTest, WindowsBuildTheirControlsOnlyWhenShownAndKeepWhatWasWrittenBefore) {
    addRow("/videos/a.mp4", "1");
    addRow("/videos/b.mp4", "1");
    StartCompression();
    const QList<Form2*> windows = jobs();
    for (Form2* window : windows) {
        EXPECT_TRUE(window->findChildren<rt::Label*>().isEmpty());
        window->setSheetValue(13, "00:01:08");
    }
    windows[1]->Finished = true; // never shown: it stays without controls
    ShowThreadWindows = true;
    ASSERT_TRUE(runUntil([&] { return windows[0]->isVisible(); }, 1500));
    Form2& shown = *windows[0];
    EXPECT_FALSE(shown.findChildren<rt::Label*>().isEmpty());
    EXPECT_EQ(shown.Label2(1).caption(), "/videos/a.mp4");
    EXPECT_EQ(shown.Label2(13).caption(), "00:01:08");
    EXPECT_EQ(shown.Label7->caption(), "Thread index: 01");
    EXPECT_TRUE(windows[1]->findChildren<rt::Label*>().isEmpty());
    EXPECT_EQ(windows[1]->sheetValue(13), "00:01:08");
}

TEST_F(RunStartTest, ShowingAWindowLaysOutItsFrameWithoutWaitingForActivation) {
    Form2& window = showOneWindow();
    ASSERT_TRUE(window.isVisible());
    const QRect frame = window.Shape2->geometry();
    const double top = rt::pixelsToTwips(window.Picture2->height()) + 10;
    EXPECT_EQ(frame.x(), rt::twipsToPixels(5));
    EXPECT_EQ(frame.y(), rt::twipsToPixels(top));
    EXPECT_EQ(frame.width(), rt::twipsToPixels(rt::pixelsToTwips(window.width()) - 10));
    EXPECT_EQ(frame.height(), rt::twipsToPixels(rt::pixelsToTwips(window.height()) - top - 10));
}

// A finished row run again and stopped before its new job begins still reads as it did.
TEST_F(RunStartTest, StopUnloadsWindowsWhoseJobHasNotBegunAndLeavesTheirRows) {
    addRow("/videos/a.mp4", "1");
    queue().setCell(1, QueueColumn::CompressionPass, "Compression Complete");
    queue().setCell(1, QueueColumn::ProcessStatus, "100%");
    queue().setChecked(1, true);
    StartCompression();
    QPointer<Form2> window = jobs().front();
    CancelRequested = true;
    EXPECT_TRUE(runUntil([&] { return window.isNull(); }, 1500));
    EXPECT_EQ(cell(1, QueueColumn::CompressionPass), "Compression Complete");
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), "100%");
    EXPECT_TRUE(queue().checked(1));
}

TEST_F(RunStartTest, JobWhoseStartFallsDueAfterAStopNeverBegins) {
    addRow("/videos/missing.mp4", "1");
    StartCompression();
    CancelRequested = true;
    // Its start falls due before its stop timer would unload it.
    jobs().front()->Timer1->setInterval(10);
    ASSERT_TRUE(runUntil(runEnded, 3000));
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), "Video Queued"); // never begun
}

TEST_F(RunStartTest, StartAfterAStopRunsItsJobs) {
    addRow("/videos/missing.mp4", "1");
    CancelRequested = true;
    startQuickRun();
    ASSERT_TRUE(runUntil(runEnded, 3000));
    // The job ran: it found no source.
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), "Source video not found");
}

} // namespace
