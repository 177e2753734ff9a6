#pragma once

#include "runtime/ControlArray.h"
#include "runtime/Controls.h"

// The main window's slider decorations: the accent line under the queue's column header, a tick
// ruler over each slider, and the track strips left and right of each slider's thumb.
struct MainSliderDecorations {
    QWidget& ListView1;
    rt::ControlArray<rt::Slider>& Slider1;       // (0) percent, (1) audio bitrate
    rt::PictureBox& Picture7;                    // accent line
    rt::PictureBox& Picture8;                    // ruler over Slider1(0)
    rt::PictureBox& Picture9;                    // ruler over Slider1(1)
    rt::ControlArray<rt::PictureBox>& Picture11; // strips: (0, 1) Slider1(0), (2, 3) Slider1(1)
};

// Places the accent line and the two rulers; called at load and on every resize.
void LayoutSliderRulers(const MainSliderDecorations& window);
// Draws the ticks of both rulers, once, at load.
void CreateMainSliderIncrements(const MainSliderDecorations& window);
// The strips' first places, sizes and middle lines, at load.
void LayoutSliderTracks(const MainSliderDecorations& window);
// Move and size the strips to the value of the percent or the audio slider.
void UpdatePercentSliderTrack(const MainSliderDecorations& window);
void UpdateAudioSliderTrack(const MainSliderDecorations& window);

// The settings dialog's sliders and the rulers drawn over them.
struct SettingsSliderRulers {
    rt::ControlArray<rt::Slider>& Slider1;
    rt::PictureBox& Picture2; // ruler over Slider1(0)
    rt::PictureBox& Picture3; // ruler over Slider1(1)
};

// Places each ruler over the top of its slider and draws its ticks; at every load of the dialog.
void CreateSliderIncrements(const SettingsSliderRulers& dialog);

// A tick every 5 pixels, a longer one every 25, along the bottom of the ruler, in the rulers'
// orange; ticks 0 to count of each are drawn.
void DrawRulerTicks(rt::PictureBox& ruler, int count);
// An orange line across the middle of a track strip at its present size.
void DrawTrackMiddleLine(rt::PictureBox& strip);
