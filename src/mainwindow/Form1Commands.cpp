#include "mainwindow/Form1.h"

#include "core/AddVideos.h"
#include "core/FFmpegTools.h"
#include "core/Form2.h"
#include "core/RemoveVideos.h"
#include "core/RunStart.h"
#include "core/Settings.h"
#include "dialogs/Form4.h"
#include "runtime/Events.h"
#include "runtime/Format.h"

namespace {

// The toolbar buttons the run lock disables: add, remove, compress and the output folder.
constexpr int LockedToolbarButtons[] = {2, 3, 5, 7};
constexpr int ToolbarStartButton = 5;
constexpr int BarStartButton = 2;

// A disabled menu takes its items and their shortcuts with it.
void setMenuEnabled(QMenu* menu, bool enabled) {
    menu->setEnabled(enabled);
    menu->menuAction()->setEnabled(enabled);
}

} // namespace

void Form1::Toolbar1_ButtonClick(rt::ToolbarButton* Button) {
    const QString command = Button->tag();
    if (command == "add") {
        AddVideosFromDialog();
    } else if (command == "del") {
        RemoveCheckedVideos();
    } else if (command == "compress") {
        if (StartRun())
            lockForRun();
    } else if (command == "commondir") {
        rt::doEvents();
        Form4::instance().showModeless();
    } else if (command == "exitprocess") {
        CancelRequested = true;
        ReEnableControls();
        StopFFmpeg();
    }
}

// Locks what a run must not change. The stop command stays usable, and so do the preset
// captions: a preset chosen during a run applies to the first passes that start later.
void Form1::lockForRun() {
    RunLockHeld = true;
    for (int button : LockedToolbarButtons)
        Toolbar1->button(button).setEnabled(false);
    Label10.forEach([](int, rt::Label& hitArea) { hitArea.setEnabled(false); });
    Slider1(0).setEnabled(false);
    Slider1(1).setEnabled(false);
    Option1(0).setEnabled(Option1(0).isChecked());
    int chosen = 0;
    Option1.forEach([&chosen](int i, rt::OptionButton& option) {
        if (option.isChecked())
            chosen = i;
        if (i != chosen)
            option.setEnabled(false);
    });
    setMenuEnabled(mnu_File, false);
    setMenuEnabled(mnu_ContextMenu, false);
}

// The compress button waits for the end of the run, which may come after the lock's end.
void Form1::ReEnableControls() {
    RunLockHeld = false;
    for (int button : LockedToolbarButtons)
        Toolbar1->button(button).setEnabled(true);
    Label10.forEach([](int, rt::Label& hitArea) { hitArea.setEnabled(true); });
    Slider1(0).setEnabled(true);
    Slider1(1).setEnabled(true);
    Option1.forEach([](int, rt::OptionButton& option) { option.setEnabled(true); });
    setMenuEnabled(mnu_File, true);
    setMenuEnabled(mnu_ContextMenu, true);
    RefreshStartCommands();
}

// One run at a time: a second run would encode every video again, alongside the first.
bool Form1::StartRun() {
    if (Form2::runUnderWay())
        return false;
    StartCompression();
    RefreshStartCommands();
    return true;
}

void Form1::RefreshStartCommands() {
    const bool idle = !Form2::runUnderWay();
    mnu_StartCompression->setEnabled(idle);
    mnu_StartCompr->setEnabled(idle);
    Toolbar1->button(ToolbarStartButton).setEnabled(idle && !RunLockHeld);
    Picture16(BarStartButton).setEnabled(idle && !BarLockHeld);
}

// Every caption change of a progress label passes here; the one after the last pass of the
// last video, when the overall bar is full, ends the run lock.
void Form1::Label1_Change(int) {
    if (rt::leadingNumber(Label1(11).caption()) == 0)
        Label15->hide();
    if (PBar1(2).max() == PBar1(2).value())
        ReEnableControls();
}

void Form1::mnu_Open_Click() {
    AddVideosFromDialog();
}

void Form1::mnu_AddVideoToList_Click() {
    mnu_Open_Click();
}

void Form1::mnu_ClearAll_Click() {
    ListView1->clearRows();
}

void Form1::mnu_ClearAllContextMnu_Click() {
    ListView1->clearRows();
    ListView1->viewport()->update();
}

void Form1::mnu_StartCompression_Click() {
    if (StartRun())
        enableBarStop();
}

void Form1::mnu_StartCompr_Click() {
    mnu_StartCompression_Click();
}
