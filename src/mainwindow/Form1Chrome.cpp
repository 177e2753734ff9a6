#include "mainwindow/Form1.h"

#include "dialogs/Form3.h"
#include "dialogs/Form4.h"
#include "runtime/Events.h"
#include "runtime/ProgramEnd.h"
#include "runtime/Window.h"
#include "runtime/WindowMove.h"
#include "theme/SliderBrushes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>

namespace {

constexpr int MinimiseButton = 0;
constexpr int MaximiseButton = 1;
constexpr int CloseButton = 2;

void setFlatLook(rt::Label& button) {
    button.setBorderStyle(1);
    button.setBackTransparent();
    button.setForeColour(rt::White);
}

void setHoveredLook(rt::Label& button, rt::Colour back) {
    button.setBorderStyle(0);
    button.setBackColour(back);
    button.setForeColour(rt::Black);
}

} // namespace

void Form1::connectChrome() {
    setMouseTracking(true);
    Client->setMouseTracking(true);
    connect(ListView1, &rt::ListView::mouseMoved, this,
            [this](Qt::MouseButtons held) { ListView1_MouseMove(held); });
    connect(Toolbar1, &rt::Toolbar::mouseMoved, this,
            [this](Qt::MouseButtons held) { Toolbar1_MouseMove(held); });
    connect(Toolbar1, &rt::Toolbar::doubleClicked, this, &Form1::Toolbar1_DblClick);
    connect(Label7, &rt::Label::mouseMoved, this,
            [this](Qt::MouseButtons held) { Label7_MouseMove(held); });
    connect(Label7, &rt::Label::doubleClicked, this, &Form1::Label7_DblClick);
    connect(Picture10, &rt::PictureBox::mouseMoved, this, &Form1::Picture10_MouseMove);
    Label6.forEach([this](int index, rt::Label& button) {
        connect(&button, &rt::Label::mouseMoved, this, [this, index] { Label6_MouseMove(index); });
        connect(&button, &rt::Label::mouseUp, this, [this, index] { Label6_MouseUp(index); });
    });
    connect(mnu_Exit, &QAction::triggered, this, &Form1::mnu_Exit_Click);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &Form1::Form_Terminate);
}

// ---- Moving the window and the hover looks

void Form1::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove(event->buttons());
}

void Form1::Form_MouseMove(Qt::MouseButtons Button) {
    Shape10->setBorderColour(rt::Silver);
    FlattenTitleButtons();
    ResetBannerLink(true);
    ResetBannerClose();
    DragWhenLeftHeld(Button);
    List1->setCurrentRow(-1);
    Shape13->hide();
}

void Form1::ListView1_MouseMove(Qt::MouseButtons Button) {
    Shape10->setBorderColour(rt::Silver);
    FlattenTitleButtons();
    ResetBannerLink(false);
    ResetBannerClose();
    DragWhenLeftHeld(Button);
    List1->setCurrentRow(-1);
    Shape13->hide();
}

void Form1::Toolbar1_MouseMove(Qt::MouseButtons Button) {
    Shape10->setBorderColour(rt::Silver);
    FlattenTitleButtons();
    DragWhenLeftHeld(Button);
    ResetBannerClose();
    ResetBannerLink(true);
}

void Form1::Label7_MouseMove(Qt::MouseButtons Button) {
    DragWhenLeftHeld(Button);
}

// Leaving the buttons through their box leaves the frame orange.
void Form1::Picture10_MouseMove() {
    FlattenTitleButtons();
}

void Form1::Label6_MouseMove(int Index) {
    FlattenTitleButtons();
    Shape10->setBorderColour(rt::Orange);
    setHoveredLook(Label6(Index), Index == CloseButton ? rt::Red : rt::White);
}

void Form1::FlattenTitleButtons() {
    Label6.forEach([](int, rt::Label& button) { setFlatLook(button); });
}

// The left button alone holds the window as its title bar would; with any other button held
// nothing moves.
void Form1::DragWhenLeftHeld(Qt::MouseButtons Button) {
    if (Button == Qt::LeftButton)
        rt::startWindowMove(this);
}

// ---- Title buttons and the maximise toggle

void Form1::Label6_MouseUp(int Index) {
    switch (Index) {
    case MinimiseButton:
        if (rt::windowState(this) != 1) {
            Timer6->setEnabled(true);
            rt::setWindowState(this, 1);
        }
        break;
    case MaximiseButton:
        ToggleMaximised();
        break;
    case CloseButton:
        Form_QueryUnload();
        return;
    default:
        return;
    }
    rt::waitSeconds(1);
    Shape10->setBorderColour(rt::Silver);
    FlattenTitleButtons();
}

void Form1::ToggleMaximised() {
    if (rt::windowState(this) == 2) {
        rt::setWindowState(this, 0);
        return;
    }
    rt::setWindowState(this, 2);
    setWindowTitle(QString());
}

void Form1::mouseDoubleClickEvent(QMouseEvent*) {
    Form_DblClick();
}

void Form1::Form_DblClick() {
    HideAndToggleMaximised();
}

void Form1::Label7_DblClick() {
    HideAndToggleMaximised();
}

void Form1::Toolbar1_DblClick() {
    HideAndToggleMaximised();
}

// The window changes its state out of sight and comes back one to two seconds later.
void Form1::HideAndToggleMaximised() {
    hide();
    const std::int64_t end = rt::clockSeconds() + 1;
    ToggleMaximised();
    rt::waitPast(end);
    show();
}

// ---- Shut-down

// The window system's close request, and any close of the window by the program.
void Form1::closeEvent(QCloseEvent* event) {
    event->ignore();
    Form_QueryUnload();
    Form_Unload();
}

void Form1::Form_QueryUnload() {
    ShutDown();
}

void Form1::Form_Unload() {
    ShutDown();
}

// The event loop ending for any other reason.
void Form1::Form_Terminate() {
    ShutDown();
}

void Form1::mnu_Exit_Click() {
    ShutDown();
}

// Asks nothing, saves nothing and leaves running tools alone. The program ends in the first
// run, wherever it was entered, so a later entry has nothing left to do.
void Form1::ShutDown() {
    if (ShutDownStarted)
        return;
    ShutDownStarted = true;
    hide();
    if (Form4::isLoaded())
        Form4::instance().hide();
    if (Form3::isLoaded()) {
        Form3& settings = Form3::instance();
        settings.hide();
        if (SettingsOldWndProc)
            UnhookSettingsWindow(&settings);
    }
    if (MainOldWndProc)
        UnhookMainWindow(this);
    DeleteSliderBrush();
    DeleteSettingsSliderBrush();
    // The main window is not destroyed before the end: a job may be running inside one of its
    // job windows, below this call, and would be torn down under its own handler.
    rt::endProgram();
}
