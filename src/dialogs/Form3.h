#pragma once

#include "runtime/ControlArray.h"
#include "runtime/Controls.h"
#include "runtime/Timer.h"

#include <QPersistentModelIndex>
#include <QWidget>

// The per-video settings dialog: gives one queued video its own target size and audio bitrate.
// Modeless and owned by the main window. One shared instance, loaded on first use; its "Set"
// and "Exit" unload it, so every later opening loads it afresh.
class Form3 : public QWidget {
    Q_OBJECT
  public:
    // The shared instance; the first call loads the dialog hidden (its load handler runs then).
    static Form3& instance();
    static bool isLoaded();
    // Hides the shared instance and lets it go; the next instance() loads a fresh one.
    static void unload();

    // Fills the dialog for queue row `row` (1-based) from the row and the main window's
    // sliders, and shows it.
    void OpenFor(int row);

    rt::ControlArray<rt::Label> Label1;           // captions, units, group headers, percentage
    rt::ControlArray<rt::TextBox> Text1;          // 0..6, locked
    rt::ControlArray<rt::Slider> Slider1;         // 0 target percent, 1 audio bitrate
    rt::ControlArray<rt::Label> Label2;           // label-button backgrounds
    rt::ControlArray<rt::Label> Label3;           // label-button captions
    rt::ControlArray<rt::CommandButton> Command1; // below the visible area
    rt::ControlArray<rt::PictureBox> Picture5;    // track strips beside the thumbs
    rt::PictureBox* Picture1;                     // below the visible area; holds Timer1
    rt::PictureBox* Picture2;                     // tick ruler over Slider1(0)
    rt::PictureBox* Picture3;                     // tick ruler over Slider1(1)
    rt::PictureBox* Picture4;                     // title strip
    rt::Shape* Shape1;                            // frame of "Current Video Details"
    rt::Shape* Shape2;                            // frame of "New Individual Compression Details"
    rt::Shape* Shape3;                            // frame around the dialog
    rt::Shape* Shape4;                            // focus frame around the box under the mouse
    rt::Shape* Shape5;                            // frame of the percentage label
    rt::Timer* Timer1;                            // ends a box's colour flash

    void Command1_Click(int Index);
    void Label3_MouseUp(int Index);
    void Label3_MouseMove(int Index);
    void Slider1_Change(int Index);
    void Slider1_Scroll(int Index);
    void Text1_Change(int Index);
    void Text1_MouseMove(int Index);
    void Timer1_Timer();
    void Form_MouseMove();
    void Form_MouseDown();
    void Picture4_MouseDown();
    // The clean-up of every unload: the window's hook and the sliders' brush go.
    void Form_QueryUnload();
    void Form_Unload();
    void Form_Terminate();

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    explicit Form3(QWidget* owner);
    ~Form3() override;
    void createFrames();
    void createCaptions();
    void createBoxes();
    void createSliders();
    void createButtons();
    void createPictures();
    void connectHandlers();
    void Form_Load();
    void PlaceTrackStrips();
    void PrintTitle();
    void ReleaseSliderLooks();
    void FollowPercent(bool scrolling);
    void FollowBitrate(bool scrolling);
    void FillFromRow(int row);
    void SetSliderFromOwner(rt::Slider& slider, int value);
    int AddressedRow() const;
    int TakeAddressedRow();
    void SetIndividualSettings();
    void RemoveIndividualSettings();

    QPersistentModelIndex shownRow_; // the queue row the dialog was opened for
    bool centred_ = false;           // placed over its owner since this load
};
