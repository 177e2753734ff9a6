#include "mainwindow/Form1.h"

#include "runtime/AboutBox.h"
#include "runtime/Dialogs.h"
#include "runtime/FileSystem.h"
#include "runtime/ProgramFolder.h"
#include "runtime/StartProgram.h"

namespace {

const QString HelpVideosPage = QStringLiteral("https://tovrane.example.org/help-videos");
const QString WebPage = QStringLiteral("https://tovrane.example.org/");
const QString ContactAddress = QStringLiteral("designer@tovrane.example.org");
const QString DonationPage = QStringLiteral("https://tovrane.example.org/donate");

const QString DonationTip =
    QStringLiteral(" Please help this freeware software by making a donation ");
const QString CloseTip = QStringLiteral(" Hide this message ");

// The strip's slide: its two resting places, the step and where the banner shows again (twips).
constexpr double StripClosedLeft = 3600;
constexpr double StripOpenLimit = 9100;
constexpr double BannerShowsAfter = 9000;
constexpr double SlideStep = 30;

constexpr rt::Colour LinkGrey = 0x808080;

void setLineTwips(rt::Line* line, int x, int top, int bottom) {
    line->setPoints(rt::twipsToPixels(x), rt::twipsToPixels(top), rt::twipsToPixels(x),
                    rt::twipsToPixels(bottom));
}

void setFontLook(QWidget& control, bool bold, bool underlined) {
    QFont font = control.font();
    font.setBold(bold);
    font.setUnderline(underlined);
    control.setFont(font);
}

void setUnderlined(QWidget& control, bool underlined) {
    setFontLook(control, control.font().bold(), underlined);
}

// The program's version as major.minor.revision, without leading zeros.
QString VersionText() {
    return QString("%1.%2.%3")
        .arg(TOVRANE_VERSION_MAJOR)
        .arg(TOVRANE_VERSION_MINOR)
        .arg(TOVRANE_VERSION_REVISION);
}

} // namespace

void Form1::createBanner() {
    Picture5 = new rt::PictureBox(Toolbar1);
    Picture5->setBackColour(rt::NearBlack);
    rt::placeTwips(Picture5, 3480, 0, 5655, 615);
    // The title strip slides over the banner's place.
    Picture5->stackUnder(Picture12);

    auto* plea = new rt::Label(Picture5, "Please Contribute to these Freeware Developments");
    rt::placeTwips(plea, 360, 0, 4455, 240);
    plea->setForeColour(rt::Orange);
    auto* link = new rt::Label(Picture5, DonationPage);
    rt::placeTwips(link, 120, 240, 4845, 240);
    link->setForeColour(LinkGrey);
    Label3.add(0, link);
    Label3.add(1, plea);

    Label5 = new rt::Label(Picture5, "X");
    rt::placeTwips(Label5, 5160, 120, 255, 255);
    Label5->setForeColour(rt::Orange);

    Line7 = new rt::Line(Picture5);
    setLineTwips(Line7, 0, 75, 525);
    Line7->setBorderColour(rt::Silver);
    Line8 = new rt::Line(Picture5);
    setLineTwips(Line8, 5520, 75, 525);
    Line8->setBorderColour(rt::Silver);
}

void Form1::connectHelp() {
    connect(mnu_HlpVideos, &QAction::triggered, this, &Form1::mnu_HlpVideos_Click);
    connect(mnu_TovraneWeb, &QAction::triggered, this, &Form1::mnu_TovraneWeb_Click);
    connect(mnu_ContactDesigner, &QAction::triggered, this, &Form1::mnu_ContactDesigner_Click);
    connect(mnu_AboutTovrane, &QAction::triggered, this, &Form1::mnu_AboutTovrane_Click);
    connect(mnu_UpdateCheck, &QAction::triggered, this, &Form1::mnu_UpdateCheck_Click);
    connect(mnu_MakeDonation, &QAction::triggered, this, &Form1::mnu_MakeDonation_Click);
    connect(mnu_PayPalURL, &QAction::triggered, this, &Form1::mnu_PayPalURL_Click);
    Label3.forEach([this](int index, rt::Label& label) {
        connect(&label, &rt::Label::mouseMoved, this, [this, index] { Label3_MouseMove(index); });
        connect(&label, &rt::Label::mouseUp, this, [this, index] { Label3_MouseUp(index); });
    });
    connect(Label5, &rt::Label::mouseMoved, this, &Form1::Label5_MouseMove);
    connect(Label5, &rt::Label::mouseUp, this, &Form1::Label5_MouseUp);
    connect(Picture5, &rt::PictureBox::mouseMoved, this, &Form1::Picture5_MouseMove);
    connect(Timer5, &rt::Timer::tick, this, &Form1::Timer5_Timer);
}

// ---- Menus

void Form1::mnu_HlpVideos_Click() {
    rt::shellOpen(HelpVideosPage);
}

void Form1::mnu_TovraneWeb_Click() {
    rt::shellOpen(WebPage);
}

void Form1::mnu_AboutTovrane_Click() {
    rt::aboutBox(this, "Tovrane", "Tovrane:\tHigh Quality H.265 2-Pass Video Compressor");
}

void Form1::mnu_ContactDesigner_Click() {
    const QString version = VersionText();
    const int answer = rt::msgBox("If you have Windows configured to handle mailto, select Yes.\r\n"
                                  "Otherwise, select No, to get the contact Email Address.",
                                  rt::YesNoCancelExclamation, "Email Contact");
    if (answer == rt::AnswerYes)
        rt::shellOpen("mailto:" + ContactAddress + "?subject=Contact Request From Tovrane App: v" +
                      version + "&Body=Tovrane - Designer.");
    else if (answer == rt::AnswerNo)
        rt::msgBox("Contact Email:\r\n" + ContactAddress, rt::OkExclamation, "Email Contact");
}

// The checker is optional: without one beside the program nothing happens.
void Form1::mnu_UpdateCheck_Click() {
    const QString checker = rt::programFolder() + "/VersionCheck";
    if (rt::fileExists(checker))
        rt::startProgram(checker);
}

void Form1::mnu_MakeDonation_Click() {
    const QString answer = rt::inputBox("Please make a donation to help developments\r\n\r\n"
                                        "Thank You Very Much",
                                        "PayPal Donation", DonationPage)
                               .value_or(QString());
    if (answer.isEmpty()) {
        rt::msgBox("Thank you for using this Freeware Software.", rt::OkCancelExclamation,
                   "Freeware - Software");
        return;
    }
    rt::setClipboardText(answer);
    rt::msgBox("For your convenience in donating, the address:\r\n" + answer +
                   "\r\nhas been placed onto your computers clipboard.\r\n\r\n"
                   "Thank You very much.",
               rt::OkExclamation, "PayPal Donations");
}

// Only turns the slide round: the banner comes back once it has been closed.
void Form1::mnu_PayPalURL_Click() {
    BannerShown = true;
}

// ---- The banner

void Form1::Label3_MouseUp(int Index) {
    if (Index == 0)
        rt::shellOpen(DonationPage);
}

void Form1::Label5_MouseUp() {
    Picture5->hide();
    Timer5->setEnabled(true);
    BannerShown = false;
}

// Once started, the timer runs for good and keeps the strip at the end BannerShown selects.
void Form1::Timer5_Timer() {
    if (!BannerSlideArmed)
        return;
    const double left = rt::pixelsToTwips(Picture12->x());
    if (!BannerShown) {
        if (left > StripClosedLeft)
            Picture12->move(rt::twipsToPixels(left - SlideStep), Picture12->y());
        return;
    }
    if (left < StripOpenLimit) {
        const double moved = left + SlideStep;
        Picture12->move(rt::twipsToPixels(moved), Picture12->y());
        if (moved > BannerShowsAfter)
            Picture5->show();
    }
}

void Form1::Label3_MouseMove(int Index) {
    Label3(Index).setToolTip(DonationTip);
    setUnderlined(Label3(0), Index == 0);
}

void Form1::Label5_MouseMove() {
    Label5->setToolTip(CloseTip);
    setFontLook(*Label5, true, true);
}

void Form1::Picture5_MouseMove() {
    Label3(0).setForeColour(rt::White);
    setUnderlined(Label3(0), false);
    ResetBannerClose();
}

// The window's other surfaces take the banner's hover looks back.
void Form1::ResetBannerLink(bool toGrey) {
    setUnderlined(Label3(0), false);
    if (toGrey)
        Label3(0).setForeColour(LinkGrey);
}

void Form1::ResetBannerClose() {
    setFontLook(*Label5, false, false);
}
