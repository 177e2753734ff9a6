#include "mainwindow/Form1.h"

#include "core/FFmpegTools.h"
#include "core/Settings.h"
#include "dialogs/Form3.h"
#include "mainwindow/ImageButton.h"
#include "mainwindow/Pictures.h"
#include "runtime/EdgeResize.h"
#include "runtime/Window.h"
#include "theme/ControlLooks.h"
#include "theme/SliderBrushes.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMenuBar>

namespace {

Form1*& sharedInstance() {
    static Form1* form = nullptr;
    return form;
}

// Design size of the client area and the smallest the window may become (twips).
constexpr int DesignClientWidth = 18615;
constexpr int DesignClientHeight = 7740;
constexpr int MinimumWidth = 18555;
constexpr int MinimumHeight = 6330;
constexpr int ToolbarHeight = 570;

struct LabelDesign {
    int index;
    const char* caption;
    int left, top, width, height;
    Qt::Alignment alignment;
};

// Design texts and places of the main window's status labels (pixels).
constexpr LabelDesign StatusLabels[] = {
    {0, "Compress to 60% of Original Video Size", 24, 59, 249, 17, Qt::AlignLeft},
    {1, "AAC Audio Bitrate 92Kb/s", 304, 59, 137, 17, Qt::AlignLeft},
    {2, "Speed:", 824, 62, 41, 15, Qt::AlignLeft},
    {3, "Current:", 824, 79, 41, 16, Qt::AlignLeft},
    {4, "Overall:", 824, 96, 41, 17, Qt::AlignLeft},
    {5, "Permitted Types 00", 1080, 60, 129, 16, Qt::AlignHCenter},
    {6, "00.00%", 888, 79, 37, 14, Qt::AlignRight},
    {7, "00.00%", 888, 96, 37, 14, Qt::AlignRight},
    {8, "Current Speed:", 688, 59, 81, 17, Qt::AlignLeft},
    {10, "Preset: ultrafast", 592, 59, 89, 15, Qt::AlignLeft},
    {11, "0.00", 752, 59, 41, 17, Qt::AlignRight},
    {12, "00.00%", 888, 62, 37, 14, Qt::AlignRight},
};

struct ToolbarButtonDesign {
    rt::ToolbarButton::Style style;
    const char* tag;
    int image;
    const char* toolTip;
};

// The toolbar's nine buttons: the five commands with their separators and placeholder.
constexpr ToolbarButtonDesign ToolbarButtons[] = {
    {rt::ToolbarButton::Separator, "", 0, ""},
    {rt::ToolbarButton::Default, "add", 1, "Add Video"},
    {rt::ToolbarButton::Default, "del", 2, "Remove Video"},
    {rt::ToolbarButton::Separator, "", 0, ""},
    {rt::ToolbarButton::Default, "compress", 3, "Compress Videos"},
    {rt::ToolbarButton::Separator, "", 0, ""},
    {rt::ToolbarButton::Default, "commondir", 4, "Set Common Compressed Video Output Directory "},
    {rt::ToolbarButton::Placeholder, "", 0, ""},
    {rt::ToolbarButton::Default, "exitprocess", 5, "Exit All Compression Processes Immediately"},
};

constexpr const char* PresetNames[] = {"ultrafast", "veryfast", "fast",
                                       "medium",    "slower",   "veryslow"};

// Sets the background colour of a common control (progress bar or status bar).
void SetCommonControlBkColor(QWidget* ctl, rt::Colour colour) {
    if (auto* bar = qobject_cast<rt::ProgressBar*>(ctl))
        bar->setBackColour(colour);
    else
        rt::setBackColour(ctl, colour);
}

// The design's 37-pixel percentage labels cut "100.00%" to "00.00%" at the end of a pass or a
// run: they grow to the left, up to the "x2" label, keeping their right edge. Where the font
// standing in for Arial is wider than Arial (DejaVu Sans is), even that room is too narrow, and
// the label's text gets smaller until it fits.
void fitHundredPercent(rt::Label& label) {
    constexpr int leftmost = 879;
    constexpr int margin = 2;
    const QString widest = QStringLiteral("100.00%");
    const int right = label.x() + label.width();
    QFont font = label.font();
    while (QFontMetrics(font).horizontalAdvance(widest) + margin > right - leftmost &&
           font.pointSizeF() > 1)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    if (font != label.font())
        label.setFont(font);
    const int needed = label.fontMetrics().horizontalAdvance(widest) + margin;
    const int left = std::max(leftmost, std::min(label.x(), right - needed));
    label.setGeometry(left, label.y(), right - left, label.height());
}

} // namespace

Form1& Form1::instance() {
    Form1*& form = sharedInstance();
    if (!form) {
        form = new Form1();
        form->Form_Load();
    }
    return *form;
}

bool Form1::isLoaded() {
    return sharedInstance() != nullptr;
}

void Form1::unload() {
    delete sharedInstance();
    sharedInstance() = nullptr;
}

Form1::Form1() : Client(new QWidget(this)) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QString());
    setWindowIcon(WindowIcon());
    setCentralWidget(Client);
    rt::setBackColour(Client, rt::DarkGrey);
    QFont font("Arial");
    font.setPointSizeF(8.25);
    setFont(font);
    createToolbar();
    createTitleStrip();
    createBanner();
    createStatusSurfaces();
    createPresetGroup();
    createQueueAndLists();
    createSliderDecorations();
    createImageButtonBar();
    createBitrateLegend();
    createTimers();
    createMenus();
    connectHandlers();
    setMinimumSize(rt::twipsToPixels(MinimumWidth), rt::twipsToPixels(MinimumHeight));
    resize(rt::twipsToPixels(DesignClientWidth),
           rt::twipsToPixels(DesignClientHeight) + menuBar()->sizeHint().height());
    rt::makeEdgesSizable(this);
}

void Form1::createToolbar() {
    Toolbar1 = new rt::Toolbar(Client);
    std::vector<QPixmap> images;
    for (int position = 0; position < 5; ++position)
        images.push_back(CommandPicture(position));
    Toolbar1->setImageList(images);
    for (const ToolbarButtonDesign& design : ToolbarButtons)
        Toolbar1->addButton(design.style, QString::fromLatin1(design.tag), design.image,
                            QString::fromLatin1(design.toolTip));
    Picture6 = new rt::PictureBox(Client);
    Picture6->hide();
}

void Form1::createTitleStrip() {
    Picture12 = new rt::PictureBox(Toolbar1);
    Picture12->setBackColour(rt::NearBlack);
    rt::placeTwips(Picture12, 9120, 120, 7335, 375);
    Label7 = new rt::Label(Picture12);
    rt::placeTwips(Label7, -120, 75, 7455, 375);
    Label7->setForeColour(rt::LightGrey);
    Label7->setBackTransparent();
    Label7->setAlignment(Qt::AlignCenter);
    QFont titleFont("Arial");
    titleFont.setPointSizeF(9.75);
    Label7->setFont(titleFont);

    Picture10 = new rt::PictureBox(Toolbar1);
    Picture10->setBackColour(rt::DarkGrey);
    rt::placeTwips(Picture10, 16440, 120, 1455, 495);
    Shape10 = new rt::Shape(Picture10);
    Shape10->setBorderColour(rt::Silver);
    rt::placeTwips(Shape10, 120, 240, 1335, 135);
    const char* captions[] = {"---", "[ ]", "X"};
    QFont buttonFont("Arial");
    buttonFont.setBold(true);
    for (int i = 0; i < 3; ++i) {
        auto* button = new rt::Label(Picture10, QString::fromLatin1(captions[i]));
        rt::placeTwips(button, 120 + 480 * i, 0, 375, 255);
        button->setForeColour(rt::White);
        button->setBackTransparent();
        button->setFont(buttonFont);
        button->setAlignment(Qt::AlignCenter);
        button->setBorderStyle(1);
        Label6.add(i, button);
    }
}

void Form1::createStatusSurfaces() {
    for (const LabelDesign& design : StatusLabels) {
        auto* label = new rt::Label(Client, QString::fromLatin1(design.caption));
        rt::place(label, design.left, design.top, design.width, design.height);
        label->setAlignment(design.alignment | Qt::AlignVCenter);
        label->setForeColour(rt::Orange);
        Label1.add(design.index, label);
    }
    for (int percentage : {6, 7, 12})
        fitHundredPercent(Label1(percentage));
    Label15 = new rt::Label(Client, "x2");
    rt::place(Label15, 865, 62, 13, 14);
    Label15->setAlignment(Qt::AlignCenter);
    Label15->setForeColour(rt::LightGrey);

    const int barTops[] = {64, 82, 99};
    for (int i = 0; i < 3; ++i) {
        auto* bar = new rt::ProgressBar(Client);
        rt::place(bar, 928, barTops[i], 129, 9);
        PBar1.add(i, bar);
    }

    struct SliderDesign {
        int left, width, height, min, max, value, largeChange;
    };
    const SliderDesign sliders[] = {{16, 257, 33, 10, 100, 60, 10}, {296, 265, 37, 5, 160, 92, 5}};
    for (int i = 0; i < 2; ++i) {
        const SliderDesign& design = sliders[i];
        auto* slider = new rt::Slider(Client);
        slider->setRange(design.min, design.max);
        slider->setValue(design.value);
        slider->setSingleStep(1);
        slider->setPageStep(design.largeChange);
        rt::place(slider, design.left, 80, design.width, design.height);
        Slider1.add(i, slider);
    }

    StatusBar1 = new rt::StatusBar(Client);
    StatusBar1->addPanel(); // panel 1 exists from the design
}

void Form1::createPresetGroup() {
    Shape7 = new rt::Shape(Client);
    Shape7->setBorderColour(rt::Silver);
    rt::place(Shape7, 584, 55, 233, 68);
    Shape8 = new rt::Shape(Client);
    Shape8->setBorderColour(rt::Silver);
    rt::place(Shape8, 584, 55, 233, 22);
    Shape7->lower();
    Shape8->lower();

    Picture13 = new rt::PictureBox(Client);
    Picture13->setBackColour(rt::DarkGrey);
    rt::place(Picture13, 586, 78, 230, 44);
    Picture4 = new rt::PictureBox(Picture13);
    Picture4->setBackColour(rt::DarkGrey);
    rt::place(Picture4, 8, 144, 216, 40);
    for (int i = 0; i < 6; ++i) {
        const int column = i % 3, row = i / 3;
        auto* option = new rt::OptionButton(Picture4, QString::fromLatin1(PresetNames[i]));
        rt::place(option, 72 * column, 20 * row, 70, 17);
        rt::setForeColour(option, rt::Orange);
        Option1.add(i, option);
        auto* hitArea = new rt::Label(Picture13);
        rt::place(hitArea, 8 + 72 * column, 20 * row, 16, 15);
        hitArea->setBackTransparent();
        Label10.add(i, hitArea);
    }
    Option1(0).setChecked(true);
    QFont chosen = Option1(0).font();
    chosen.setItalic(true);
    Option1(0).setFont(chosen);
    createPresetShapes();
}

void Form1::createQueueAndLists() {
    ListView1 = new rt::ListView(Client);
    rt::place(ListView1, 10, 128, Client->width() - 20, 300);
    ListView1->setListColours(rt::Orange, rt::NearBlack);
    // The style outlines the rows' check boxes in a shade of the window colour: keep them
    // visible on the near-black list.
    QPalette checkBoxes = ListView1->palette();
    checkBoxes.setColor(QPalette::Window, rt::toQColor(rt::Silver));
    ListView1->setPalette(checkBoxes);

    for (int i = 0; i < 2; ++i) {
        auto* box = new rt::PictureBox(i == 0 ? Client : &Picture2(0));
        box->setBackColour(rt::DarkGrey);
        Picture2.add(i, box);
    }
    rt::place(&Picture2(0), 1080, 78, 129, 40);
    rt::place(&Picture2(1), 0, 0, 129, 45);
    List1 = new rt::ListBox(&Picture2(1));
    rt::place(List1, -1, -1, 131, 51);
    rt::setForeColour(List1, rt::Orange);
    rt::setBackColour(List1, rt::DarkGrey);
    Picture14 = new rt::PictureBox(&Picture2(1));
    Picture14->setBackColour(rt::DarkGrey);

    Line1 = new rt::Line(Client);
    Line2 = new rt::Line(Client);
}

void Form1::createImageButtonBar() {
    Picture15 = new rt::PictureBox(Client);
    for (int i = 0; i < 5; ++i) {
        auto* button = new ImageButton(Picture15);
        rt::place(button, 8 + 40 * i, 0, 32, 32);
        button->setBackColour(rt::NearBlack);
        button->setPicture(CommandPicture(i));
        Picture16.add(i, button);
    }
    Picture16(4).setEnabled(false);
    Line9 = new rt::Line(Picture15);
    Line9->setBorderColour(rt::Silver);
    Line10 = new rt::Line(Picture15);
    Line10->setBorderColour(rt::Silver);
    Shape13 = new rt::Shape(Picture15);
    Shape13->setBorderColour(rt::Silver);
    // Around the first button, at the top start-up gives the buttons, until the mouse moves.
    rt::place(Shape13, 7, 1, 34, 34);
    Shape14 = new rt::Shape(Picture15);
    Shape14->setBorderColour(rt::Red);
}

void Form1::createTimers() {
    Timer1 = new rt::Timer(this, 20, true);
    Timer2 = new rt::Timer(this, 200, true);
    Timer4 = new rt::Timer(this, 25, true);
    // Off until the banner is first closed: a message box of the load lets timers run.
    Timer5 = new rt::Timer(this, 5, false);
    Timer6 = new rt::Timer(this, 500, true);
}

void Form1::connectHandlers() {
    connect(Toolbar1, &rt::Toolbar::buttonClick, this, &Form1::Toolbar1_ButtonClick);
    Label1.forEach([this](int index, rt::Label& label) {
        connect(&label, &rt::Label::changed, this, [this, index] { Label1_Change(index); });
        connect(&label, &rt::Label::mouseMoved, this, [this, index] { Label1_MouseMove(index); });
    });
    Picture16.forEach([this](int index, rt::PictureBox& button) {
        connect(&button, &rt::PictureBox::mouseMoved, this,
                [this, index] { Picture16_MouseMove(index); });
        connect(&button, &rt::PictureBox::mouseDown, this,
                [this, index](Qt::MouseButton pressed) { Picture16_MouseDown(index, pressed); });
        connect(&button, &rt::PictureBox::mouseUp, this,
                [this, index] { Picture16_MouseUp(index); });
    });
    connect(Timer1, &rt::Timer::tick, this, &Form1::Timer1_Timer);
    connect(Timer2, &rt::Timer::tick, this, &Form1::Timer2_Timer);
    connect(Timer4, &rt::Timer::tick, this, &Form1::Timer4_Timer);
    connect(Timer6, &rt::Timer::tick, this, &Form1::Timer6_Timer);
    connect(mnu_open, &QAction::triggered, this, &Form1::mnu_Open_Click);
    connect(mnu_ClearAll, &QAction::triggered, this, &Form1::mnu_ClearAll_Click);
    connect(mnu_StartCompression, &QAction::triggered, this, &Form1::mnu_StartCompression_Click);
    connect(mnu_AddVideoToList, &QAction::triggered, this, &Form1::mnu_AddVideoToList_Click);
    connect(mnu_ClearAllContextMnu, &QAction::triggered, this,
            &Form1::mnu_ClearAllContextMnu_Click);
    connect(mnu_StartCompr, &QAction::triggered, this, &Form1::mnu_StartCompr_Click);
    connectChrome();
    connectSliders();
    connectPresetGroup();
    connectQueue();
    connectHelp();
}

void Form1::Form_Load() {
    BannerSlideArmed = true;
    BannerShown = false;
    LayoutPresetSelector(presetSelector());
    CheckFFmpegPresence();
    LayoutSliderRulers(sliderDecorations());
    CreateMainSliderIncrements(sliderDecorations());
    LayoutSliderTracks(sliderDecorations());
    rt::setBackColour(Client, rt::rgb(64, 64, 64));
    Timer5->setEnabled(false);
    SetCommonControlBkColor(StatusBar1, rt::rgb(255, 255, 255));
    ColourProgressBars();
    CreateSliderBrushes(rt::rgb(64, 64, 64), false);
    MainSliderHwnd0 = &Slider1(0);
    MainSliderHwnd1 = &Slider1(1);
    HookMainWindow(this);
    CancelRequested = false;

    const double designWidth = rt::windowWidth(this);
    rt::setWindowTop(this, rt::screenHeight() / 4);
    rt::setWindowLeft(this, rt::screenWidth() / 8 - designWidth / 16);
    rt::setWindowHeight(this, 8250);
    rt::setWindowWidth(this, 18800);

    for (int i = 0; i < 3; ++i)
        PBar1(i).setValue(0);
    Label15->hide();
    Label7->setCaption("Tovrane 1.4.3 [ FFmpeg (High Quality) H.265 2-Pass Video Compression ] ");
    SetToolbarBackground();
    SetListViewHeaderColour(ListView1);
    HeaderBackColour = 0x404040;
    HeaderTextColour = 0x80FF;
    // The first reference to the settings dialog loads it, hidden.
    for (int i = 0; i < 2; ++i) {
        SetSliderTipActive(&Slider1(i), false);
        SetSliderTipActive(&Form3::instance().Slider1(i), false);
    }

    const int coverWidth = 19;
    rt::place(Picture14, List1->x() + List1->width() - coverWidth, List1->y(), coverWidth,
              List1->height());

    const QRect stop = Picture16(4).geometry();
    rt::place(Shape14, stop.left() - 1, 1, stop.width() + 3, stop.height() + 3);
}

void Form1::ColourProgressBars() {
    for (int i = 0; i < 3; ++i) {
        PBar1(i).setBarColour(rt::Orange);
        SetCommonControlBkColor(&PBar1(i), rt::DarkGrey);
    }
}

void Form1::SetToolbarBackground() {
    Picture6->setPicture(ToolbarPattern());
    SetToolbarClassBrush(*Toolbar1, rt::createPatternBrush(Picture6->picture()), 1);
    rt::invalidateAllWindows();
}

void Form1::Timer1_Timer() {
    for (int i = 0; i < 3; ++i)
        PBar1(i).setValue(0);
    Timer1->setEnabled(false);
}

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placeEdgeControls();
    Form_Resize();
}

void Form1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

// The toolbar and the status bar keep to the top and bottom edges at full width.
void Form1::placeEdgeControls() {
    rt::place(Toolbar1, 0, 0, Client->width(), rt::twipsToPixels(ToolbarHeight));
    rt::place(StatusBar1, 0, Client->height() - StatusBar1->height(), Client->width(),
              StatusBar1->height());
}

void Form1::Form_Resize() {
    ArrangeMainWindow();
}

void Form1::ArrangeMainWindow() {
    if (rt::windowWidth(this) <= MinimumWidth)
        rt::setWindowWidth(this, MinimumWidth);
    if (rt::windowHeight(this) <= MinimumHeight)
        rt::setWindowHeight(this, MinimumHeight);

    const int scaleWidth = Client->width();
    const int scaleHeight = Client->height();
    const int listTop = 128;
    rt::place(ListView1, 10, listTop, scaleWidth - 20,
              scaleHeight - StatusBar1->height() - listTop);

    rt::PictureBox& frame = Picture2(0);
    rt::PictureBox& clip = Picture2(1);
    rt::place(&frame, frame.x(), frame.y(), frame.width(), 40);
    rt::place(&clip, clip.x(), clip.y(), frame.width(), frame.height() + 5);
    rt::place(List1, -1, -1, clip.width() + 2, clip.height() + 6);

    Line1->setBorderColour(rt::rgb(255, 128, 0));
    Line2->setBorderColour(rt::rgb(255, 128, 0));
    const int line1Y = Toolbar1->height() + 7;
    Line1->setPoints(10, line1Y, scaleWidth - 20, line1Y);
    const int line2Y = ListView1->y() - 4;
    Line2->setPoints(10, line2Y, scaleWidth - 20, line2Y);

    const double boxLeft = rt::windowWidth(this) - rt::pixelsToTwips(Picture10->width()) - 510;
    rt::place(Picture10, rt::twipsToPixels(boxLeft), Picture10->y(), Picture10->width(),
              rt::twipsToPixels(400));
    rt::place(Shape10, 2, 2, Picture10->width() - 4, Picture10->height() - 2);
    rt::Label& minimise = Label6(0);
    rt::Label& maximise = Label6(1);
    rt::Label& close = Label6(2);
    minimise.move(minimise.x(), 6);
    close.move(Picture10->width() - minimise.width() - 10, close.y());
    maximise.move(close.x() - close.width() - 1, 6);
    close.move(close.x(), 6);
    minimise.move(maximise.x() - maximise.width() - 1, minimise.y());
    LayoutSliderRulers(sliderDecorations());
}
