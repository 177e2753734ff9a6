#include "TestSupport.h"

#include "core/Main.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/Dialogs.h"
#include "runtime/Events.h"

#include <QElapsedTimer>

namespace {

class StartupTest : public ProgramTest {};

TEST_F(StartupTest, EveryStartBeginsFromTheBuiltInSettings) {
    X265Preset = "veryslow";
    AudioBitrateKbps = 160;
    OutputLocation = "/somewhere";
    ShowThreadWindows = true;
    CancelRequested = true;
    Main();
    EXPECT_EQ(X265Preset, "ultrafast");
    EXPECT_EQ(AudioCodec, "aac");
    EXPECT_EQ(AudioBitrateKbps, 92);
    EXPECT_EQ(OutputLocation, "Video Source Directory");
    EXPECT_FALSE(ShowThreadWindows);
    EXPECT_FALSE(CancelRequested);
    EXPECT_TRUE(Form1::instance().isVisible());
}

// The missing-tools message of the load lets events run while it is open; the title strip must
// stay beside the donation banner meanwhile.
TEST_F(StartupTest, TheBannerStaysWholeWhileTheMissingToolsMessageIsOpen) {
    bool slideTimerOn = true;
    rt::uiScript().whileBoxShown = [&] {
        slideTimerOn = Form1::instance().Timer5->enabled();
        QElapsedTimer open;
        open.start();
        while (open.elapsed() < 50)
            rt::doEvents();
    };
    Main();
    ASSERT_FALSE(rt::uiScript().msgBoxes.empty());
    EXPECT_FALSE(slideTimerOn);
    const Form1& window = Form1::instance();
    EXPECT_EQ(rt::pixelsToTwips(window.Picture12->x()), 9120);
    EXPECT_TRUE(window.Picture5->isVisibleTo(window.Toolbar1));
}

TEST_F(StartupTest, QueueHasThirteenColumnsThreeHidden) {
    Main();
    const rt::ListView& list = *Form1::instance().ListView1;
    const std::vector<std::pair<QString, int>> expected = {{"Index", 50},
                                                           {"Video Path", 180},
                                                           {"Video Name", 130},
                                                           {"Video Type", 90},
                                                           {"Pre Compressed Size [Mb]", 140},
                                                           {"Target Compressed Size [Mb]", 160},
                                                           {"Compression Pass (1 - 2)", 140},
                                                           {"Process Status", 160},
                                                           {"Actual Compressed Size [Mb]", 160},
                                                           {"Compressed Video Output", 860},
                                                           {"Individual Settings", 0},
                                                           {"Target Size Mb", 0},
                                                           {"Audio Bitdepth Kb/s", 0}};
    ASSERT_EQ(list.columnCount(), 13);
    for (int column = 0; column < 13; ++column) {
        EXPECT_EQ(list.columnHeader(column), expected[column].first);
        EXPECT_EQ(list.columnWidthPixels(column), expected[column].second) << column;
    }
    EXPECT_EQ(list.rowCount(), 0);
}

TEST_F(StartupTest, StatusBarShowsTheSevenStartTexts) {
    Main();
    const rt::StatusBar& bar = *Form1::instance().StatusBar1;
    const QStringList expected = {"Video Count: 00",
                                  "Total UnCompressed Size: 0,000 Mb",
                                  "Total Compressed Size: 0,000 Mb",
                                  "Compression Percent: 60%",
                                  "AAC Audio Bitrate: 92Kb/s",
                                  "Preset: ultrafast",
                                  "Custom Save Location: Same as Source"};
    ASSERT_EQ(bar.panelCount(), 7);
    for (int n = 1; n <= 7; ++n)
        EXPECT_EQ(bar.panelText(n), expected[n - 1]);
}

TEST_F(StartupTest, ImageButtonBarStandsAtTheTopLeftInFront) {
    Main();
    Form1& form = Form1::instance();
    EXPECT_EQ(form.Picture15->geometry(), QRect(0, 0, 225, 37));
    EXPECT_EQ(form.Client->childAt(100, 1), form.Picture15); // in front of whatever lies below
    for (int i = 0; i <= 4; ++i)
        EXPECT_EQ(form.Picture16(i).y(), 2);
    EXPECT_EQ(form.Line9->x1(), form.Picture16(2).x() - 4);
    EXPECT_EQ(form.Line10->x1(), form.Picture16(2).x() + form.Picture16(2).width() + 3);
    EXPECT_EQ(form.Line9->y1(), 4);
    EXPECT_EQ(form.Line9->y2(), 35);
    EXPECT_FALSE(form.Shape13->isVisible());
    EXPECT_FALSE(form.Timer6->enabled());
}

TEST_F(StartupTest, MainWindowHasItsStatusLabelsButNoLabel9) {
    Main();
    Form1& form = Form1::instance();
    EXPECT_EQ(form.Label1(5).caption(), "Permitted Types 00");
    EXPECT_EQ(form.Label1(7).caption(), "00.00%");
    EXPECT_FALSE(form.Label1.contains(9));
    EXPECT_DOUBLE_EQ(form.PBar1(2).max(), 100);
    EXPECT_DOUBLE_EQ(form.PBar1(2).value(), 0);
}

} // namespace
