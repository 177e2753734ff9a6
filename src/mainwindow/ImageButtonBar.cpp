#include "mainwindow/Form1.h"
#include "mainwindow/ImageButton.h"

#include "core/AddVideos.h"
#include "core/FFmpegTools.h"
#include "core/RemoveVideos.h"
#include "core/Settings.h"
#include "dialogs/Form4.h"

#include <QPainter>

namespace {

constexpr const char* ImageButtonTips[] = {
    " Add Videos to the compression list ",
    " Remove Videos from the compression list ",
    " Start compressing the videos ",
    " Create a new folder for the compressed videos ",
    " Stop compressing all videos and exit all compressing processes ",
};

constexpr int StartButton = 2;
constexpr int StopButton = 4;

void setFlatLook(rt::PictureBox& button) {
    button.setAppearance(0);
    button.setBackColour(rt::NearBlack);
}

} // namespace

// A disabled button takes no mouse events, so the mouse resting on it asks for no tooltip.
bool ImageButton::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && !isEnabled())
        return true;
    return rt::PictureBox::event(event);
}

void ImageButton::paintEvent(QPaintEvent* event) {
    rt::PictureBox::paintEvent(event);
    if (!isEnabled()) {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(32, 32, 32, 170));
    }
}

void Form1::Picture16_MouseMove(int Index) {
    ToolButtonHover(Index);
    if (Index >= 0 && Index <= StopButton)
        Picture16(Index).setToolTip(QString::fromLatin1(ImageButtonTips[Index]));
}

void Form1::Picture16_MouseDown(int Index, Qt::MouseButton Button) {
    if (Index == StartButton)
        Shape14->hide();
    if (Button == Qt::LeftButton)
        ToolButtonDown(Index);
}

void Form1::Picture16_MouseUp(int Index) {
    ToolButtonUp(Index);
}

void Form1::ToolButtonHover(int Index) {
    const QRect button = Picture16(Index).geometry();
    rt::place(Shape13, button.left() - 1, button.top() - 1, button.width() + 2,
              button.height() + 2);
    Shape13->show();
}

void Form1::ToolButtonDown(int Index) {
    Shape13->hide();
    rt::PictureBox& button = Picture16(Index);
    button.setAppearance(1);
    button.setBorderStyle(1);
    button.setBackColour(rt::Orange);
}

// The looks are restored before the command runs.
void Form1::ToolButtonUp(int Index) {
    Shape13->show();
    Picture16.forEach([](int, rt::PictureBox& button) { setFlatLook(button); });
    rt::PictureBox& released = Picture16(Index);
    setFlatLook(released);
    released.setBorderStyle(0);
    switch (Index) {
    case 0:
        AddVideosFromDialog();
        break;
    case 1:
        RemoveCheckedVideos();
        break;
    case StartButton:
        if (StartRun())
            lockImageButtonBar();
        break;
    case 3:
        Form4::instance().showModeless();
        break;
    case StopButton:
        CancelRequested = true;
        BarLockHeld = false;
        for (int i = 0; i < StopButton; ++i)
            Picture16(i).setEnabled(true);
        // The toolbar's stop, which ends the run lock, lies under this bar: this stop ends it too,
        // so that the sliders and presets can be set for the next run.
        ReEnableControls();
        StopFFmpeg();
        break;
    default:
        break;
    }
}

// The toolbar's stop lies under this bar: a run started from a menu can be stopped only here.
void Form1::enableBarStop() {
    Picture16(StopButton).setEnabled(true);
}

// The bar's own lock: of the bar only the stop button stays usable; the preset hit areas and
// the sliders are locked too; the preset captions, the toolbar, the options and the menus are
// left as they are.
void Form1::lockImageButtonBar() {
    BarLockHeld = true;
    Picture16(StopButton).setEnabled(true);
    for (int i = 0; i < StopButton; ++i)
        Picture16(i).setEnabled(false);
    Picture16(StopButton).setEnabled(true);
    Label10.forEach([](int, rt::Label& hitArea) { hitArea.setEnabled(false); });
    Slider1(0).setEnabled(false);
    Slider1(1).setEnabled(false);
}
