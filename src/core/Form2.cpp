#include "core/Form2.h"

#include "core/DOSOutputs.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/Format.h"
#include "runtime/ProgramFolder.h"
#include "runtime/Window.h"
#include "runtime/WindowMove.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <algorithm>

namespace {

constexpr rt::Colour TitleStripColour = 0xFF8080;
constexpr rt::Colour FrameGrey = 0x808080;
constexpr rt::Colour BarGrey = 0x404040;

const char* const SheetCaptions[15] = {"Index",
                                       "path of source video",
                                       "original extension",
                                       "final extension",
                                       "compressed path and name",
                                       "target size",
                                       "parent directory",
                                       "compressed size",
                                       "video bitrate kb/s",
                                       "duration in seconds",
                                       "audio bitrate kb/s",
                                       "original name",
                                       "FFmpeg Preset",
                                       "current video time",
                                       "User defined output location"};

// Sheet values from the top of the window down; the captions of values 8 and 9 stand crossed.
constexpr int SheetScreenOrder[15] = {0, 1, 2, 11, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14};

int captionBeside(int value) {
    if (value == 8)
        return 9;
    if (value == 9)
        return 8;
    return value;
}

QString debugLogPath() {
    return rt::programFolder() + "/FFmpegLog.txt";
}

// The captions around the output box, each as wide as its text in the window's own font.
struct OutputCaptions {
    QWidget* box;                       // above the box, from its left end
    QWidget* logSwitch;                 // beside it
    QWidget *sizeCaption, *size, *unit; // the log's size, from the right end
    QWidget* progress;                  // below the box, from its left end
};

constexpr int CaptionGap = 6;

// Places controls one after the other from `left` on the line at `top`; returns where the next
// would go.
int placeFromLeft(std::initializer_list<QWidget*> controls, int left, int top) {
    for (QWidget* control : controls) {
        control->setGeometry(left, top, control->sizeHint().width(), control->height());
        left += control->width() + CaptionGap;
    }
    return left;
}

// The log's size and its captions, ending at `right` on the line at `top`; returns where they
// begin. The size keeps room for a log of a gigabyte.
int placeLogSize(const OutputCaptions& captions, int right, int top) {
    auto* size = static_cast<QLabel*>(captions.size);
    size->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int sizeWidth = size->fontMetrics().horizontalAdvance("000,000");
    int left = right + CaptionGap;
    for (QWidget* control : {captions.unit, captions.size, captions.sizeCaption}) {
        const int width = control == size ? sizeWidth : control->sizeHint().width();
        left -= CaptionGap + width;
        control->setGeometry(left, top, width, control->height());
    }
    return left;
}

// The log's size stands on the line above the box, after the debug switch; where the switch
// leaves it no room, on the progress line below the box, whose caption takes the rest.
void layOutOutputCaptions(const OutputCaptions& captions, int left, int right) {
    const int switchEnd =
        placeFromLeft({captions.box, captions.logSwitch}, left, captions.box->y());
    const int sizeStart = placeLogSize(captions, right, captions.box->y());
    int progressEnd = right;
    if (sizeStart < switchEnd)
        progressEnd = placeLogSize(captions, right, captions.progress->y()) - CaptionGap;
    captions.progress->setGeometry(left, captions.progress->y(), progressEnd - left,
                                   captions.progress->height());
}

const char* const BoxTexts[3] = {"FFmpeg PASS 1 string", "FFmpeg PASS 2 string", "FFmpeg output"};

} // namespace

Form2::Form2(QWidget* owner) : QWidget(owner, Qt::Dialog | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(rt::twipsToPixels(9705), rt::twipsToPixels(9030));
    std::fill(std::begin(sheet_), std::end(sheet_), NoData);
    for (int box = 0; box < 3; ++box)
        boxTexts_[box] = QString::fromLatin1(BoxTexts[box]) + "\r\n";
    createProgressBar();
    createTimers();
    Form_Load();
}

Form2::~Form2() = default;

void Form2::buildControls() {
    if (controlsBuilt_)
        return;
    controlsBuilt_ = true;
    rt::setBackColour(this, BarGrey);
    setFont(QFont("Arial"));
    createTitleStrip();
    createJobSheet();
    createOutputBoxes();
    createContainer();
    PBar1->raise();
    connectHandlers();
}

void Form2::setVisible(bool visible) {
    if (visible)
        buildControls();
    QWidget::setVisible(visible);
}

void Form2::createTitleStrip() {
    Picture2.set(new rt::PictureBox(this));
    rt::placeTwips(Picture2, 0, 0, 9855, 255);
    Picture2->setBackColour(TitleStripColour);
    Label7.set(new rt::Label(Picture2, title_));
    rt::placeTwips(Label7, 120, 15, 1575, 165);
    Label7->setAttribute(Qt::WA_TransparentForMouseEvents);
    Shape2.set(new rt::Shape(this));
    Shape2->setBorderColour(FrameGrey);
    Label3.set(new rt::Label(this));
    rt::placeTwips(Label3, 4800, 480, 135, 3855);
}

void Form2::createJobSheet() {
    for (int index = 0; index < 15; ++index) {
        auto* caption = new rt::Label(this, QString::fromLatin1(SheetCaptions[index]));
        auto* value = new rt::Label(this, sheet_[index]);
        for (rt::Label* label : {caption, value}) {
            label->setForeColour(rt::Orange);
            label->setBackColour(BarGrey);
        }
        Label1.add(index, caption);
        Label2.add(index, value);
    }
    for (int screenRow = 0; screenRow < 15; ++screenRow) {
        const int value = SheetScreenOrder[screenRow];
        const int top = 600 + 240 * screenRow;
        rt::placeTwips(&Label2(value), 4920, top, 4350, 255);
        rt::placeTwips(&Label1(captionBeside(value)), 360, top, 4500, 255);
    }
}

void Form2::createOutputBoxes() {
    Shape1.set(new rt::Shape(this));
    rt::placeTwips(Shape1, 360, 4440, 8895, 4095);
    Shape1->setBorderColour(FrameGrey);

    const char* const captions[6] = {"FFmpeg Pass 1 [stage number 1] Analysis",
                                     "FFmpeg Pass 2 [stage number 2] Compression",
                                     "FFmpeg output",
                                     "Log File Size",
                                     "0,000",
                                     "Kbytes"};
    const int places[6][4] = {{480, 4440, 6015, 255}, {480, 5520, 5415, 255},
                              {480, 6720, 1815, 255}, {7080, 6720, 975, 255},
                              {8160, 6720, 735, 255}, {8640, 6720, 615, 255}};
    for (int i = 0; i < 6; ++i) {
        auto* label = new rt::Label(this, QString::fromLatin1(captions[i]));
        rt::placeTwips(label, places[i][0], places[i][1], places[i][2], places[i][3]);
        label->setForeColour(rt::Orange);
        Label5.add(i, label);
    }

    const int boxPlaces[3][4] = {
        {480, 4680, 8655, 735}, {480, 5760, 8655, 735}, {480, 6960, 8655, 975}};
    for (int i = 0; i < 3; ++i) {
        auto* box = new rt::TextBox(this);
        rt::placeTwips(box, boxPlaces[i][0], boxPlaces[i][1], boxPlaces[i][2], boxPlaces[i][3]);
        rt::setForeColour(box, rt::LightGrey);
        rt::setBackColour(box, rt::Black);
        box->setText(boxTexts_[i]);
        Text1.add(i, box);
    }

    Check1.set(new rt::CheckBox(this, "Create a debug log file to log all output shown below"));
    rt::placeTwips(Check1, 2040, 6720, 4215, 210);
    rt::setForeColour(Check1, rt::Orange);
    rt::setBackColour(Check1, BarGrey);

    Label4.set(new rt::Label(this, progressCaption_));
    rt::placeTwips(Label4, 480, 8040, 1815, 255);
    Label4->setForeColour(rt::Orange);

    layOutOutputCaptions({&Label5(2), Check1, &Label5(3), &Label5(4), &Label5(5), Label4},
                         Text1(2).x(), Text1(2).geometry().right() + 1);
}

void Form2::createContainer() {
    Picture1.set(new rt::PictureBox(this));
    rt::placeTwips(Picture1, 2160, 7680, 1695, 1335);
    Picture1->hide();
    Label6.set(new rt::Label(Picture1, "control container"));
}

void Form2::createProgressBar() {
    PBar1 = new rt::ProgressBar(this);
    rt::placeTwips(PBar1, 480, 8280, 8655, 150);
}

void Form2::createTimers() {
    Timer1 = new rt::Timer(this, 1000, true);
    Timer2 = new rt::Timer(this, 500, true);
    connect(Timer1, &rt::Timer::tick, this, &Form2::Timer1_Timer);
    connect(Timer2, &rt::Timer::tick, this, &Form2::Timer2_Timer);
}

void Form2::connectHandlers() {
    connect(Check1, &QCheckBox::toggled, this, &Form2::Check1_Click);
    connect(Picture2, &rt::PictureBox::mouseDown, this, &Form2::dragWindow);
    Text1.forEach([this](int index, rt::TextBox& box) {
        connect(&box, &rt::TextBox::changed, this, [this, index] { Text1_Change(index); });
        connect(&box, &rt::TextBox::mouseMoved, &box, [&box] { box.setToolTip(box.text()); });
    });
    Label2.forEach([this](int index, rt::Label& value) {
        connect(&value, &rt::Label::changed, this, [this, index] { Label2_Change(index); });
        connect(&value, &rt::Label::mouseMoved, &value,
                [&value] { value.setToolTip(value.caption()); });
    });
}

// ---- What the controls show, built or not

QString Form2::sheetValue(int row) {
    return controlsBuilt_ ? Label2(row).caption() : sheet_[row];
}

void Form2::setSheetValue(int row, const QString& value) {
    if (controlsBuilt_) {
        Label2(row).setCaption(value);
        return;
    }
    sheet_[row] = value;
    Label2_Change(row);
}

void Form2::setBoxText(int box, const QString& text) {
    // Until the controls exist the debug box is unticked: nothing is logged.
    if (controlsBuilt_)
        Text1(box).setText(text);
    else
        boxTexts_[box] = text;
}

void Form2::setProgressCaption(const QString& caption) {
    if (controlsBuilt_)
        Label4->setCaption(caption);
    else
        progressCaption_ = caption;
}

void Form2::setTitleCaption(const QString& caption) {
    if (controlsBuilt_)
        Label7->setCaption(caption);
    else
        title_ = caption;
}

// ---- Lifecycle

void Form2::SetProgressBarColour() {
    PBar1->setBarColour(rt::Orange);
}

void Form2::Form_Load() {
    SetProgressBarColour();
    hide();
    setWindowTitle("Compression Thread Index");
    TickCount = 0;
    Stage = "scan_video";
    PBar1->setBarColour(rt::Orange);
    PBar1->setBackColour(BarGrey);
}

void Form2::Form_Activate() {
    SetProgressBarColour();
    if (!ShowThreadWindows)
        hide();
    const double innerWidth = rt::pixelsToTwips(width());
    const double innerHeight = rt::pixelsToTwips(height());
    const double top = rt::pixelsToTwips(Picture2->height()) + 10;
    rt::place(Shape2, rt::twipsToPixels(5), rt::twipsToPixels(top),
              rt::twipsToPixels(innerWidth - 10), rt::twipsToPixels(innerHeight - top - 10));
}

void Form2::showModeless() {
    show();
    // Shown without activation, the window would otherwise never lay out its frame.
    Form_Activate();
}

void Form2::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void Form2::markQueueRow(const QPersistentModelIndex& mark) {
    queueRowMark_ = mark;
    queueRowMarked_ = true;
}

int Form2::queueRow() const {
    return queueRowMarked_ ? Form1::instance().ListView1->rowOfMark(queueRowMark_) : ListIndex;
}

void Form2::Timer2_Timer() {
    if (Finished)
        return;
    if (isHidden() && ShowThreadWindows) {
        rt::setWindowWidth(this, 9780);
        rt::setWindowHeight(this, 9030);
        rt::setWindowLeft(this, 200);
        rt::setWindowTop(this, 200);
        setWindowTitle("Compression Thread Index");
        showModeless();
    }
    if (isVisible() && !ShowThreadWindows)
        hide();
    if (CancelRequested)
        Unload();
}

void Form2::Form_QueryUnload() {
    Timer2->setEnabled(false);
}

void Form2::Unload() {
    if (unloaded_)
        return;
    Form_QueryUnload();
    Timer1->setEnabled(false);
    unloaded_ = true;
    hide();
    offerStartWhenRunEnded();
    if (jobRunning_) {
        // The job ends cancelled as soon as its tool has gone; the window goes after it.
        if (objDOS)
            objDOS->Terminate();
        return;
    }
    // A job that never began leaves its row as it read before the run.
    deleteLater();
}

// ---- Debug log

void Form2::Check1_Click() {
    if (!Check1->ticked())
        return;
    QFile::remove(debugLogPath());
    QFile log(debugLogPath());
    log.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void Form2::Text1_Change(int Index) {
    if (!Check1->ticked() || Index != 2)
        return;
    QFile log(debugLogPath());
    if (!log.exists() || !log.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    const QString text = Text1(2).text();
    if (!text.isEmpty())
        log.write(rt::trimBlanks(text).toUtf8());
    log.flush();
    Label5(4).setCaption(rt::formatNumber(double(log.size()) / 1024, "0,000"));
}

// ---- Title and moving

void Form2::Label2_Change(int Index) {
    if (Index == 0)
        setTitleCaption("Thread index: " + sheetValue(0));
}

void Form2::mousePressEvent(QMouseEvent*) {
    dragWindow();
}

void Form2::dragWindow() {
    rt::startWindowMove(this);
}
