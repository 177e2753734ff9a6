#pragma once

#include "runtime/ControlArray.h"
#include "runtime/Controls.h"
#include "runtime/ListView.h"
#include "runtime/StatusBar.h"
#include "runtime/Timer.h"

#include <QMainWindow>

// The main window: the queue, the sliders, the permitted-types list, the progress display and
// the status bar. One shared instance, loaded on first use.
class Form1 : public QMainWindow {
    Q_OBJECT
  public:
    // The shared instance; the first call loads the window (its load handler runs then).
    static Form1& instance();
    static bool isLoaded();
    // Destroys the shared instance; the next instance() loads a fresh one.
    static void unload();

    // The client area: every control placed directly on the window lives here, in pixels.
    QWidget* Client;

    rt::ListView* ListView1;
    rt::StatusBar* StatusBar1;
    rt::ControlArray<rt::PictureBox> Picture2; // (0) frames the permitted-types list, (1) clips it
    rt::ListBox* List1;
    rt::ControlArray<rt::Label> Label1; // 0..8 and 10..12; there is no Label1(9)
    rt::Label* Label15;
    rt::ControlArray<rt::ProgressBar> PBar1;
    rt::ControlArray<rt::Slider> Slider1;
    rt::PictureBox* Picture15;
    rt::ControlArray<rt::PictureBox> Picture16;
    rt::Line* Line9;
    rt::Line* Line10;
    rt::Shape* Shape13;
    rt::Timer* Timer6;

  private:
    Form1();
    void createStatusSurfaces();
    void createQueueAndLists();
    void createImageButtonBar();
    void createTimers();
    void Form_Load();
};
