#include "dialogs/Form4.h"

#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/Dialogs.h"
#include "runtime/ProgramFolder.h"
#include "runtime/WindowMove.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPointer>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace {

QPointer<Form4>& sharedInstance() {
    static QPointer<Form4> form;
    return form;
}

// Design size of the client area (twips).
constexpr int DesignClientWidth = 4800;
constexpr int DesignClientHeight = 4845;

constexpr int DesktopDirectory = 16;
constexpr int MakeNewFolder = 0;
constexpr int Ok = 1;
constexpr int Cancel = 2;

constexpr rt::Colour TitleStripBlue = 0xFF8080;
const QString NewFolderText = QStringLiteral("New folder");

struct LabelButtonDesign {
    const char* caption;
    int left, backTop, backWidth, captionTop;
};

// Design places of the label-buttons (twips): background and caption share Left and Width.
constexpr LabelButtonDesign LabelButtons[] = {
    {"Make New Folder", 480, 4200, 1575, 4320},
    {"Ok", 2640, 4200, 1095, 4275},
    {"Cancel", 3840, 4200, 1095, 4275},
};
constexpr int LabelBackHeight = 375;
constexpr int LabelCaptionHeight = 255;

// Leading and trailing blanks go; other white space is part of the name.
QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == ' ')
        ++first;
    while (end > first && text[end - 1] == ' ')
        --end;
    return text.mid(first, end - first);
}

// A closing "/" names no further level: "Clips/" is the folder Clips.
QString withoutClosingSeparators(QString name) {
    while (name.endsWith('/'))
        name.chop(1);
    return name;
}

// A name that stays inside the chosen folder: one or more levels joined by "/", none of them
// empty, "." or "..".
bool staysInsideShownFolder(const QString& name) {
    if (name.contains(QChar(0)))
        return false;
    const QStringList levels = name.split('/');
    return std::none_of(levels.begin(), levels.end(), [](const QString& level) {
        return level.isEmpty() || level == "." || level == "..";
    });
}

void showRefusal(const QString& prompt) {
    rt::msgBox(prompt, rt::OkExclamation, "Tovrane");
}

} // namespace

Form4& Form4::instance() {
    QPointer<Form4>& form = sharedInstance();
    if (!form) {
        form = new Form4(&Form1::instance());
        form->Form_Load();
    }
    return *form;
}

bool Form4::isLoaded() {
    return !sharedInstance().isNull();
}

// The dialog may unload itself from one of its own handlers, so it goes once they return.
void Form4::unload() {
    Form4* form = sharedInstance();
    if (!form)
        return;
    sharedInstance() = nullptr;
    form->hide();
    form->deleteLater();
}

void Form4::showModeless() {
    show();
    raise();
    activateWindow();
}

Form4::Form4(QWidget* owner) : QWidget(owner, Qt::Dialog | Qt::FramelessWindowHint) {
    setWindowTitle("Browse For Folder");
    rt::setBackColour(this, rt::DarkGrey);
    QFont font("Arial");
    font.setPointSizeF(8.25);
    setFont(font);
    setFixedSize(rt::twipsToPixels(DesignClientWidth), rt::twipsToPixels(DesignClientHeight));
    setMouseTracking(true);
    createControls();
    createLabelButtons();
    connectHandlers();
}

void Form4::createControls() {
    Shape1 = new rt::Shape(this);
    Shape1->setBorderColour(rt::Silver);

    Picture2 = new rt::PictureBox(this);
    Picture2->setBackColour(TitleStripBlue);
    rt::placeTwips(Picture2, 360, 120, 3375, 375);

    Picture1 = new rt::PictureBox(this);
    Picture1->setBackColour(rt::White);
    rt::placeTwips(Picture1, 120, 600, 4455, 375);
    Drive1 = new rt::DriveList(Picture1);
    rt::setBackColour(Drive1, rt::DarkGrey);
    rt::setForeColour(Drive1, rt::Orange);
    rt::placeTwips(Drive1, 120, 0, 4455, 330);

    Dir1 = new rt::FolderList(this);
    rt::setBackColour(Dir1, rt::DarkGrey);
    rt::setForeColour(Dir1, rt::Orange);
    rt::placeTwips(Dir1, 120, 915, 4455, 2730);

    Text1 = new rt::LineBox(this);
    Text1->setText(NewFolderText);
    Text1->setEnabled(false);
    rt::setBackColour(Text1, rt::DarkGrey);
    rt::setForeColour(Text1, rt::Orange);
    QPalette greyWhenDisabled = Text1->palette();
    greyWhenDisabled.setColor(QPalette::Disabled, QPalette::Text, rt::toQColor(0x808080));
    Text1->setPalette(greyWhenDisabled);
    rt::placeTwips(Text1, 480, 3720, 4455, 285);
}

void Form4::createLabelButtons() {
    for (int i = 0; i < 3; ++i) {
        const LabelButtonDesign& design = LabelButtons[i];
        auto* back = new rt::Label(this);
        back->setBackColour(rt::DarkGrey);
        rt::placeTwips(back, design.left, design.backTop, design.backWidth, LabelBackHeight);
        Label1.add(i, back);
    }
    for (int i = 0; i < 3; ++i) {
        const LabelButtonDesign& design = LabelButtons[i];
        auto* caption = new rt::Label(this, design.caption);
        caption->setForeColour(rt::Orange);
        caption->setBackTransparent();
        rt::placeTwips(caption, design.left, design.captionTop, design.backWidth,
                       LabelCaptionHeight);
        Label2.add(i, caption);
        auto* command = new rt::CommandButton(this, design.caption);
        command->hide();
        Command1.add(i, command);
    }
}

void Form4::connectHandlers() {
    connect(Drive1, &rt::DriveList::changed, this, &Form4::Drive1_Change);
    connect(Dir1, &rt::FolderList::changed, this, &Form4::Dir1_Change);
    connect(Text1, &rt::LineBox::clicked, this, &Form4::Text1_Click);
    connect(Picture2, &rt::PictureBox::mouseDown, this, &Form4::Picture2_MouseDown);
    for (int i = 0; i < 3; ++i) {
        connect(&Command1(i), &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        connect(&Label1(i), &rt::Label::mouseMoved, this, [this, i] { Label1_MouseMove(i); });
        connect(&Label2(i), &rt::Label::mouseMoved, this, [this, i] { Label2_MouseMove(i); });
        connect(&Label2(i), &rt::Label::mouseUp, this, [this, i] { Label2_MouseUp(i); });
    }
}

// Starts on the program's drive with the desktop folder shown, else the home folder; with
// neither, the program's folder stays shown.
void Form4::Form_Load() {
    setWindowIcon(Form1::instance().windowIcon());
    Picture1->move(10, Picture1->y());
    Picture1->resize(Picture1->width(), Drive1->height() - 5);
    Text1->move(Picture1->x(), Text1->y());
    Drive1->setDrive(rt::programFolder());
    Drive1->refresh();
    Drive1->move(-3, -3);
    Drive1->resize(Picture1->width() + 4, Drive1->height());
    Dir1->move(Picture1->x(), Dir1->y());
    Dir1->setPath(rt::programFolder());
    Dir1->refresh();
    Dir1->setPath(GetSpecialfolder(DesktopDirectory));
    Dir1->refresh();
    rt::place(Shape1, 1, 1, width() - 2, height() - 2);
    rt::place(Picture2, 3, 3, width() - 6, Picture2->height());
    PrintTitle();
    PlaceLabelButtons();
    const QWidget* owner = parentWidget();
    move(owner->frameGeometry().center() - rect().center());
}

void Form4::PlaceLabelButtons() {
    const auto placeCaption = [this](int i) { Label2(i).move(Label1(i).x(), Label1(i).y() + 5); };
    Label1(0).move(Text1->x(), Label1(0).y());
    placeCaption(0);
    Label1(1).move(Label1(0).x() + Label1(0).width() + 5, Label1(1).y());
    placeCaption(1);
    const double cancelLeft = Text1->width() - Text1->x() - Label1(2).width() / 1.4;
    Label1(2).move(int(std::lround(cancelLeft)), Label1(2).y());
    placeCaption(2);
}

void Form4::PrintTitle() {
    const qreal ratio = devicePixelRatioF();
    QPixmap strip(Picture2->size() * ratio);
    strip.setDevicePixelRatio(ratio);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.setFont(Picture2->font());
    painter.setPen(Picture2->palette().color(QPalette::WindowText));
    painter.drawText(10, 5 + painter.fontMetrics().ascent(), " Custom Output Directory");
    painter.end();
    Picture2->setPicture(strip);
}

// The desktop folder, else the home folder, for 16; nothing for any other number.
QString Form4::GetSpecialfolder(int CSIDL) const {
    if (CSIDL != DesktopDirectory)
        return QString();
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QFileInfo(desktop).isDir())
        return desktop;
    const QString home = QDir::homePath();
    return QFileInfo(home).isDir() ? home : QString();
}

void Form4::Drive1_Change() {
    Dir1->setPath(Drive1->drive());
    Dir1->refresh();
}

void Form4::Dir1_Change() {
    const QString shown = Dir1->path();
    BrowsePath = shown.endsWith('/') ? shown : shown + "/";
}

void Form4::Command1_Click(int Index) {
    switch (Index) {
    case MakeNewFolder:
        Text1->setEnabled(true);
        break;
    case Ok:
        ChooseOutputFolder();
        break;
    case Cancel:
        // The output location stays as it was: an empty one would send the outputs to "/".
        unload();
        break;
    default:
        break;
    }
}

// An empty name puts the placeholder back and keeps the dialog open; a name that would leave
// the shown folder, or a folder that cannot be made, is refused with the dialog kept open.
void Form4::ChooseOutputFolder() {
    const QString typed = trimBlanks(Text1->text());
    if (typed.isEmpty()) {
        Text1->setText(NewFolderText);
        Text1->setEnabled(false);
        return;
    }
    const QString name = withoutClosingSeparators(typed);
    if (!staysInsideShownFolder(name)) {
        showRefusal("No level of a folder name can be empty, \".\" or \"..\".");
        return;
    }
    const QString path = BrowsePath + name;
    if (!CreateOutputFolder(path)) {
        showRefusal("The folder could not be created:\n" + path);
        return;
    }
    OutputLocation = path;
    Text1->setEnabled(false);
    rt::StatusPanel& panel = Form1::instance().StatusBar1->panel(7);
    panel.setStyle(0);
    panel.setAutoSize(2);
    panel.setText("Custom Save Location: ..." + path.mid(path.lastIndexOf('/')) + "    ");
    unload();
}

// Makes the folder (an existing one is used as it is) and shows it; false when there is no
// folder at Path afterwards. Nothing is ever replaced.
bool Form4::CreateOutputFolder(const QString& Path) {
    if (!Path.startsWith('/'))
        return false;
    const std::filesystem::path folder(QFile::encodeName(Path).toStdString());
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    if (!std::filesystem::is_directory(folder, ignored))
        return false;
    Dir1->setPath(Path);
    Dir1->refresh();
    return true;
}

void Form4::Label2_MouseUp(int Index) {
    Command1(Index).click();
}

void Form4::Text1_Click() {
    if (Text1->text() == NewFolderText)
        Text1->clear();
}

void Form4::Picture2_MouseDown() {
    rt::startWindowMove(this);
}

void Form4::mouseMoveEvent(QMouseEvent*) {
    Form_MouseMove();
}

// A close by the window system unloads the dialog as "Cancel" does: the next opening is fresh.
void Form4::closeEvent(QCloseEvent* event) {
    event->ignore();
    unload();
}

void Form4::Form_MouseMove() {
    Label1.forEach([](int, rt::Label& back) { back.setBackColour(rt::DarkGrey); });
}

void Form4::Label1_MouseMove(int Index) {
    Form_MouseMove();
    Label1(Index).setBackColour(rt::Black);
}

void Form4::Label2_MouseMove(int Index) {
    Label1_MouseMove(Index);
}
