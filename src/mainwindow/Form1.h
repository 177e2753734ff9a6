#pragma once

#include "runtime/ControlArray.h"
#include "runtime/Controls.h"
#include "runtime/ListView.h"
#include "runtime/StatusBar.h"
#include "runtime/Timer.h"
#include "runtime/Toolbar.h"
#include "theme/PresetGroup.h"
#include "theme/SliderRulers.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

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

    rt::Toolbar* Toolbar1; // top edge, full width; controls inside it are placed in twips
    rt::ListView* ListView1;
    rt::StatusBar* StatusBar1;                 // bottom edge, full width
    rt::ControlArray<rt::PictureBox> Picture2; // (0) frames the permitted-types list, (1) clips it
    rt::ListBox* List1;
    rt::PictureBox* Picture14;          // covers the right edge of List1
    rt::ControlArray<rt::Label> Label1; // 0..8 and 10..12; there is no Label1(9)
    rt::Label* Label15;
    rt::ControlArray<rt::ProgressBar> PBar1;
    rt::ControlArray<rt::Slider> Slider1;
    rt::Line* Line1; // under the toolbar
    rt::Line* Line2; // above the queue

    // The bitrate legend and its entries, shown while the audio slider is held.
    rt::PictureBox* Picture3;
    rt::ControlArray<rt::Label> Label19;

    // The accent line under the queue's column header, the sliders' tick rulers and the track
    // strips that frame their thumbs.
    rt::PictureBox* Picture7;
    rt::PictureBox* Picture8;
    rt::PictureBox* Picture9;
    rt::ControlArray<rt::PictureBox> Picture11;
    MainSliderDecorations sliderDecorations();

    // The preset group: its frame and title bar, its panel, and the controls that hold the
    // choice (option buttons below the panel's visible part) and take the clicks (hit areas).
    rt::Shape* Shape7;
    rt::Shape* Shape8;
    rt::PictureBox* Picture13;
    rt::PictureBox* Picture4;
    rt::ControlArray<rt::OptionButton> Option1;
    rt::ControlArray<rt::Label> Label10;
    rt::ControlArray<CircleShape> Shape11; // rings
    rt::ControlArray<CircleShape> Shape12; // dots, orange for the chosen preset
    rt::ControlArray<rt::Label> Label11;   // captions

    // Inside Toolbar1: the title strip and the title-button box.
    rt::PictureBox* Picture12;
    rt::Label* Label7;
    rt::PictureBox* Picture10;
    rt::Shape* Shape10;
    rt::ControlArray<rt::Label> Label6; // "---", "[ ]", "X"
    rt::PictureBox* Picture6;           // hidden, on the client area; the toolbar's bitmap

    // Inside Toolbar1: the donation banner.
    rt::PictureBox* Picture5;
    rt::ControlArray<rt::Label> Label3; // (0) the donation page's link, (1) the plea
    rt::Label* Label5;                  // "X" closes the banner
    rt::Line* Line7;                    // left edge
    rt::Line* Line8;                    // right edge

    // The image-button bar in front of the toolbar's left end.
    rt::PictureBox* Picture15;
    rt::ControlArray<rt::PictureBox> Picture16;
    rt::Line* Line9;
    rt::Line* Line10;
    rt::Shape* Shape13; // hover frame
    rt::Shape* Shape14; // red frame around the stop button

    rt::Timer* Timer1; // one-shot after load
    rt::Timer* Timer2; // colours, totals and count
    rt::Timer* Timer4; // keeps the caption empty
    rt::Timer* Timer5; // banner slide
    rt::Timer* Timer6; // caption while minimised

    // Menus.
    QMenu* mnu_File;
    QAction* mnu_open;
    QAction* mnu_RemSelectedVideo;
    QAction* mnu_ClearAll;
    QAction* mnu_PermittedTypes;
    QAction* mnu_StartCompression;
    QAction* mnu_Exit;
    QMenu* mnu_ContextMenu; // popped up over the queue, not in the menu bar
    QAction* mnu_AddVideoToList;
    QAction* mnu_RemVideo;
    QAction* mnu_ClearAllContextMnu;
    QAction* mnu_Individual;
    QAction* mnu_OpenSourceVideo;
    QAction* mnu_OpenCompressed;
    QAction* mnu_openLocation;
    QAction* mnu_StartCompr;
    QMenu* mnu_ColourTheme; // "Help"
    QAction* mnu_HlpVideos;
    QAction* mnu_TovraneWeb;
    QAction* mnu_ContactDesigner;
    QMenu* mnu_Info; // "Debug"
    QAction* mnu_HideAll;
    QAction* mnu_ShowAll;
    QMenu* mnu_About;
    QAction* mnu_AboutTovrane;
    QAction* mnu_UpdateCheck;
    QMenu* mnu_Donation;
    QAction* mnu_MakeDonation;
    QAction* mnu_PayPalURL;

    // Layout on every size or state change.
    void Form_Resize();
    void ArrangeMainWindow();
    void Timer1_Timer();

    // The compression-percent (0) and audio-bitrate (1) sliders.
    void Slider1_Scroll(int Index);
    void Slider1_Change(int Index);
    void Slider1_MouseDown(int Index);
    void Slider1_MouseUp(int Index);

    // Commands, run lock and the end of a run.
    void Toolbar1_ButtonClick(rt::ToolbarButton* Button);
    void ReEnableControls();
    void Label1_Change(int Index);
    void mnu_Open_Click();
    void mnu_AddVideoToList_Click();
    void mnu_ClearAll_Click();
    void mnu_ClearAllContextMnu_Click();
    void mnu_StartCompression_Click();
    void mnu_StartCompr_Click();
    // Offers the start commands only while no run is under way (and no lock holds them).
    void RefreshStartCommands();

    // Status timers and progress tooltips.
    void Timer2_Timer();
    void Timer4_Timer();
    void Timer6_Timer();
    void Label1_MouseMove(int Index);

    // The x265 preset selector.
    PresetSelectorControls presetSelector();
    void Option1_Click(int Index);
    void Label10_MouseUp(int Index);
    void Label11_MouseUp(int Index);
    void Label10_MouseMove(int Index);
    void Picture13_MouseMove();
    void Option1_MouseMove(int Index);

    // The image-button bar.
    void Picture16_MouseMove(int Index);
    void Picture16_MouseDown(int Index, Qt::MouseButton Button);
    void Picture16_MouseUp(int Index);
    void ToolButtonHover(int Index);
    void ToolButtonDown(int Index);
    void ToolButtonUp(int Index);

    // Window chrome: moving the window from its surfaces, the title buttons, the maximise
    // toggle and the hover looks.
    void Form_MouseMove(Qt::MouseButtons Button);
    void ListView1_MouseMove(Qt::MouseButtons Button);
    void Toolbar1_MouseMove(Qt::MouseButtons Button);
    void Label7_MouseMove(Qt::MouseButtons Button);
    void Picture10_MouseMove();
    void Form_DblClick();
    void Label7_DblClick();
    void Toolbar1_DblClick();
    void Label6_MouseMove(int Index);
    void Label6_MouseUp(int Index);

    // The queue list, its context menu, the permitted-types list and the Debug menu.
    void ListView1_ItemClick();
    void ListView1_MouseUp(Qt::MouseButton Button, int X, int Y);
    void ListView1_OLEDragDrop(const QStringList& Files);
    void List1_MouseMove();
    void List1_DblClick();
    void mnu_RemVideo_Click();
    void mnu_OpenSourceVideo_Click();
    void mnu_OpenCompressed_Click();
    void mnu_openLocation_Click();
    void mnu_PermittedTypes_Click();
    void mnu_HideAll_Click();
    void mnu_ShowAll_Click();
    void mnu_Individual_Click();

    // Shut-down: every way out runs the one sequence, which ends the program.
    void Form_QueryUnload();
    void Form_Unload();
    void Form_Terminate();
    void mnu_Exit_Click();

    // Help, about, the update check and the donation banner.
    void mnu_HlpVideos_Click();
    void mnu_TovraneWeb_Click();
    void mnu_ContactDesigner_Click();
    void mnu_AboutTovrane_Click();
    void mnu_UpdateCheck_Click();
    void mnu_MakeDonation_Click();
    void mnu_PayPalURL_Click();
    void Label3_MouseMove(int Index);
    void Label3_MouseUp(int Index);
    void Label5_MouseMove();
    void Label5_MouseUp();
    void Picture5_MouseMove();
    void Timer5_Timer();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    Form1();
    void createToolbar();
    void createTitleStrip();
    void createStatusSurfaces();
    void createPresetGroup();
    void createPresetShapes();
    void connectPresetGroup();
    void SelectPreset(int Index);
    void createQueueAndLists();
    void createImageButtonBar();
    void createTimers();
    void createMenus();
    void connectHandlers();
    void Form_Load();
    void ColourProgressBars();
    void SetToolbarBackground();
    void createBitrateLegend();
    void createSliderDecorations();
    void connectSliders();
    void FollowTargetPercent();
    void RetargetQueue(int percent);
    enum class LegendLook { Dragging, Committed };
    void FollowAudioBitrate(LegendLook look);
    void placeEdgeControls();
    void lockForRun();
    void lockImageButtonBar();
    void enableBarStop();
    void connectChrome();
    void connectQueue();
    void FlattenTitleButtons();
    void DragWhenLeftHeld(Qt::MouseButtons Button);
    void ToggleMaximised();
    void HideAndToggleMaximised();
    void ShutDown();
    void createBanner();
    void connectHelp();
    void ResetBannerLink(bool toGrey);
    void ResetBannerClose();
    // Starts a run unless one is under way; whether it started one.
    bool StartRun();

    bool BannerSlideArmed = false; // the donation banner may slide
    bool BannerShown = false;      // the direction of the banner's slide
    bool ShutDownStarted = false;
    bool RunLockHeld = false; // the toolbar's run lock, until ReEnableControls
    bool BarLockHeld = false; // the image-button bar's lock, until its stop
};
