#include "TestSupport.h"

#include "core/Main.h"
#include "core/PermittedTypes.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/Dialogs.h"

#include <QFile>

namespace {

class PermittedTypesTest : public ProgramTest {
  protected:
    void writeList(const QByteArray& content) {
        QFile file(folder_.filePath("permitted_types.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QStringList entries() const { return Form1::instance().List1->items(); }
    QString countLabel() const { return Form1::instance().Label1(5).caption(); }
};

const QStringList DefaultTypes = {"3gp", "avi", "flv", "f4v", "mp4", "mpg",  "mpeg", "mts",
                                  "mov", "m4v", "m4a", "ogg", "vob", "webm", "wmv"};

TEST_F(PermittedTypesTest, WithoutAFileStartUpListsNothing) {
    Main();
    EXPECT_EQ(PermittedTypesPath, folder_.filePath("permitted_types.txt"));
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_EQ(countLabel(), "Permitted Types 00");
}

TEST_F(PermittedTypesTest, DefaultFileIsWrittenByteForByteAndLoadsFifteenTypes) {
    writeList("old\r\n");
    Main();
    CreateDefaultPermittedTypes();
    QFile file(PermittedTypesPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("#permitted - accepted types list,  for tovrane\r\n"
                                         "#videos than can be compressed with this application\r\n"
                                         "\r\n"
                                         "3gp\r\navi\r\nflv\r\nf4v\r\nmp4\r\nmpg\r\nmpeg\r\nmts\r\n"
                                         "mov\r\nm4v\r\nm4a\r\nogg\r\nvob\r\nwebm\r\nwmv\r\n"));
    Form1::unload();
    Main();
    EXPECT_EQ(entries(), DefaultTypes);
    EXPECT_EQ(countLabel(), "Permitted Types: 15");
}

TEST_F(PermittedTypesTest, ListShippedBesideTheProgramIsTheDefaultList) {
    Main();
    CreateDefaultPermittedTypes();
    QFile written(PermittedTypesPath);
    QFile shipped(TOVRANE_SHIPPED_TYPES);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_EQ(shipped.readAll(), written.readAll());
}

TEST_F(PermittedTypesTest, LoadingAgainAppendsEveryEntryAgain) {
    Main();
    CreateDefaultPermittedTypes();
    LoadPermittedTypes();
    LoadPermittedTypes();
    EXPECT_EQ(entries(), DefaultTypes + DefaultTypes);
    EXPECT_EQ(countLabel(), "Permitted Types: 30");
}

TEST_F(PermittedTypesTest, EntriesAreTrimmedLinesThatAreNotCommentsOrEmpty) {
    writeList("#comment\r\n\r\n mp4 \r\n #mp4\r\n   \r\nMP4\nmkv\ravi");
    Main();
    EXPECT_EQ(entries(), QStringList({"mp4", "#mp4", "", "MP4", "mkv", "avi"}));
    EXPECT_EQ(countLabel(), "Permitted Types: 06");
    EXPECT_TRUE(IsPermittedType("mkv"));
    EXPECT_FALSE(IsPermittedType("wmv"));
}

TEST_F(PermittedTypesTest, AnUpperCaseEntryNeverMatches) {
    writeList("MP4\r\n");
    Main();
    EXPECT_FALSE(IsPermittedType("mp4"));
}

TEST_F(PermittedTypesTest, OnlyCommentsAndEmptyLinesLeaveTheDesignText) {
    writeList("#one\r\n\r\n#two\r\n");
    Main();
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_EQ(countLabel(), "Permitted Types 00");
}

TEST_F(PermittedTypesTest, MoreThan99EntriesShowAThreeDigitCount) {
    writeList(QByteArray("x\r\n").repeated(100));
    Main();
    EXPECT_EQ(countLabel(), "Permitted Types: 100");
}

TEST_F(PermittedTypesTest, AFileThatCannotBeReadAddsNothing) {
    ASSERT_TRUE(QFile::link("/proc/self/mem", folder_.filePath("permitted_types.txt")));
    writeTool("ffmpeg", "#!/bin/sh\n"); // the start-up's tool check then says nothing
    writeTool("ffprobe", "#!/bin/sh\n");
    Main();
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_TRUE(rt::uiScript().msgBoxes.empty());
}

} // namespace
