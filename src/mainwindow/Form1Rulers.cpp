#include "mainwindow/Form1.h"

namespace {

constexpr int StripDesignWidth = 105;
constexpr int StripDesignHeight = 5;

} // namespace

// Placed and drawn at load; the design gives only their colours and the strips' first width.
void Form1::createSliderDecorations() {
    Picture7 = new rt::PictureBox(Client);
    Picture7->setBackColour(rt::Orange);
    Picture8 = new rt::PictureBox(Client);
    Picture8->setBackColour(rt::DarkGrey);
    Picture9 = new rt::PictureBox(Client);
    Picture9->setBackColour(rt::DarkGrey);
    for (int i = 0; i < 4; ++i) {
        auto* strip = new rt::PictureBox(Client);
        strip->setBackColour(rt::DarkGrey);
        rt::place(strip, 0, 0, StripDesignWidth, StripDesignHeight);
        Picture11.add(i, strip);
    }
}

MainSliderDecorations Form1::sliderDecorations() {
    return {*ListView1, Slider1, *Picture7, *Picture8, *Picture9, Picture11};
}
