#include "mainwindow/Form1.h"

#include "core/Queue.h"
#include "core/Settings.h"
#include "runtime/Format.h"

namespace {

// Typical bitrates, each caption led by the bitrate that the highlight compares.
constexpr const char* LegendCaptions[] = {
    "6.5k   - Voice Audio",     "16k    - Am Radio",
    "28.8k - FM Radio Stereo",  "56k    - Dial-up High Quality Stereo",
    "64k    - Near CD Quality", "96k    - CD Quality",
    "128k  - CD Transparency",  "160k  - CD Transparency",
};

constexpr rt::Colour DraggingNear = rt::rgb(191, 205, 219);
constexpr rt::Colour DraggingFar = rt::Orange;
constexpr rt::Colour CommittedNear = rt::Red;
constexpr rt::Colour CommittedFar = rt::Black;

// An entry is near when its bitrate lies less than 5 kbit/s from the slider's.
bool nearBitrate(const QString& caption, int kbps) {
    const double entry = rt::leadingNumber(caption);
    return entry - 5 < kbps && entry + 5 > kbps;
}

void setItalic(QWidget* control, bool italic) {
    QFont font = control->font();
    font.setItalic(italic);
    control->setFont(font);
}

} // namespace

// The legend, in twips of the design: hidden until the audio slider is held.
void Form1::createBitrateLegend() {
    Picture3 = new rt::PictureBox(Client);
    Picture3->setBackColour(rt::Black);
    rt::place(Picture3, 0, 0, rt::twipsToPixels(2775), rt::twipsToPixels(2175));
    Picture3->hide();
    for (int i = 0; i < 8; ++i) {
        auto* entry = new rt::Label(Picture3, QString::fromLatin1(LegendCaptions[i]));
        rt::place(entry, rt::twipsToPixels(120), rt::twipsToPixels(120 + 240 * i),
                  rt::twipsToPixels(2535), rt::twipsToPixels(255));
        entry->setForeColour(rt::Orange);
        entry->setBackColour(rt::Black);
        Label19.add(i, entry);
    }
}

void Form1::connectSliders() {
    Slider1.forEach([this](int index, rt::Slider& slider) {
        connect(&slider, &rt::Slider::scrolled, this, [this, index] { Slider1_Scroll(index); });
        connect(&slider, &rt::Slider::changed, this, [this, index] { Slider1_Change(index); });
        connect(&slider, &rt::Slider::mouseDown, this, [this, index] { Slider1_MouseDown(index); });
        connect(&slider, &rt::Slider::mouseUp, this, [this, index] { Slider1_MouseUp(index); });
    });
}

void Form1::Slider1_Scroll(int Index) {
    if (Index == 0)
        FollowTargetPercent();
    else if (Index == 1)
        FollowAudioBitrate(LegendLook::Dragging);
}

// Only a committed change sets the bitrate of the run: a drag shows the value without it.
void Form1::Slider1_Change(int Index) {
    if (Index == 0) {
        FollowTargetPercent();
    } else if (Index == 1) {
        AudioBitrateKbps = Slider1(1).value();
        FollowAudioBitrate(LegendLook::Committed);
    }
}

// The legend's left edge comes under the middle of the audio slider, 10 pixels below it.
void Form1::Slider1_MouseDown(int Index) {
    if (Index != 1)
        return;
    const rt::Slider& audio = Slider1(1);
    const float left = float(audio.x()) + float(audio.width()) / 2;
    const float top = float(audio.y() + audio.height() + 10);
    Picture3->move(int(left), int(top));
    Picture3->raise();
    Picture3->show();
}

void Form1::Slider1_MouseUp(int) {
    Picture3->hide();
}

void Form1::FollowTargetPercent() {
    UpdatePercentSliderTrack(sliderDecorations());
    const int percent = Slider1(0).value();
    Label1(0).setCaption("Compress to " + rt::formatNumber(percent, "00") +
                         "% of Original Video Size");
    RetargetQueue(percent);
    // The panel names the reduction, not the target.
    StatusBar1->setPanelText(4, "Compression Percentage " + rt::formatNumber(100 - percent, "00") +
                                    "%");
}

// Rows with individual settings keep their own target. A running job keeps the target it read
// when its probe gave the duration.
void Form1::RetargetQueue(int percent) {
    rt::ListView& list = *ListView1;
    for (int row = 1; row <= list.rowCount(); ++row) {
        if (!list.cell(row, QueueColumn::IndividualSettings).isEmpty())
            continue;
        // A source size that is not a number gives no target: the row keeps the one it has.
        const auto size = rt::toNumber(list.cell(row, QueueColumn::PreCompressedSize));
        if (size)
            list.setCell(row, QueueColumn::TargetSize, rt::round3Text(*size / 100 * percent));
    }
}

// While dragging, near entries turn light and italic; a committed change marks them red and
// blanks the others (black on black), leaving the italics as the last drag set them.
void Form1::FollowAudioBitrate(LegendLook look) {
    UpdateAudioSliderTrack(sliderDecorations());
    const int kbps = Slider1(1).value();
    const QString shown = QString::number(kbps) + "Kb/s";
    Label1(1).setCaption("AAC Audio Bitrate " + shown);
    Label19.forEach([&](int, rt::Label& entry) {
        const bool near = nearBitrate(entry.caption(), kbps);
        if (look == LegendLook::Dragging) {
            entry.setForeColour(near ? DraggingNear : DraggingFar);
            setItalic(&entry, near);
        } else {
            entry.setForeColour(near ? CommittedNear : CommittedFar);
        }
    });
    StatusBar1->setPanelText(5, "AAC Audio Bitrate: " + shown);
}
