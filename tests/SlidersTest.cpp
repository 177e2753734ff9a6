#include "TestSupport.h"

#include "core/Main.h"
#include "core/Queue.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"

#include <QSignalSpy>
#include <QTest>

namespace {

class SlidersTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Main();
    }
    Form1& form() { return Form1::instance(); }

    // The thumb held and moved through the positions; released only when asked.
    static void drag(rt::Slider& slider, std::initializer_list<int> positions, bool release) {
        slider.setSliderDown(true);
        for (int position : positions)
            slider.setSliderPosition(position);
        if (release)
            slider.setSliderDown(false);
    }

    void queue(const QString& size, const QString& target, const QString& individual = {}) {
        rt::ListView& list = *form().ListView1;
        const int row = list.addRow(QString::number(list.rowCount() + 1));
        list.setCell(row, QueueColumn::PreCompressedSize, size);
        list.setCell(row, QueueColumn::TargetSize, target);
        list.setCell(row, QueueColumn::IndividualSettings, individual);
    }

    // Per legend entry: 'x' where it shows the colour, '-' where not.
    QString coloured(rt::Colour shown) {
        QString marks;
        for (int i = 0; i < 8; ++i) {
            const QColor colour = form().Label19(i).palette().color(QPalette::WindowText);
            marks += colour == rt::toQColor(shown) ? 'x' : '-';
        }
        return marks;
    }
    QString italics() {
        QString marks;
        for (int i = 0; i < 8; ++i)
            marks += form().Label19(i).font().italic() ? 'i' : '-';
        return marks;
    }
};

TEST(SliderSignals, DragScrollsThenCommitsOnceAtReleaseWhileOtherChangesCommitAtOnce) {
    rt::Slider slider;
    slider.setRange(10, 100);
    slider.setValue(60);
    QSignalSpy scrolled(&slider, &rt::Slider::scrolled);
    QSignalSpy changed(&slider, &rt::Slider::changed);

    slider.setSliderDown(true);
    slider.setSliderPosition(70);
    slider.setSliderPosition(80);
    EXPECT_EQ(slider.value(), 80);
    EXPECT_EQ(scrolled.count(), 2);
    EXPECT_EQ(changed.count(), 0);
    slider.setSliderDown(false);
    EXPECT_EQ(changed.count(), 1);

    slider.setSliderDown(true); // held and let go without a move: nothing to commit
    slider.setSliderDown(false);
    QTest::keyClick(&slider, Qt::Key_Right);
    EXPECT_EQ(slider.value(), 81);
    EXPECT_EQ(scrolled.count(), 3);
    EXPECT_EQ(changed.count(), 2);
    QTest::keyClick(&slider, Qt::Key_End);
    QTest::keyClick(&slider, Qt::Key_End); // already at the end: no change
    slider.setValue(50);                   // the program's change is no scroll
    EXPECT_EQ(scrolled.count(), 4);
    EXPECT_EQ(changed.count(), 4);
}

TEST_F(SlidersTest, PercentRetargetsRowsWithoutIndividualSettingsAndShowsTheReduction) {
    queue("123.456", "1");
    queue("10", "2");
    queue("50", "44.5", "True");
    queue("", "3");
    queue("12 Mb", "4");
    rt::Slider& percent = form().Slider1(0);
    drag(percent, {75}, false);
    const rt::ListView& list = *form().ListView1;
    EXPECT_EQ(list.cell(1, QueueColumn::TargetSize), "92.592");
    EXPECT_EQ(list.cell(2, QueueColumn::TargetSize), "7.5");
    EXPECT_EQ(list.cell(3, QueueColumn::TargetSize), "44.5");
    EXPECT_EQ(list.cell(4, QueueColumn::TargetSize), "3");
    EXPECT_EQ(list.cell(5, QueueColumn::TargetSize), "4");

    drag(percent, {60}, true);
    EXPECT_EQ(list.cell(1, QueueColumn::TargetSize), "74.074");
    EXPECT_EQ(form().StatusBar1->panelText(4), "Compression Percentage 40%");

    drag(percent, {10}, false);
    EXPECT_EQ(form().Label1(0).caption(), "Compress to 10% of Original Video Size");
    EXPECT_EQ(form().StatusBar1->panelText(4), "Compression Percentage 90%");
    percent.setSliderDown(false);
    percent.setValue(95);
    EXPECT_EQ(form().StatusBar1->panelText(4), "Compression Percentage 05%");
    percent.setValue(100);
    EXPECT_EQ(form().Label1(0).caption(), "Compress to 100% of Original Video Size");
    EXPECT_EQ(form().StatusBar1->panelText(4), "Compression Percentage 00%");
    EXPECT_EQ(list.cell(3, QueueColumn::TargetSize), "44.5");
}

TEST_F(SlidersTest, AudioDragShowsTheValueAndTheCommitStoresItAndMarksTheLegend) {
    rt::Slider& audio = form().Slider1(1);
    drag(audio, {91}, false);
    EXPECT_EQ(form().Label1(1).caption(), "AAC Audio Bitrate 91Kb/s");
    EXPECT_EQ(form().StatusBar1->panelText(5), "AAC Audio Bitrate: 91Kb/s");
    EXPECT_EQ(AudioBitrateKbps, 92);
    EXPECT_EQ(coloured(rt::Orange), "xxxxxxxx");

    drag(audio, {60}, false);
    EXPECT_EQ(coloured(rt::rgb(191, 205, 219)), "---xx---");
    EXPECT_EQ(italics(), "---ii---");
    drag(audio, {92}, false);
    EXPECT_EQ(coloured(rt::rgb(191, 205, 219)), "-----x--");
    drag(audio, {5}, true);
    EXPECT_EQ(AudioBitrateKbps, 5);
    EXPECT_EQ(coloured(rt::Red), "x-------");
    EXPECT_EQ(coloured(rt::Black), "-xxxxxxx");
    EXPECT_EQ(italics(), "i-------");

    audio.setValue(92);
    EXPECT_EQ(AudioBitrateKbps, 92);
    EXPECT_EQ(coloured(rt::Red), "-----x--");
    EXPECT_EQ(italics(), "i-------");
    EXPECT_EQ(form().StatusBar1->panelText(5), "AAC Audio Bitrate: 92Kb/s");
}

TEST_F(SlidersTest, LegendShowsOnlyWhileTheAudioSliderIsHeld) {
    Form1& window = form();
    QTest::mousePress(&window.Slider1(0), Qt::RightButton);
    EXPECT_TRUE(window.Picture3->isHidden());
    QTest::mouseRelease(&window.Slider1(0), Qt::RightButton);

    QTest::mousePress(&window.Slider1(1), Qt::RightButton);
    EXPECT_FALSE(window.Picture3->isHidden());
    EXPECT_EQ(window.Picture3->geometry(), QRect(428, 127, 185, 145));
    QTest::mouseRelease(&window.Slider1(0), Qt::MiddleButton);
    EXPECT_TRUE(window.Picture3->isHidden());

    QTest::mousePress(&window.Slider1(1), Qt::RightButton);
    QTest::mouseRelease(&window.Slider1(1), Qt::RightButton);
    EXPECT_TRUE(window.Picture3->isHidden());
}

} // namespace
