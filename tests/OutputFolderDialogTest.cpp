// The output-folder dialog: its load, the new-folder name, "Ok" and "Cancel", the two lists,
// and its opening from the main window's commands.
#include "JobTestSupport.h"

#include "core/Main.h"
#include "dialogs/Form4.h"
#include "runtime/ProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QStorageInfo>

namespace {

class OutputFolderDialogTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        SetupStatusPanels();
        // Loading the main window reported the missing tools: forget it.
        rt::uiScript().msgBoxes.clear();
        ASSERT_TRUE(home_.isValid());
        ASSERT_TRUE(QDir(home_.path()).mkdir("Desktop"));
        OutputLocation = SourceDirectoryLocation;
    }
    void TearDown() override {
        Form4::unload();
        ProgramTest::TearDown();
    }

    QString desktop() const { return home_.path() + "/Desktop"; }

    Form4& dialog() { return Form4::instance(); }

    // Types a name the way a person does: "Make New Folder", a click into the box, the keys.
    void typeName(const QString& name) {
        dialog().Command1_Click(0);
        click(*dialog().Text1);
        dialog().Text1->setText(name);
    }

    static void mouse(QWidget& target, QEvent::Type type, Qt::MouseButton button) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
        sendMouse(&target, type, button, held, QPointF(3, 3));
    }
    static void click(QWidget& target, Qt::MouseButton button = Qt::LeftButton) {
        mouse(target, QEvent::MouseButtonPress, button);
        mouse(target, QEvent::MouseButtonRelease, button);
    }

    QString panel7() { return Form1::instance().StatusBar1->panelText(7); }

    QTemporaryDir home_;
    ScopedEnvironment homeVariable_{"HOME", home_.path().toUtf8()};
    ScopedEnvironment configVariable_{"XDG_CONFIG_HOME", (home_.path() + "/.config").toUtf8()};
};

TEST_F(OutputFolderDialogTest, LoadShowsTheDesktopOnTheProgramsDrive) {
    Form4& form = dialog();
    EXPECT_EQ(form.windowTitle(), "Browse For Folder");
    EXPECT_EQ(form.parentWidget(), &Form1::instance());
    EXPECT_EQ(form.Dir1->path(), desktop());
    EXPECT_EQ(form.BrowsePath, desktop() + "/");
    EXPECT_EQ(form.Drive1->drive(), QStorageInfo(rt::programFolder()).rootPath());
    EXPECT_EQ(form.Text1->text(), "New folder");
    EXPECT_FALSE(form.Text1->isEnabled());
    EXPECT_EQ(form.size(), QSize(320, 323));
    // Load-time places (pixels).
    EXPECT_EQ(form.Picture1->geometry(), QRect(10, 40, 297, form.Drive1->height() - 5));
    EXPECT_EQ(form.Drive1->geometry(), QRect(-3, -3, 301, 22));
    EXPECT_EQ(form.Dir1->x(), 10);
    EXPECT_EQ(form.Picture2->geometry(), QRect(3, 3, 314, 25));
    EXPECT_EQ(form.Shape1->geometry(), QRect(1, 1, 318, 321));
    const int lefts[] = {10, 120, 235};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(form.Label1(i).x(), lefts[i]) << i;
        EXPECT_EQ(form.Label2(i).pos(), QPoint(lefts[i], 285)) << i;
        EXPECT_FALSE(form.Command1(i).isVisibleTo(&form)) << i;
    }
    EXPECT_EQ(form.Label2(0).caption(), "Make New Folder");
}

TEST_F(OutputFolderDialogTest, WithoutADesktopFolderTheHomeFolderIsShown) {
    ASSERT_TRUE(QDir(desktop()).removeRecursively());
    EXPECT_EQ(dialog().Dir1->path(), home_.path());
    EXPECT_EQ(dialog().GetSpecialfolder(5), "");
}

TEST_F(OutputFolderDialogTest, EmptyNameRestoresThePlaceholderThenOkCreatesNewFolder) {
    Form4& form = dialog();
    click(*form.Text1);
    EXPECT_EQ(form.Text1->text(), "New folder") << "a disabled box is not cleared";
    typeName("");
    EXPECT_TRUE(form.Text1->isEnabled());
    EXPECT_EQ(form.Text1->text(), "");
    form.Command1_Click(1);
    EXPECT_EQ(form.Text1->text(), "New folder");
    EXPECT_FALSE(form.Text1->isEnabled());
    EXPECT_TRUE(Form4::isLoaded());
    EXPECT_EQ(OutputLocation, SourceDirectoryLocation);

    form.Command1_Click(1);
    EXPECT_TRUE(QFileInfo(desktop() + "/New folder").isDir());
    EXPECT_EQ(OutputLocation, desktop() + "/New folder");
    EXPECT_EQ(panel7(), "Custom Save Location: .../New folder    ");
    EXPECT_EQ(Form1::instance().StatusBar1->panel(7).autoSize(), 2);
    EXPECT_FALSE(Form4::isLoaded());
}

TEST_F(OutputFolderDialogTest, BlanksAroundANameGoAndAnExistingFolderIsUsed) {
    ASSERT_TRUE(QDir(desktop()).mkpath("Clips/keep"));
    typeName("  Clips  ");
    click(*dialog().Text1);
    EXPECT_EQ(dialog().Text1->text(), "  Clips  ") << "a typed name is not cleared";
    click(dialog().Label2(1), Qt::RightButton);
    EXPECT_EQ(OutputLocation, desktop() + "/Clips");
    EXPECT_TRUE(QFileInfo(desktop() + "/Clips/keep").isDir());
    for (const rt::MsgBoxRecord& shown : rt::uiScript().msgBoxes)
        ADD_FAILURE() << shown.prompt.toStdString();
    EXPECT_FALSE(Form4::isLoaded());
}

TEST_F(OutputFolderDialogTest, ANameOfSeveralLevelsCreatesEachMissingOne) {
    ASSERT_TRUE(QDir(desktop()).mkpath("a"));
    typeName(" a/b/c ");
    dialog().Command1_Click(1);
    EXPECT_TRUE(QFileInfo(desktop() + "/a/b/c").isDir());
    EXPECT_EQ(OutputLocation, desktop() + "/a/b/c");
    EXPECT_EQ(panel7(), "Custom Save Location: .../c    ");
    EXPECT_TRUE(rt::uiScript().msgBoxes.empty());
    EXPECT_FALSE(Form4::isLoaded());
}

// A closing "/" is read as the end of the name, as in a typed path.
TEST_F(OutputFolderDialogTest, ANameEndingInSlashesNamesTheFolderBeforeThem) {
    struct Case {
        const char* typed;
        const char* folder;
        const char* panel;
    };
    for (const Case& named : {Case{"Clips/", "/Clips", "Custom Save Location: .../Clips    "},
                              Case{" Clips// ", "/Clips", "Custom Save Location: .../Clips    "},
                              Case{"a/b/", "/a/b", "Custom Save Location: .../b    "}}) {
        typeName(named.typed);
        dialog().Command1_Click(1);
        EXPECT_EQ(OutputLocation, desktop() + named.folder) << named.typed;
        EXPECT_TRUE(QFileInfo(OutputLocation).isDir());
        EXPECT_EQ(panel7(), named.panel);
        EXPECT_FALSE(Form4::isLoaded());
    }
    EXPECT_TRUE(rt::uiScript().msgBoxes.empty());
}

TEST_F(OutputFolderDialogTest, NamesLeavingTheShownFolderOrBlockedByAFileAreRefused) {
    writeFile("taken", 3);
    Form4& form = dialog();
    ASSERT_TRUE(form.Dir1->setPath(rt::programFolder()));
    Form1::instance().StatusBar1->setPanelText(7, "before");
    const QStringList refused = {"..", ".", "../escape", "a/./b", "a//b", "/", "/a", "taken"};
    for (const QString& name : refused) {
        typeName(name);
        form.Command1_Click(1);
        ASSERT_FALSE(rt::uiScript().msgBoxes.empty()) << name.toStdString();
        EXPECT_EQ(rt::uiScript().msgBoxes.back().title, "Tovrane");
        EXPECT_EQ(rt::uiScript().msgBoxes.back().style, rt::OkExclamation);
        EXPECT_TRUE(Form4::isLoaded());
    }
    EXPECT_EQ(rt::uiScript().msgBoxes.size(), size_t(refused.size()));
    EXPECT_EQ(rt::uiScript().msgBoxes.back().prompt,
              "The folder could not be created:\n" + rt::programFolder() + "/taken");
    EXPECT_TRUE(QFileInfo(rt::programFolder() + "/taken").isFile());
    EXPECT_FALSE(QFileInfo(rt::programFolder() + "/a").exists());
    EXPECT_FALSE(QFileInfo(rt::programFolder() + "/../escape").exists());
    EXPECT_EQ(OutputLocation, SourceDirectoryLocation);
    EXPECT_EQ(panel7(), "before");
}

// "Cancel" and a close by the window system unload the dialog: the next opening is fresh.
TEST_F(OutputFolderDialogTest, CancelOrACloseKeepsTheLocationAndThePanelAndUnloads) {
    ASSERT_TRUE(QDir(desktop()).mkpath("b"));
    OutputLocation = "/chosen/earlier";
    Form1::instance().StatusBar1->setPanelText(7, "Custom Save Location: .../earlier    ");
    const std::function<void(Form4&)> closes[] = {[](Form4& form) { form.Command1_Click(2); },
                                                  [](Form4& form) { form.close(); }};
    for (const auto& close : closes) {
        dialog().showModeless();
        ASSERT_TRUE(dialog().Dir1->setPath(desktop() + "/b"));
        typeName("Unused");
        close(dialog());
        EXPECT_FALSE(Form4::isLoaded());
        EXPECT_EQ(OutputLocation, "/chosen/earlier");
        EXPECT_EQ(panel7(), "Custom Save Location: .../earlier    ");
        EXPECT_FALSE(QFileInfo(desktop() + "/Unused").exists());
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(dialog().Text1->text(), "New folder");
        EXPECT_FALSE(dialog().Text1->isEnabled());
        EXPECT_EQ(dialog().Dir1->path(), desktop());
        Form4::unload();
    }
}

TEST_F(OutputFolderDialogTest, FolderListOpensOnActivationAndDriveChangeGoesToItsRoot) {
    ASSERT_TRUE(QDir(desktop()).mkpath("b"));
    ASSERT_TRUE(QDir(desktop()).mkpath("A"));
    ASSERT_TRUE(QDir(desktop()).mkpath(".hidden"));
    Form4& form = dialog();
    rt::FolderList& list = *form.Dir1;
    const int depth = int(desktop().count('/'));
    ASSERT_EQ(list.count(), depth + 3);
    EXPECT_EQ(list.entryPath(0), "/");
    EXPECT_EQ(list.entryPath(depth), desktop());
    EXPECT_EQ(list.currentRow(), depth);
    EXPECT_EQ(list.entryPath(depth + 1), desktop() + "/A");
    EXPECT_EQ(list.entryPath(depth + 2), desktop() + "/b");

    list.setCurrentRow(depth + 2);
    EXPECT_EQ(form.BrowsePath, desktop() + "/") << "highlighting opens nothing";
    emit list.itemActivated(list.item(depth + 2));
    EXPECT_EQ(form.BrowsePath, desktop() + "/b/");
    EXPECT_FALSE(list.setPath(desktop() + "/missing"));
    EXPECT_EQ(list.path(), desktop() + "/b");

    form.Drive1_Change();
    const QString root = form.Drive1->drive();
    EXPECT_EQ(list.path(), root);
    EXPECT_EQ(form.BrowsePath, root.endsWith('/') ? root : root + "/");
    EXPECT_FALSE(form.BrowsePath.endsWith("//"));
}

TEST_F(OutputFolderDialogTest, LabelButtonsTurnBlackUnderTheMouse) {
    Form4& form = dialog();
    form.Label2_MouseMove(1);
    form.Label1_MouseMove(2);
    EXPECT_EQ(form.Label1(2).palette().color(QPalette::Window), rt::toQColor(rt::Black));
    EXPECT_EQ(form.Label1(1).palette().color(QPalette::Window), rt::toQColor(rt::DarkGrey));
    form.Form_MouseMove();
    EXPECT_EQ(form.Label1(2).palette().color(QPalette::Window), rt::toQColor(rt::DarkGrey));
}

TEST_F(OutputFolderDialogTest, ToolbarAndImageButtonOpenOneModelessDialog) {
    Main();
    Form1& window = Form1::instance();
    window.Toolbar1_ButtonClick(&window.Toolbar1->button(7));
    ASSERT_TRUE(Form4::isLoaded());
    Form4* opened = &Form4::instance();
    EXPECT_TRUE(opened->isVisible());
    EXPECT_FALSE(opened->isModal());
    window.ToolButtonUp(3);
    EXPECT_EQ(&Form4::instance(), opened);
    // The main window takes its dialog with it.
    Form1::unload();
    EXPECT_FALSE(Form4::isLoaded());
}

} // namespace
