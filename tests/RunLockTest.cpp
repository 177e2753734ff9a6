#include "TestSupport.h"

#include "core/Form2.h"
#include "core/Main.h"
#include "core/Queue.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/Dialogs.h"

#include "core/AddVideos.h"
#include "core/PermittedTypes.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QMenuBar>
#include <QTest>

namespace {

class RunLockTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Main();
    }
    Form1& form() { return Form1::instance(); }
    void clickToolbar(int button) { form().Toolbar1_ButtonClick(&form().Toolbar1->button(button)); }

    std::vector<int> enabledOptions() {
        std::vector<int> enabled;
        form().Option1.forEach([&](int i, rt::OptionButton& option) {
            if (option.isEnabled())
                enabled.push_back(i);
        });
        return enabled;
    }

    // Whether every control of the run lock is usable again; the compress button, unless left
    // out, also waits for the run's last job to end.
    bool unlocked(bool withCompress = true) {
        Form1& window = form();
        bool all = window.mnu_File->isEnabled() && window.mnu_ContextMenu->isEnabled() &&
                   window.Slider1(0).isEnabled() && window.Slider1(1).isEnabled() &&
                   enabledOptions().size() == 6;
        for (int button : {2, 3, 5, 7})
            if (button != 5 || withCompress)
                all = all && window.Toolbar1->button(button).isEnabled();
        window.Label10.forEach([&](int, rt::Label& hitArea) { all = all && hitArea.isEnabled(); });
        window.Label11.forEach([&](int, rt::Label& caption) { all = all && caption.isEnabled(); });
        return all;
    }
};

TEST_F(RunLockTest, CompressLocksExactlyTheRunControls) {
    Form1& window = form();
    window.Option1(3).setChecked(true);
    clickToolbar(5);

    for (int button : {2, 3, 5, 7})
        EXPECT_FALSE(window.Toolbar1->button(button).isEnabled()) << button;
    for (int button : {1, 4, 6, 8, 9})
        EXPECT_TRUE(window.Toolbar1->button(button).isEnabled()) << button;
    window.Label10.forEach(
        [](int i, rt::Label& hitArea) { EXPECT_FALSE(hitArea.isEnabled()) << i; });
    window.Label11.forEach(
        [](int i, rt::Label& caption) { EXPECT_TRUE(caption.isEnabled()) << i; });
    EXPECT_FALSE(window.Slider1(0).isEnabled());
    EXPECT_FALSE(window.Slider1(1).isEnabled());
    EXPECT_EQ(enabledOptions(), std::vector<int>{3});
    EXPECT_FALSE(window.mnu_File->isEnabled());
    EXPECT_FALSE(window.mnu_File->menuAction()->isEnabled());
    EXPECT_FALSE(window.mnu_ContextMenu->isEnabled());
    for (QMenu* menu :
         {window.mnu_ColourTheme, window.mnu_Info, window.mnu_About, window.mnu_Donation})
        EXPECT_TRUE(menu->isEnabled());
    for (int i = 0; i <= 3; ++i)
        EXPECT_TRUE(window.Picture16(i).isEnabled()); // the bar has a lock of its own
    EXPECT_TRUE(window.ListView1->isEnabled());
}

// Ctrl+R clears the queue while the File menu is usable and does nothing while it is locked.
// The lock is taken on an empty queue: starting jobs would give the keyboard to a job window.
TEST_F(RunLockTest, FileMenuShortcutsFollowTheLock) {
    Form1& window = form();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const auto pressCtrlR = [&] { QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier); };
    window.ListView1->addRow("1");
    pressCtrlR();
    EXPECT_EQ(window.ListView1->rowCount(), 0);

    clickToolbar(5);
    window.ListView1->addRow("1");
    pressCtrlR();
    EXPECT_EQ(window.ListView1->rowCount(), 1);

    clickToolbar(9);
    pressCtrlR();
    EXPECT_EQ(window.ListView1->rowCount(), 0);
}

TEST_F(RunLockTest, UltrafastLeavesOnlyTheFirstOptionAndNoChoiceLeavesNone) {
    Form1& window = form();
    clickToolbar(5);
    EXPECT_EQ(enabledOptions(), std::vector<int>{0});
    clickToolbar(9);

    window.Option1(0).setAutoExclusive(false);
    window.Option1(0).setChecked(false);
    clickToolbar(5);
    EXPECT_TRUE(enabledOptions().empty());
}

TEST_F(RunLockTest, StopUnlocksEverythingAndRequestsTheStop) {
    clickToolbar(5);
    ASSERT_FALSE(unlocked());
    clickToolbar(9);
    EXPECT_TRUE(unlocked());
    EXPECT_TRUE(CancelRequested);
}

TEST_F(RunLockTest, RunStaysLockedUntilItsLastPassEnds) {
    Form1& window = form();
    clickToolbar(5);
    // Three videos: two passes each; every finished pass moves the overall bar and rewrites
    // the overall percentage.
    window.PBar1(2).setMax(6);
    window.PBar1(2).setValue(0);
    for (int pass = 1; pass <= 5; ++pass) {
        window.PBar1(2).setValue(pass);
        window.Label1(7).setCaption(QString::number(pass * 100.0 / 6, 'f', 2) + "%");
        EXPECT_FALSE(unlocked()) << pass;
    }
    window.PBar1(2).setValue(6);
    EXPECT_FALSE(unlocked()); // the bar alone does not end the run
    window.Label1(7).setCaption("100.00%");
    EXPECT_TRUE(unlocked());
    EXPECT_FALSE(CancelRequested);
}

// A real run of one video with fake tools (the probe reports five seconds, ffmpeg writes the
// file it is told to): the window stays locked through pass 1 and opens after pass 2; the
// compress button comes back once the job has ended.
TEST_F(RunLockTest, RealRunUnlocksOnlyAfterItsLastPass) {
    writeTool("ffprobe",
              "#!/bin/sh\necho '  Duration: 00:00:05.00, start: 0.000000, bitrate: 800 kb/s'\n"
              "echo '  Stream #0:0: Video: h264, yuv420p, 160x120, 25 fps'\n");
    writeTool("ffmpeg", "#!/bin/sh\nfor last; do :; done\nprintf x > \"$last\"\n");
    CreateDefaultPermittedTypes();
    LoadPermittedTypes();
    AddVideoToQueue(writeFile("videos/one.mp4", 4 * 1024 * 1024));
    Form1& window = form();
    ASSERT_EQ(window.ListView1->rowCount(), 1);

    clickToolbar(5);
    std::vector<std::pair<double, bool>> passes; // overall value, unlocked after its caption
    QObject::connect(&window.Label1(7), &rt::Label::changed,
                     [&] { passes.emplace_back(window.PBar1(2).value(), unlocked(false)); });
    const QDeadlineTimer deadline(60000);
    while (!unlocked() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);

    ASSERT_TRUE(unlocked());
    EXPECT_EQ(passes, (std::vector<std::pair<double, bool>>{{1, false}, {2, true}}));
    EXPECT_EQ(window.ListView1->cell(1, QueueColumn::CompressionPass), "Compression Complete");
}

TEST_F(RunLockTest, SpeedBadgeHidesWhenTheSpeedReadsZero) {
    Form1& window = form();
    window.Label15->show();
    window.Label1(11).setCaption("7.30");
    EXPECT_FALSE(window.Label15->isHidden());
    window.Label1(11).setCaption("0.00");
    EXPECT_TRUE(window.Label15->isHidden());
    window.Label15->show();
    window.Label1(0).setCaption("Compress to 50% of Original Video Size");
    EXPECT_TRUE(window.Label15->isHidden());
}

TEST_F(RunLockTest, SeparatorsAndPlaceholderDoNothing) {
    for (int button : {1, 4, 6, 8})
        clickToolbar(button);
    EXPECT_TRUE(unlocked());
    EXPECT_FALSE(CancelRequested);
    EXPECT_TRUE(rt::uiScript().openDialogTitles.empty());
}

TEST_F(RunLockTest, MenuRunsApplyNoLock) {
    form().mnu_StartCompression->trigger();
    form().mnu_StartCompr->trigger();
    EXPECT_TRUE(unlocked());
}

// One run at a time: while a job of the run is unfinished no start is offered, and one asked
// for anyway does nothing. The stop offers them again, and so does the end of the last job.
TEST_F(RunLockTest, NoRunStartsWhileOneIsUnderWay) {
    Form1& window = form();
    window.ListView1->addRow("1"); // its job finds no source
    const auto startsOffered = [&] {
        return std::vector<bool>{
            window.mnu_StartCompression->isEnabled(), window.mnu_StartCompr->isEnabled(),
            window.Toolbar1->button(5).isEnabled(), window.Picture16(2).isEnabled()};
    };
    const std::vector<bool> all(4, true), none(4, false);
    const auto loadedJobs = [&] {
        QList<Form2*> loaded;
        for (Form2* job : window.findChildren<Form2*>())
            if (!job->unloaded())
                loaded << job;
        return loaded;
    };

    window.mnu_StartCompression->trigger();
    EXPECT_EQ(startsOffered(), none);
    window.mnu_StartCompression->trigger();
    window.mnu_StartCompr->trigger();
    clickToolbar(5);
    window.ToolButtonUp(2);
    EXPECT_EQ(loadedJobs().size(), 1);
    EXPECT_TRUE(window.Toolbar1->button(2).isEnabled()); // nor did they lock anything
    EXPECT_TRUE(window.Picture16(0).isEnabled());

    window.ToolButtonUp(4);
    EXPECT_EQ(startsOffered(), all);

    clickToolbar(5);
    ASSERT_EQ(loadedJobs().size(), 1);
    EXPECT_EQ(startsOffered(), none);
    loadedJobs().front()->Timer1->setInterval(10);
    const QDeadlineTimer deadline(10000);
    while (Form2::runUnderWay() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    EXPECT_EQ(window.ListView1->cell(1, QueueColumn::ProcessStatus), "Source video not found");
    EXPECT_EQ(startsOffered(), all);
    EXPECT_TRUE(unlocked());
}

TEST_F(RunLockTest, ClearAllEmptiesTheQueueAndTheCountFollows) {
    Form1& window = form();
    for (int i = 1; i <= 3; ++i)
        window.ListView1->addRow(QString::number(i));
    window.StatusBar1->setPanelText(2, "Total UnCompressed Size: 12.5 Mb");
    window.mnu_ClearAll->trigger();
    EXPECT_EQ(window.ListView1->rowCount(), 0);
    window.Timer2_Timer();
    EXPECT_EQ(window.StatusBar1->panelText(1), "Video Count:  00");
    EXPECT_EQ(window.StatusBar1->panelText(2), "Total UnCompressed Size: 12.5 Mb");

    window.ListView1->addRow("1");
    window.mnu_ClearAllContextMnu->trigger();
    EXPECT_EQ(window.ListView1->rowCount(), 0);
}

} // namespace
