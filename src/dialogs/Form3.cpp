#include "dialogs/Form3.h"

#include "core/Queue.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/ExactGeometry.h"
#include "runtime/Format.h"
#include "runtime/Window.h"
#include "runtime/WindowMove.h"
#include "theme/SliderBrushes.h"
#include "theme/SliderRulers.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPointer>
#include <utility>

namespace {

QPointer<Form3>& sharedInstance() {
    static QPointer<Form3> form;
    return form;
}

constexpr rt::Colour TitleStripColour = 0xFF8080;
constexpr rt::Colour FrameGrey = 0x808080;
constexpr rt::Colour FlashBack = 0xA0A0A0;

// Design size of the client area and the outer size the load gives the dialog (twips).
constexpr int DesignClientWidth = 7785;
constexpr int DesignClientHeight = 9660;
constexpr int LoadedWidth = 6765;
constexpr int LoadedHeight = 6555;

// The three commands, by their buttons' index.
constexpr int ExitCommand = 0;
constexpr int RemoveCommand = 1;
constexpr int SetCommand = 2;

// Below this many megabytes a new target size shows in red.
constexpr double SmallTarget = 10;

struct LabelDesign {
    int index;
    const char* caption;
    int left, top, width;
};

// Captions of the boxes and sliders, and the units beside the boxes (twips; all 255 high).
constexpr LabelDesign CaptionLabels[] = {
    {0, "Video Index", 360, 1080, 1575},
    {1, "Video Name", 360, 1440, 1455},
    {2, "Pre-Compressed Video  Size", 360, 1800, 2175},
    {3, "Current Target Size", 360, 2160, 2175},
    {15, "Current Video Audio Bitrate", 360, 2520, 2175},
    {4, "New Video Target Size", 360, 3480, 2175},
    {5, "New Video Audio Bitrate", 360, 3840, 2175},
    {6, "Target File Size", 360, 4440, 2175},
    {9, "Audio Bitrate", 360, 5040, 2175},
    {10, "Mb", 2640, 1800, 375},
    {11, "Mb", 2640, 2160, 375},
    {12, "Mb", 2640, 3480, 375},
    {13, "Kb/s", 2640, 3840, 375},
    {14, "Kb/s", 2640, 2520, 375},
};

// Group headers over the frames' top edges (twips; 255 high).
constexpr LabelDesign GroupHeaders[] = {
    {7, "Current Video Details", 480, 600, 1815},
    {8, "New Individual Compression Details", 480, 3120, 2895},
};

// The seven locked boxes (twips; 285 high).
constexpr LabelDesign Boxes[] = {
    {0, "", 2040, 1080, 4095}, {1, "", 2040, 1440, 4095}, {2, "", 3120, 1800, 3015},
    {3, "", 3120, 2160, 3015}, {4, "", 3120, 2520, 3015}, {5, "", 3120, 3480, 3015},
    {6, "", 3120, 3840, 3015},
};

// The label-buttons and the command buttons behind them (twips).
constexpr LabelDesign LabelButtons[] = {
    {0, "Exit", 240, 5760, 1335},
    {1, "Remove Individual Settings", 1680, 5760, 2295},
    {2, "Set Individual Settings", 4080, 5760, 2295},
};
constexpr const char* CommandCaptions[] = {"Exit", "Remove Individual settings",
                                           "Set Individual settings"};

struct SliderDesign {
    int left, top, width, height, min, max, value, largeChange;
};
constexpr SliderDesign Sliders[] = {{1680, 4320, 3975, 495, 10, 100, 60, 5},
                                    {1680, 4920, 4575, 495, 8, 190, 92, 5}};

rt::Label* newLabel(QWidget* parent, const char* caption, rt::Colour fore) {
    auto* label = new rt::Label(parent, QString::fromLatin1(caption));
    label->setForeColour(fore);
    label->setBackTransparent();
    return label;
}

void setBoxColours(rt::TextBox& box, rt::Colour back, rt::Colour fore) {
    rt::setBackColour(&box, back);
    rt::setForeColour(&box, fore);
}

// A strip refuses a negative width and keeps the one it has.
void setStripWidth(QWidget* strip, double width) {
    if (width < 0)
        return;
    QRectF box = rt::exactGeometry(strip);
    box.setWidth(width);
    rt::setExactGeometry(strip, box);
}

void setStripLeft(QWidget* strip, double left) {
    rt::setExactLeft(strip, left);
}

double leftOf(const QWidget* strip) {
    return rt::exactGeometry(strip).left();
}

double widthOf(const QWidget* strip) {
    return rt::exactGeometry(strip).width();
}

// A strip laid over the lower half of its slider, as the load places it.
void placeStrip(QWidget* strip, const QWidget* slider, double left, double width) {
    const QRect s = slider->geometry();
    const double half = double(s.height()) / 2;
    rt::setExactGeometry(strip, QRectF(left, s.top() + half, width, half - 5));
}

} // namespace

// ---- The shared instance

Form3& Form3::instance() {
    QPointer<Form3>& form = sharedInstance();
    if (!form) {
        form = new Form3(&Form1::instance());
        form->Form_Load();
    }
    return *form;
}

bool Form3::isLoaded() {
    return !sharedInstance().isNull();
}

// The dialog may be unloaded from inside one of its own handlers: it goes once they return.
void Form3::unload() {
    QPointer<Form3>& form = sharedInstance();
    if (!form)
        return;
    Form3* leaving = form;
    form = nullptr;
    leaving->Form_QueryUnload();
    leaving->Form_Unload();
    leaving->hide();
    leaving->deleteLater();
}

// ---- Building the dialog

// A dialog window owned by the main window: the window system keeps it above its owner.
Form3::Form3(QWidget* owner) : QWidget(owner, Qt::Dialog | Qt::FramelessWindowHint) {
    setWindowTitle(QString());
    rt::setBackColour(this, rt::DarkGrey);
    QFont font("Arial");
    font.setPointSizeF(8.25);
    setFont(font);
    setMouseTracking(true);
    resize(rt::twipsToPixels(DesignClientWidth), rt::twipsToPixels(DesignClientHeight));
    createFrames();
    createCaptions();
    createBoxes();
    createSliders();
    createPictures();
    createButtons();
    connectHandlers();
}

void Form3::createFrames() {
    Shape3 = new rt::Shape(this);
    Shape3->setBorderColour(rt::Silver);
    Shape1 = new rt::Shape(this);
    Shape1->setBorderColour(FrameGrey);
    rt::placeTwips(Shape1, 240, 720, 6135, 2295);
    Shape2 = new rt::Shape(this);
    Shape2->setBorderColour(FrameGrey);
    rt::placeTwips(Shape2, 240, 3240, 6135, 2415);
    Shape5 = new rt::Shape(this);
    Shape5->setBorderColour(FrameGrey);
    rt::placeTwips(Shape5, 0, 0, 495, 345);
}

void Form3::createCaptions() {
    for (const LabelDesign& design : CaptionLabels) {
        rt::Label* label = newLabel(this, design.caption, rt::Orange);
        rt::placeTwips(label, design.left, design.top, design.width, 255);
        Label1.add(design.index, label);
    }
    for (const LabelDesign& design : GroupHeaders) {
        rt::Label* header = newLabel(this, design.caption, rt::Orange);
        rt::placeTwips(header, design.left, design.top, design.width, 255);
        header->setBackColour(rt::DarkGrey);
        header->setBorderStyle(1);
        header->setAlignment(Qt::AlignCenter);
        Label1.add(design.index, header);
    }
    rt::Label* percent = newLabel(this, "60%", rt::Orange);
    percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    percent->adjustSize();
    Label1.add(16, percent);
}

void Form3::createBoxes() {
    for (const LabelDesign& design : Boxes) {
        auto* box = new rt::TextBox(this);
        rt::placeTwips(box, design.left, design.top, design.width, 285);
        box->setReadOnly(true);
        box->setLineWrapMode(QPlainTextEdit::NoWrap);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->document()->setDocumentMargin(1);
        box->viewport()->setMouseTracking(true);
        setBoxColours(*box, rt::DarkGrey, rt::Orange);
        Text1.add(design.index, box);
    }
    Shape4 = new rt::Shape(this);
    Shape4->setBorderColour(rt::Orange);
}

void Form3::createSliders() {
    for (int i = 0; i < 2; ++i) {
        const SliderDesign& design = Sliders[i];
        auto* slider = new rt::Slider(this);
        slider->setRange(design.min, design.max);
        slider->setValue(design.value);
        slider->setSingleStep(1);
        slider->setPageStep(design.largeChange);
        rt::placeTwips(slider, design.left, design.top, design.width, design.height);
        Slider1.add(i, slider);
    }
}

// The rulers and strips lie over the sliders; the title strip and the timer's container too.
void Form3::createPictures() {
    Picture2 = new rt::PictureBox(this);
    Picture3 = new rt::PictureBox(this);
    for (rt::PictureBox* ruler : {Picture2, Picture3}) {
        ruler->setBackColour(rt::DarkGrey);
        rt::place(ruler, 0, 0, 0, 0);
    }
    for (int i = 0; i < 4; ++i) {
        auto* strip = new rt::PictureBox(this);
        strip->setBackColour(rt::DarkGrey);
        Picture5.add(i, strip);
    }
    Picture4 = new rt::PictureBox(this);
    Picture4->setBackColour(TitleStripColour);
    rt::placeTwips(Picture4, 120, 120, 7575, 375);

    Picture1 = new rt::PictureBox(this);
    rt::placeTwips(Picture1, 240, 7560, 495, 495);
    Timer1 = new rt::Timer(Picture1, 100, true);
}

void Form3::createButtons() {
    for (const LabelDesign& design : LabelButtons) {
        rt::Label* back = newLabel(this, "", rt::Orange);
        rt::placeTwips(back, design.left, design.top, design.width, 375);
        back->setBackColour(rt::DarkGrey);
        back->setBorderStyle(1);
        Label2.add(design.index, back);

        rt::Label* caption = newLabel(this, design.caption, rt::Orange);
        rt::placeTwips(caption, design.left, 5820, design.width, 255);
        caption->setAlignment(Qt::AlignCenter);
        Label3.add(design.index, caption);

        auto* command = new rt::CommandButton(this, CommandCaptions[design.index]);
        rt::placeTwips(command, design.left, 7080, design.width, 375);
        Command1.add(design.index, command);
    }
}

void Form3::connectHandlers() {
    Text1.forEach([this](int index, rt::TextBox& box) {
        connect(&box, &rt::TextBox::changed, this, [this, index] { Text1_Change(index); });
        connect(&box, &rt::TextBox::mouseMoved, this, [this, index] { Text1_MouseMove(index); });
    });
    Slider1.forEach([this](int index, rt::Slider& slider) {
        connect(&slider, &rt::Slider::scrolled, this, [this, index] { Slider1_Scroll(index); });
        connect(&slider, &rt::Slider::changed, this, [this, index] { Slider1_Change(index); });
    });
    Label3.forEach([this](int index, rt::Label& caption) {
        connect(&caption, &rt::Label::mouseUp, this, [this, index] { Label3_MouseUp(index); });
        connect(&caption, &rt::Label::mouseMoved, this, [this, index] { Label3_MouseMove(index); });
    });
    Command1.forEach([this](int index, rt::CommandButton& command) {
        connect(&command, &QPushButton::clicked, this, [this, index] { Command1_Click(index); });
    });
    connect(Picture4, &rt::PictureBox::mouseDown, this, &Form3::Picture4_MouseDown);
    connect(Timer1, &rt::Timer::tick, this, &Form3::Timer1_Timer);
}

// ---- Load

void Form3::Form_Load() {
    CreateSettingsSliderBrushes(rt::rgb(64, 64, 64), false);
    SettingsSliderHwnd0 = &Slider1(0);
    SettingsSliderHwnd1 = &Slider1(1);
    HookSettingsWindow(this);
    const QRect s0 = Slider1(0).geometry();
    rt::place(Shape5, 380, s0.top() + 11, Shape5->width(), 23);
    Label1(16).move(s0.left() + s0.width() + 10, s0.top() + 15);
    setWindowIcon(parentWidget() ? parentWidget()->windowIcon() : QIcon());
    rt::setWindowWidth(this, LoadedWidth);
    rt::setWindowHeight(this, LoadedHeight);
    Shape4->hide();
    PlaceTrackStrips();
    CreateSliderIncrements({Slider1, *Picture2, *Picture3});
    rt::place(Shape3, 1, 1, width() - 2, height() - 2);
    rt::place(Picture4, 3, 3, width() - 7, Picture4->height());
    PrintTitle();
    for (int i = 0; i < 4; ++i)
        DrawTrackMiddleLine(Picture5(i));
}

void Form3::PlaceTrackStrips() {
    const rt::Slider& s0 = Slider1(0);
    const rt::Slider& s1 = Slider1(1);
    const double half0 = double(s0.width()) / 2;
    const double half1 = double(s1.width()) / 2;
    placeStrip(&Picture5(0), &s0, s0.x() + 1.5, half0 + 6.5);
    placeStrip(&Picture5(1), &s0, s0.x() + half0 + 18, 107);
    placeStrip(&Picture5(2), &s1, s1.x() + 1.5, half1 - 17.5);
    placeStrip(&Picture5(3), &s1, s1.x() + half1 - 5, 150);
}

void Form3::PrintTitle() {
    QPixmap canvas(Picture4->size());
    canvas.fill(rt::toQColor(Picture4->backColour()));
    QPainter painter(&canvas);
    QFont font("Arial");
    font.setPointSizeF(10);
    painter.setFont(font);
    painter.setPen(rt::toQColor(rt::Black));
    const int currentX = 10, currentY = 5;
    painter.drawText(currentX, currentY + painter.fontMetrics().ascent(),
                     " Individual Video Properties");
    painter.end();
    Picture4->setPicture(canvas);
}

// ---- Opening

void Form3::OpenFor(int row) {
    Form1& owner = Form1::instance();
    const int kbps = owner.Slider1(1).value();
    Text1(0).setText(rt::formatNumber(row, "00"));
    FillFromRow(row);
    Text1(4).setText(QString::number(kbps));
    Text1(5).setText(owner.ListView1->cell(AddressedRow(), QueueColumn::TargetSize));
    Text1(6).setText(QString::number(kbps));
    SetSliderFromOwner(Slider1(0), owner.Slider1(0).value());
    SetSliderFromOwner(Slider1(1), kbps);
    Slider1_Change(0);
    Slider1_Scroll(0);
    DrawTrackMiddleLine(Picture5(0));
    DrawTrackMiddleLine(Picture5(1));
    if (!std::exchange(centred_, true) && parentWidget()) {
        const QRect over = parentWidget()->frameGeometry();
        move(over.center() - QPoint(width() / 2, height() / 2));
    }
    if (isVisible())
        raise();
    show();
}

// The dialog holds on to the row it shows, wherever later removals move it. Without such a
// row the boxes show nothing of another video.
void Form3::FillFromRow(int row) {
    const rt::ListView& list = *Form1::instance().ListView1;
    shownRow_ = list.hasRow(row) ? QPersistentModelIndex(list.model()->index(row - 1, 0))
                                 : QPersistentModelIndex();
    const int shown = AddressedRow();
    Text1(1).setText(list.cell(shown, QueueColumn::VideoName));
    Text1(2).setText(list.cell(shown, QueueColumn::PreCompressedSize));
    Text1(3).setText(list.cell(shown, QueueColumn::TargetSize));
}

// The main window's bitrate slider goes lower than this one: below its range the slider rests
// at its minimum, and the box keeps the bitrate handed over.
void Form3::SetSliderFromOwner(rt::Slider& slider, int value) {
    if (value >= slider.minimum() && value <= slider.maximum()) {
        slider.setValue(value);
        return;
    }
    const QSignalBlocker quiet(&slider);
    slider.setValue(value);
}

// The position the shown row has now; 0 once it has left the queue.
int Form3::AddressedRow() const {
    return shownRow_.isValid() ? shownRow_.row() + 1 : 0;
}

// Every command first records the row it acts on.
int Form3::TakeAddressedRow() {
    SelectedVideoItem = AddressedRow();
    return SelectedVideoItem;
}

// ---- Sliders

void Form3::Slider1_Change(int Index) {
    if (Index == 0)
        FollowPercent(false);
    else if (Index == 1)
        FollowBitrate(false);
}

void Form3::Slider1_Scroll(int Index) {
    if (Index == 0)
        FollowPercent(true);
    else if (Index == 1)
        FollowBitrate(true);
}

// The new target size is the slider's share of the source size; only a committed change warns
// of a small target. The strips follow the value.
void Form3::FollowPercent(bool scrolling) {
    const double factor = rt::leadingNumber(Text1(2).text()) / 100;
    const int percent = Slider1(0).value();
    rt::Label& label = Label1(16);
    label.setCaption(rt::formatNumber(percent, "00") + "%");
    label.adjustSize();
    rt::TextBox& target = Text1(5);
    target.setText(rt::round3Text(percent * factor));
    if (!scrolling)
        rt::setForeColour(&target,
                          rt::leadingNumber(target.text()) < SmallTarget ? rt::Red : rt::Black);

    rt::PictureBox& left = Picture5(0);
    rt::PictureBox& right = Picture5(1);
    setStripWidth(&left, rt::leadingNumber(label.caption()) * 2.65 - 20);
    DrawTrackMiddleLine(left);
    DrawTrackMiddleLine(right);
    if (!scrolling)
        return;
    setStripLeft(&right, leftOf(&left) + widthOf(&left) + 10);
    setStripWidth(&right, Slider1(0).width() - leftOf(&right) + 106);
}

// Only a drag moves the bitrate strips.
void Form3::FollowBitrate(bool scrolling) {
    Text1(6).setText(QString::number(Slider1(1).value()));
    if (!scrolling)
        return;
    rt::PictureBox& left = Picture5(2);
    rt::PictureBox& right = Picture5(3);
    setStripWidth(&left, (rt::leadingNumber(Text1(6).text()) - 5) * 1.54);
    DrawTrackMiddleLine(left);
    setStripLeft(&right, leftOf(&left) + widthOf(&left) + 13);
    setStripWidth(&right, Slider1(1).width() - leftOf(&right) + 110);
    DrawTrackMiddleLine(right);
}

// ---- Commands

void Form3::Label3_MouseUp(int Index) {
    Command1_Click(Index);
}

void Form3::Command1_Click(int Index) {
    switch (Index) {
    case ExitCommand:
        TakeAddressedRow();
        unload();
        break;
    case RemoveCommand:
        RemoveIndividualSettings();
        break;
    case SetCommand:
        SetIndividualSettings();
        unload();
        break;
    default:
        break;
    }
}

// The values come from the boxes as they stand, not from the sliders.
void Form3::SetIndividualSettings() {
    const int row = TakeAddressedRow();
    if (row == 0)
        return;
    rt::ListView& list = *Form1::instance().ListView1;
    const QString target = rt::shortestText(rt::leadingNumber(Text1(5).text()));
    list.setCell(row, QueueColumn::TargetSize, target);
    list.setCell(row, QueueColumn::IndividualSettings, "True");
    list.setCell(row, QueueColumn::IndividualTargetSize, target);
    list.setCell(row, QueueColumn::IndividualAudioBitrate,
                 rt::shortestText(rt::leadingNumber(Text1(6).text())) + "k");
    list.setRowColour(row, rt::Green);
    list.setRowBold(row, true);
}

void Form3::RemoveIndividualSettings() {
    const int row = TakeAddressedRow();
    if (row == 0)
        return;
    rt::ListView& list = *Form1::instance().ListView1;
    for (int column : {QueueColumn::IndividualSettings, QueueColumn::IndividualTargetSize,
                       QueueColumn::IndividualAudioBitrate})
        list.setCell(row, column, QString());
    list.setRowColour(row, rt::Black);
    list.setRowBold(row, false);
}

// ---- Colour flash

void Form3::Text1_Change(int Index) {
    setBoxColours(Text1(Index), FlashBack, rt::White);
    Timer1->setEnabled(true);
}

void Form3::Timer1_Timer() {
    Text1.forEach([](int, rt::TextBox& box) { setBoxColours(box, rt::DarkGrey, rt::Orange); });
    Timer1->setEnabled(false);
}

// ---- Hover, focus and dragging

void Form3::Label3_MouseMove(int Index) {
    Label2.forEach([](int, rt::Label& back) { back.setBackColour(rt::DarkGrey); });
    Label2(Index).setBackColour(rt::Black);
}

void Form3::Form_MouseMove() {
    Label2.forEach([](int, rt::Label& back) { back.setBackColour(rt::DarkGrey); });
    rt::setForeColour(&Text1(5), rt::Orange);
    Shape4->hide();
}

// The tooltip lets a name too long for its box be read.
void Form3::Text1_MouseMove(int Index) {
    rt::TextBox& box = Text1(Index);
    box.setToolTip(box.text());
    const QRect at = box.geometry();
    rt::place(Shape4, at.left() - 1, at.top() - 1, at.width() + 2, at.height() + 2);
    Shape4->raise();
    Shape4->show();
}

void Form3::mouseMoveEvent(QMouseEvent*) {
    Form_MouseMove();
}

void Form3::mousePressEvent(QMouseEvent*) {
    Form_MouseDown();
}

// A press on the free area or the title strip moves the dialog; the runtime lets only the left
// button start a move.
void Form3::Form_MouseDown() {
    rt::startWindowMove(this);
}

void Form3::Picture4_MouseDown() {
    rt::startWindowMove(this);
}

// ---- Clean-up

// Runs at each of an unload's passes; the later ones find nothing left to release.
void Form3::ReleaseSliderLooks() {
    if (SettingsOldWndProc)
        UnhookSettingsWindow(this);
    DeleteSettingsSliderBrush();
}

void Form3::Form_QueryUnload() {
    ReleaseSliderLooks();
}

void Form3::Form_Unload() {
    ReleaseSliderLooks();
}

void Form3::Form_Terminate() {
    ReleaseSliderLooks();
}

// The settings set of hook and brush is shared: an instance that ends after a newer one was
// loaded leaves the newer one's alone.
Form3::~Form3() {
    if (!isLoaded() || sharedInstance() == this)
        Form_Terminate();
}

// A close by the window system unloads the dialog as "Exit" does, without touching a row.
void Form3::closeEvent(QCloseEvent* event) {
    event->ignore();
    unload();
}
