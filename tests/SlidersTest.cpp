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

    // One letter per legend entry for its colour (orange, light, red, black), capital when
    // italic.
    QString legend() {
        QString look;
        for (int i = 0; i < 8; ++i) {
            const rt::Label& entry = form().Label19(i);
            const QColor colour = entry.palette().color(QPalette::WindowText);
            const QChar letter = colour == rt::toQColor(rt::Orange)               ? 'o'
                                 : colour == rt::toQColor(rt::rgb(191, 205, 219)) ? 'l'
                                 : colour == rt::toQColor(rt::Red)                ? 'r'
                                 : colour == rt::toQColor(rt::Black)              ? 'k'
                                                                                  : '?';
            look += entry.font().italic() ? letter.toUpper() : letter;
        }
        return look;
    }
};

TEST(SliderSignals, DragScrollsAndCommitsAtReleaseOtherChangesCommitAtOnce) {
    rt::Slider slider;
    slider.setRange(10, 100);
    QSignalSpy scrolled(&slider, &rt::Slider::scrolled);
    QSignalSpy changed(&slider, &rt::Slider::changed);
    slider.setSliderDown(true);
    slider.setSliderPosition(70);
    slider.setSliderPosition(80);
    EXPECT_EQ(slider.value(), 80);
    EXPECT_EQ(changed.count(), 0);
    slider.setSliderDown(false);
    QTest::keyClick(&slider, Qt::Key_Right);
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

    drag(percent, {10}, true);
    EXPECT_EQ(form().Label1(0).caption(), "Compress to 10% of Original Video Size");
    EXPECT_EQ(form().StatusBar1->panelText(4), "Compression Percentage 90%");
    percent.setValue(100);
    EXPECT_EQ(form().Label1(0).caption(), "Compress to 100% of Original Video Size");
    EXPECT_EQ(form().StatusBar1->panelText(4), "Compression Percentage 00%");
}

TEST_F(SlidersTest, AudioDragShowsTheValueAndTheCommitStoresItAndMarksTheLegend) {
    rt::Slider& audio = form().Slider1(1);
    drag(audio, {60}, false);
    EXPECT_EQ(legend(), "oooLLooo");
    drag(audio, {91}, false);
    EXPECT_EQ(form().Label1(1).caption(), "AAC Audio Bitrate 91Kb/s");
    EXPECT_EQ(form().StatusBar1->panelText(5), "AAC Audio Bitrate: 91Kb/s");
    EXPECT_EQ(AudioBitrateKbps, 92);
    EXPECT_EQ(legend(), "oooooooo");
    drag(audio, {5}, true);
    EXPECT_EQ(AudioBitrateKbps, 5);
    EXPECT_EQ(legend(), "Rkkkkkkk");

    audio.setValue(92);
    EXPECT_EQ(AudioBitrateKbps, 92);
    EXPECT_EQ(legend(), "Kkkkkrkk");
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
}

} // namespace
