// The Help, About and Donate menus and the donation banner: where they lead, what they show, the
// optional update checker, and the banner's slide and hover looks.
#include "TestSupport.h"

#include "mainwindow/Form1.h"
#include "runtime/Dialogs.h"
#include "runtime/Events.h"
#include "runtime/ProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

namespace {

void sendMouseOver(QWidget* target, QEvent::Type type, Qt::MouseButton button) {
    sendMouse(target, type, button);
}

void moveOver(QWidget* target) {
    sendMouseOver(target, QEvent::MouseMove, Qt::NoButton);
}

void releaseOver(QWidget* target, Qt::MouseButton button = Qt::LeftButton) {
    sendMouseOver(target, QEvent::MouseButtonRelease, button);
}

bool underlined(const QWidget& control) {
    return control.font().underline();
}

rt::Colour textColour(const QWidget& control) {
    const QColor c = control.palette().color(QPalette::WindowText);
    return rt::rgb(c.red(), c.green(), c.blue());
}

class HelpMenuTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        writeTool("ffmpeg", "#!/bin/sh\n");
        writeTool("ffprobe", "#!/bin/sh\n");
    }
    Form1& form() { return Form1::instance(); }
    double stripLeft() { return rt::pixelsToTwips(form().Picture12->x()); }
    void slide(int steps) {
        for (int i = 0; i < steps; ++i)
            form().Timer5_Timer();
    }
    static rt::UiScript& script() { return rt::uiScript(); }
};

TEST_F(HelpMenuTest, PagesAboutBoxAndBannerLinkGoWhereTheySay) {
    Form1& window = form();
    window.mnu_HlpVideos->trigger();
    window.mnu_TovraneWeb->trigger();
    releaseOver(&window.Label3(1), Qt::RightButton);
    releaseOver(&window.Label3(0), Qt::RightButton);
    const std::vector<QString> expected = {"https://tovrane.example.org/help-videos",
                                           "https://tovrane.example.org/",
                                           "https://tovrane.example.org/donate"};
    EXPECT_EQ(script().launched, expected);
    EXPECT_EQ(window.Label3(0).caption(), expected[2]);

    window.mnu_AboutTovrane->trigger();
    ASSERT_EQ(script().msgBoxes.size(), 1u);
    EXPECT_EQ(script().msgBoxes[0].title, "About Tovrane");
    EXPECT_EQ(script().msgBoxes[0].prompt, "Tovrane:\tHigh Quality H.265 2-Pass Video Compressor");
}

TEST_F(HelpMenuTest, ContactDesignerMailsOnYesShowsTheAddressOnNoAndStopsOnCancel) {
    script().msgBoxAnswers = {rt::AnswerCancel, rt::AnswerYes, rt::AnswerNo};
    for (int i = 0; i < 3; ++i)
        form().mnu_ContactDesigner->trigger();

    ASSERT_EQ(script().msgBoxes.size(), 4u);
    EXPECT_EQ(script().msgBoxes[0].prompt,
              "If you have Windows configured to handle mailto, select Yes.\r\n"
              "Otherwise, select No, to get the contact Email Address.");
    EXPECT_EQ(script().msgBoxes[0].style, rt::YesNoCancelExclamation);
    EXPECT_EQ(script().msgBoxes[0].title, "Email Contact");
    const std::vector<QString> mail = {"mailto:designer@tovrane.example.org?subject=Contact "
                                       "Request From Tovrane App: v1.4.3&Body=Tovrane - Designer."};
    EXPECT_EQ(script().launched, mail);
    EXPECT_EQ(script().msgBoxes[3].prompt, "Contact Email:\r\ndesigner@tovrane.example.org");
    EXPECT_EQ(script().msgBoxes[3].style, rt::OkExclamation);
    EXPECT_EQ(script().msgBoxes[3].title, "Email Contact");
}

TEST_F(HelpMenuTest, DonationPutsTheAnswerOnTheClipboardAndThanksOnCancelOrEmpty) {
    script().inputAnswers = {std::nullopt, QString(), QString("https://pay.example.org/x")};
    for (int i = 0; i < 3; ++i)
        form().mnu_MakeDonation->trigger();

    const auto& shown = script().msgBoxes;
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[0].title, "PayPal Donation");
    EXPECT_EQ(shown[0].prompt,
              "Please make a donation to help developments\r\n\r\nThank You Very Much");
    for (int thanks : {1, 3}) {
        EXPECT_EQ(shown[thanks].prompt, "Thank you for using this Freeware Software.");
        EXPECT_EQ(shown[thanks].style, rt::OkCancelExclamation);
        EXPECT_EQ(shown[thanks].title, "Freeware - Software");
    }
    EXPECT_EQ(script().clipboardTexts, std::vector<QString>{"https://pay.example.org/x"});
    EXPECT_EQ(shown[5].prompt, "For your convenience in donating, the address:\r\n"
                               "https://pay.example.org/x\r\n"
                               "has been placed onto your computers clipboard.\r\n\r\n"
                               "Thank You very much.");
    EXPECT_EQ(shown[5].style, rt::OkExclamation);
    EXPECT_EQ(shown[5].title, "PayPal Donations");
}

TEST_F(HelpMenuTest, UpdateCheckRunsTheCheckerBesideTheProgramOrDoesNothing) {
    form().mnu_UpdateCheck->trigger();
    EXPECT_TRUE(script().launched.empty());
    EXPECT_TRUE(script().msgBoxes.empty());

    // A folder the checker must be started from as it is, by no shell.
    const QString odd = folder_.path() + "/it's \"odd\" $HOME; (1)";
    ASSERT_TRUE(QDir().mkpath(odd));
    rt::setProgramFolder(odd);
    const QString checker = odd + "/VersionCheck";
    QFile file(checker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\necho \"$# $PWD\" > \"$(dirname \"$0\")/ran.txt\"\n");
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);

    form().mnu_UpdateCheck->trigger();
    EXPECT_EQ(script().launched, std::vector<QString>{"run:" + checker});

    script().active = false;
    form().mnu_UpdateCheck_Click();
    script().active = true;
    QFile ran(odd + "/ran.txt");
    QElapsedTimer clock;
    clock.start();
    while (!(ran.exists() && ran.size() > 0) && clock.elapsed() < 5000)
        rt::doEvents();
    ASSERT_TRUE(ran.open(QIODevice::ReadOnly));
    EXPECT_EQ(ran.readAll(), "0 /\n");
}

TEST_F(HelpMenuTest, ClosingSlidesTheStripLeftAndShowPayPalBringsTheBannerBack) {
    Form1& window = form();
    EXPECT_TRUE(window.Picture5->isVisibleTo(window.Toolbar1));
    EXPECT_EQ(stripLeft(), 9120);
    EXPECT_FALSE(window.Timer5->enabled());

    // Before the first close the menu only turns the direction round.
    window.mnu_PayPalURL->trigger();
    releaseOver(window.Label5, Qt::MiddleButton);
    EXPECT_FALSE(window.Picture5->isVisibleTo(window.Toolbar1));
    EXPECT_TRUE(window.Timer5->enabled());
    slide(183);
    EXPECT_EQ(stripLeft(), 3630);
    slide(2);
    EXPECT_EQ(stripLeft(), 3600);

    window.mnu_PayPalURL->trigger();
    slide(180);
    EXPECT_EQ(stripLeft(), 9000);
    EXPECT_FALSE(window.Picture5->isVisibleTo(window.Toolbar1));
    slide(1);
    EXPECT_EQ(stripLeft(), 9030);
    EXPECT_TRUE(window.Picture5->isVisibleTo(window.Toolbar1));
    slide(4);
    EXPECT_EQ(stripLeft(), 9120);
}

TEST_F(HelpMenuTest, ASlideTurnsRoundAtOnceEitherWay) {
    Form1& window = form();
    window.Label5_MouseUp();
    slide(10);
    window.mnu_PayPalURL_Click();
    slide(3);
    EXPECT_EQ(stripLeft(), 9120 - 7 * 30);

    slide(7);
    EXPECT_EQ(stripLeft(), 9120);
    window.Label5_MouseUp();
    slide(10);
    window.mnu_PayPalURL_Click();
    slide(8);
    ASSERT_EQ(stripLeft(), 9060);
    EXPECT_TRUE(window.Picture5->isVisibleTo(window.Toolbar1));
    window.Label5_MouseUp();
    slide(1);
    EXPECT_EQ(stripLeft(), 9030);
    EXPECT_FALSE(window.Picture5->isVisibleTo(window.Toolbar1));
}

TEST_F(HelpMenuTest, TheRunningTimerSlidesTheStrip) {
    Form1& window = form();
    releaseOver(window.Label5);
    QElapsedTimer clock;
    clock.start();
    while (stripLeft() == 9120 && clock.elapsed() < 2000)
        rt::doEvents();
    EXPECT_LT(stripLeft(), 9120);
}

TEST_F(HelpMenuTest, BannerHoverLooksAndTheirResetsOnOtherSurfaces) {
    Form1& window = form();
    rt::Label& link = window.Label3(0);
    EXPECT_EQ(textColour(link), 0x808080u);

    moveOver(&link);
    EXPECT_TRUE(underlined(link));
    EXPECT_EQ(link.toolTip(), " Please help this freeware software by making a donation ");
    moveOver(&window.Label3(1));
    EXPECT_FALSE(underlined(link));
    EXPECT_EQ(window.Label3(1).toolTip(), link.toolTip());

    moveOver(window.Label5);
    EXPECT_TRUE(window.Label5->font().bold());
    EXPECT_TRUE(underlined(*window.Label5));
    EXPECT_EQ(window.Label5->toolTip(), " Hide this message ");

    moveOver(window.Picture5);
    EXPECT_EQ(textColour(link), rt::White);
    EXPECT_FALSE(window.Label5->font().bold());
    EXPECT_FALSE(underlined(*window.Label5));

    // The queue takes the underline and the close label's look back, not the link's colour.
    moveOver(&link);
    moveOver(window.Label5);
    window.ListView1_MouseMove(Qt::NoButton);
    EXPECT_FALSE(underlined(link));
    EXPECT_EQ(textColour(link), rt::White);
    EXPECT_FALSE(window.Label5->font().bold());

    for (auto reset : {&Form1::Form_MouseMove, &Form1::Toolbar1_MouseMove}) {
        moveOver(window.Picture5);
        moveOver(&link);
        moveOver(window.Label5);
        (window.*reset)(Qt::NoButton);
        EXPECT_FALSE(underlined(link));
        EXPECT_EQ(textColour(link), 0x808080u);
        EXPECT_FALSE(window.Label5->font().bold());
        EXPECT_FALSE(underlined(*window.Label5));
    }
}

} // namespace
