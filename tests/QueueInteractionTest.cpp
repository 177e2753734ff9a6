#include "TestSupport.h"

#include "core/Main.h"
#include "core/PermittedTypes.h"
#include "core/Queue.h"
#include "core/Settings.h"
#include "dialogs/Form3.h"
#include "mainwindow/Form1.h"
#include "runtime/Dialogs.h"
#include "runtime/Events.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

namespace {

class QueueInteractionTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        writeTool("ffmpeg", "#!/bin/sh\n");
        writeTool("ffprobe", "#!/bin/sh\n");
        Main();
        CreateDefaultPermittedTypes();
        LoadPermittedTypes();
    }
    Form1& form() { return Form1::instance(); }
    rt::ListView& queue() { return *form().ListView1; }
    // Appends rows named video<n>, n being the row's number, with their source paths.
    void fillQueue(int rows) {
        for (int added = 0; added < rows; ++added) {
            const int n = queue().addRow(QString::number(queue().rowCount() + 1));
            queue().setCell(n, QueueColumn::VideoPath, QString("/v/video%1.mp4").arg(n));
            queue().setCell(n, QueueColumn::VideoName, "video" + QString::number(n));
            queue().setCell(n, QueueColumn::VideoType, "MPEG-4 video");
        }
    }
    QStringList column(int column) {
        QStringList cells;
        for (int row = 1; row <= queue().rowCount(); ++row)
            cells << queue().cell(row, column);
        return cells;
    }
    void click(int row, Qt::MouseButton button) {
        const QRect rect = queue().visualItemRect(queue().topLevelItem(row - 1));
        QTest::mouseClick(queue().viewport(), button, {}, rect.center());
    }
    std::vector<rt::MsgBoxRecord>& boxes() { return rt::uiScript().msgBoxes; }
    std::vector<QString>& launched() { return rt::uiScript().launched; }
};

TEST_F(QueueInteractionTest, ClicksRememberTheRowAndRecolourOnlyOnTheLeftButton) {
    fillQueue(3);
    queue().setChecked(2, true);
    queue().setRowColour(3, rt::Green); // a row with individual settings

    click(2, Qt::RightButton);
    EXPECT_EQ(SelectedVideoIndex, 2);
    EXPECT_TRUE(form().mnu_ContextMenu->isVisible());
    EXPECT_EQ(queue().rowColour(3), rt::Green);
    form().mnu_ContextMenu->hide();

    click(1, Qt::LeftButton);
    EXPECT_EQ(SelectedVideoIndex, 1);
    EXPECT_EQ(queue().rowColour(2), rt::White);
    EXPECT_TRUE(queue().rowBold(2));
    for (int row : {1, 3}) {
        EXPECT_EQ(queue().rowColour(row), rt::Orange) << row;
        EXPECT_FALSE(queue().rowBold(row)) << row;
    }
}

// A row whose own settings were removed takes black text; once the selection leaves it, its text
// still stands out from the dark list.
TEST_F(QueueInteractionTest, ARowWhoseSettingsWereRemovedStaysReadable) {
    fillQueue(2);
    form().show();
    click(2, Qt::LeftButton);
    form().mnu_Individual->trigger();
    Form3::instance().Command1_Click(1);
    ASSERT_EQ(queue().rowColour(2), rt::Black);
    QTest::keyClick(queue().viewport(), Qt::Key_Up);
    ASSERT_FALSE(queue().selected(2));
    const QImage shown = queue().viewport()->grab().toImage();
    const QRect name = queue().visualRect(queue().model()->index(1, QueueColumn::VideoName));
    const QColor background = shown.pixelColor(name.right() - 1, name.top() + 1);
    int legible = 0; // pixels as far from the background as the list's orange text is
    for (int y = name.top(); y <= name.bottom(); ++y)
        for (int x = name.left(); x <= name.right(); ++x)
            legible += std::abs(shown.pixelColor(x, y).lightness() - background.lightness()) > 60;
    EXPECT_GT(legible, 20);
}

// With every default type listed twice, a file whose type is listed is queued once.
TEST_F(QueueInteractionTest, DropsQueueFilesOfListedTypesOnly) {
    LoadPermittedTypes();
    const QString clip = writeFile("Clip.MP4", 1000);
    const QString notes = writeFile("notes.txt", 10);
    const QString film = writeFile("film.mov", 1000);
    QDir(folder_.path()).mkdir("Folder.mp4");
    emit queue().filesDropped({clip, notes, folder_.path() + "/Folder.mp4", film});
    EXPECT_EQ(column(QueueColumn::VideoPath), QStringList({clip, film}));
    EXPECT_TRUE(boxes().empty());
}

// No only paints every row plain; Yes removes the remembered row, which need not be selected.
TEST_F(QueueInteractionTest, RemovalOfTheRememberedRow) {
    fillQueue(3);
    queue().setCell(2, QueueColumn::VideoName, QString(31, 'n'));
    queue().setCell(3, QueueColumn::VideoName, QString(30, 'm'));
    queue().setRowBold(3, true);
    queue().selectRow(3);
    SelectedVideoIndex = 2;
    rt::uiScript().msgBoxAnswers = {rt::AnswerNo, rt::AnswerYes, rt::AnswerYes, rt::AnswerYes};

    form().mnu_RemVideo->trigger();
    EXPECT_EQ(queue().rowCount(), 3);
    EXPECT_FALSE(queue().rowBold(3));
    EXPECT_EQ(queue().selectedRow(), 1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].prompt, "You are about to remove a video \r\n\r\nTitle:\t" +
                                     QString(30, 'n') +
                                     "...\r\nType:\tMPEG-4 video\r\n\r\n"
                                     "Are you sure you want to remove this Video ?");
    EXPECT_EQ(boxes()[0].style, 51);
    EXPECT_EQ(boxes()[0].title, "Confirm Removal");

    queue().selectRow(3);
    form().mnu_RemVideo_Click();
    EXPECT_EQ(column(QueueColumn::Index), QStringList({"1", "2"}));
    EXPECT_EQ(queue().selectedRow(), 1);
    EXPECT_EQ(SelectedVideoIndex, 2);
    // The same number now names the next video; past the last row nothing goes.
    form().mnu_RemVideo_Click();
    EXPECT_TRUE(boxes()[2].prompt.contains("Title:\t" + QString(30, 'm') + "\r\n"));
    form().mnu_RemVideo_Click();
    EXPECT_TRUE(boxes()[3].prompt.contains("Title:\t\r\nType:\t\r\n"));
    EXPECT_EQ(column(QueueColumn::VideoName), QStringList({"video1"}));
}

TEST_F(QueueInteractionTest, OpenItemsActOnTheSelectedRow) {
    fillQueue(2);
    form().mnu_OpenCompressed_Click(); // nothing selected: nothing happens
    queue().selectRow(2);
    queue().setCell(2, QueueColumn::OutputPath, folder_.path() + "/out.mp4");
    form().mnu_OpenCompressed_Click();
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].prompt, "The selected video is not available");
    EXPECT_EQ(boxes()[0].style, 49);
    EXPECT_EQ(boxes()[0].title, "Video Not Available");

    const QString output = writeFile("out.mp4", 10);
    form().mnu_OpenCompressed_Click();
    form().mnu_OpenSourceVideo_Click();
    form().mnu_openLocation_Click();
    EXPECT_EQ(launched(), std::vector<QString>({output, "/v/video2.mp4", "select:/v/video2.mp4"}));
}

// The file manager is asked to select the video; when that call cannot start or ends with a
// failure (no session bus, no file manager answering), the video's folder opens instead.
TEST_F(QueueInteractionTest, OpenVideoLocationOpensTheFolderWhenTheFileManagerFails) {
    fillQueue(1);
    queue().selectRow(1);
    const auto runWith = [&](const QString& standIn, int waitMs = 5000) {
        rt::uiScript().launched.clear();
        rt::uiScript().fileManagerStandIn = standIn;
        form().mnu_openLocation_Click();
        QElapsedTimer clock;
        clock.start();
        while (launched().size() < 2 && clock.elapsed() < waitMs)
            rt::doEvents();
        return launched();
    };
    const std::vector<QString> folderOpened = {"select:/v/video1.mp4", "/v"};
    EXPECT_EQ(runWith(writeTool("no-bus", "#!/bin/sh\nexit 1\n")), folderOpened);
    EXPECT_EQ(runWith(folder_.path() + "/not-installed"), folderOpened);

    // An answered call opens nothing more: a second passes without a launch.
    const QString asked = folder_.path() + "/asked";
    const QString answers =
        writeTool("answers", "#!/bin/sh\necho \"$@\" > '" + asked.toUtf8() + "'\n");
    EXPECT_EQ(runWith(answers, 1000), std::vector<QString>{"select:/v/video1.mp4"});
    QFile arguments(asked);
    ASSERT_TRUE(arguments.open(QIODevice::ReadOnly));
    EXPECT_TRUE(arguments.readAll().contains("ShowItems array:string:file:///v/video1.mp4"));
}

TEST_F(QueueInteractionTest, AMissingTypesListIsRecreatedListedAndOpened) {
    form().List1->setCurrentRow(0);
    QTest::mouseDClick(form().List1->viewport(), Qt::LeftButton);
    EXPECT_EQ(launched(), std::vector<QString>{PermittedTypesPath});
    EXPECT_EQ(form().List1->currentRow(), -1);

    QFile::remove(PermittedTypesPath);
    rt::uiScript().msgBoxAnswers = {rt::AnswerNo, rt::AnswerYes};
    form().mnu_PermittedTypes_Click();
    EXPECT_EQ(form().List1->count(), 15);
    form().mnu_PermittedTypes_Click();
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[1].prompt,
              "The list could not be found\r\nDo you want to Re-Create it now ?");
    EXPECT_EQ(boxes()[1].style, 52);
    EXPECT_EQ(boxes()[1].title, "Permitted Types List not found");
    EXPECT_EQ(form().List1->count(), 30);
    EXPECT_EQ(launched().back(), PermittedTypesPath);
}

// Choosing the item already checked keeps it checked.
TEST_F(QueueInteractionTest, DebugItemsSwitchTheJobWindowsAndTheirChecks) {
    form().mnu_ShowAll->trigger();
    form().mnu_ShowAll->trigger();
    EXPECT_TRUE(ShowThreadWindows);
    EXPECT_TRUE(form().mnu_ShowAll->isChecked());
    EXPECT_FALSE(form().mnu_HideAll->isChecked());
}

} // namespace
