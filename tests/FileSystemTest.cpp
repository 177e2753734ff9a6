#include "runtime/FileSystem.h"
#include "runtime/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class FileSystemTest : public ::testing::Test {
  protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = folder_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir folder_;
};

TEST_F(FileSystemTest, EveryKindOfLineEndEndsALine) {
    const auto lines = rt::readTextLines(write("mixed.txt", "a\r\nb\nc\rd"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(*rt::readTextLines(write("final.txt", "a\r\n")), QStringList({"a"}));
    EXPECT_EQ(*rt::readTextLines(write("blank.txt", "a\r\n\r\n")), QStringList({"a", ""}));
    EXPECT_EQ(*rt::readTextLines(write("crs.txt", "\r\r")), QStringList({"", ""}));
    EXPECT_EQ(*rt::readTextLines(write("bom.txt", "\xEF\xBB\xBFmp4\n")), QStringList({"mp4"}));
    EXPECT_TRUE(rt::readTextLines(write("empty.txt", ""))->isEmpty());
}

TEST_F(FileSystemTest, UnreadableFilesGiveNothing) {
    EXPECT_FALSE(rt::readTextLines(folder_.filePath("missing.txt")));
    EXPECT_FALSE(rt::readTextLines(folder_.path()));
    EXPECT_FALSE(rt::readTextLines("/proc/self/mem")); // opens, but fails to read
}

TEST_F(FileSystemTest, OnlyRegularFilesExistAndHaveASize) {
    const QString file = write("clip.mp4", "");
    QFile(file).resize(5LL * 1024 * 1024 * 1024); // sparse: sizes beyond 32 bits
    EXPECT_TRUE(rt::fileExists(file));
    EXPECT_EQ(rt::fileSize(file), 5LL * 1024 * 1024 * 1024);
    QDir(folder_.path()).mkdir("Clips.mp4");
    EXPECT_FALSE(rt::fileExists(folder_.filePath("Clips.mp4")));
    EXPECT_FALSE(rt::fileSize(folder_.filePath("Clips.mp4")));
    EXPECT_FALSE(rt::fileExists(folder_.filePath("missing.mp4")));
    EXPECT_FALSE(rt::fileExists(QString()));
}

TEST_F(FileSystemTest, NamesAndExtensionsComeFromTheLastComponent) {
    EXPECT_EQ(rt::fileNameOf("/a b/Clip.MP4"), "Clip.MP4");
    EXPECT_EQ(rt::extensionOf("/a b/Clip.MP4"), "MP4");
    EXPECT_EQ(rt::extensionOf("/dir.d/clip"), "");
    EXPECT_EQ(rt::extensionOf("/dir/archive.tar.gz"), "gz");
    EXPECT_EQ(rt::extensionOf("/dir/name."), "");
    EXPECT_EQ(rt::fileNameOf("/dir/Clips.mp4/"), "Clips.mp4");
    EXPECT_EQ(rt::fileNameOf("/"), "");
}

TEST_F(FileSystemTest, WritingReplacesTheWholeFile) {
    const QString path = write("list.txt", "a much longer old content\r\n");
    ASSERT_TRUE(rt::writeText(path, "new\r\n"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "new\r\n");
    EXPECT_FALSE(rt::writeText(folder_.filePath("no/such/folder/list.txt"), "x"));
}

TEST(FileFilterTest, ClassicFiltersBecomeQtFilters) {
    EXPECT_EQ(rt::qtFileFilter("All Files (*.*)|*.*"), "All Files (*)");
    EXPECT_EQ(rt::qtFileFilter("Videos|*.mp4;*.mkv|All|*.*"), "Videos (*.mp4 *.mkv);;All (*)");
    EXPECT_EQ(rt::qtFileFilter("Images (*.png)"), "Images (*.png)");
}

// The Open dialog is shown for real and closed by the test; the user's settings folder stays
// empty, whatever Qt's file dialog would remember.
TEST(OpenDialogTest, ClosingTheDialogLeavesNoSettingsBehind) {
    QTemporaryDir userSettings;
    ASSERT_TRUE(userSettings.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, userSettings.path());
    rt::uiScript().reset();
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    closer.start(10);
    EXPECT_FALSE(rt::openFilesDialog("Select Videos for Compressing", "All Files (*.*)|*.*"));
    EXPECT_TRUE(QDir(userSettings.path()).isEmpty());
}

} // namespace
