#include "mainwindow/Form1.h"

#include <QMenuBar>

namespace {

QAction* addItem(QMenu* menu, const char* caption, const char* name,
                 const QKeySequence& shortcut = QKeySequence()) {
    QAction* item = menu->addAction(QString::fromLatin1(caption));
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    return item;
}

void addSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

QMenu* addMenu(QMenuBar* bar, const char* caption, const char* name) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

void Form1::createMenus() {
    QMenuBar* bar = menuBar();
    mnu_File = addMenu(bar, "File", "mnu_File");
    mnu_open = addItem(mnu_File, "Add Video", "mnu_open", QKeySequence("Ctrl+A"));
    mnu_RemSelectedVideo =
        addItem(mnu_File, "Remove selected Videos", "mnu_RemSelectedVideo", QKeySequence("Ctrl+D"));
    mnu_ClearAll = addItem(mnu_File, "Clear All Videos", "mnu_ClearAll", QKeySequence("Ctrl+R"));
    mnu_PermittedTypes = addItem(mnu_File, "Edit permitted Types List", "mnu_PermittedTypes",
                                 QKeySequence("Ctrl+E"));
    addSeparator(mnu_File, "mnu_Space01");
    mnu_StartCompression =
        addItem(mnu_File, "Start Compression", "mnu_StartCompression", QKeySequence("Ctrl+S"));
    addSeparator(mnu_File, "mnu_Space03");
    mnu_Exit = addItem(mnu_File, "Exit", "mnu_Exit", QKeySequence("Ctrl+Q"));

    mnu_ContextMenu = new QMenu(QStringLiteral("ContextMenu"), this);
    mnu_ContextMenu->setObjectName("mnu_ContextMenu");
    mnu_AddVideoToList = addItem(mnu_ContextMenu, "Add Video", "mnu_AddVideoToList");
    mnu_RemVideo = addItem(mnu_ContextMenu, "Remove Video From List", "mnu_RemVideo");
    mnu_ClearAllContextMnu = addItem(mnu_ContextMenu, "Clear all Videos", "mnu_ClearAllContextMnu");
    addSeparator(mnu_ContextMenu, "mnu_Space07");
    mnu_Individual =
        addItem(mnu_ContextMenu, "Set Individual Video Compression Details", "mnu_Individual");
    addSeparator(mnu_ContextMenu, "mnu_Spacer09");
    mnu_OpenSourceVideo = addItem(mnu_ContextMenu, "Open Source Video", "mnu_OpenSourceVideo");
    mnu_OpenCompressed = addItem(mnu_ContextMenu, "Open Compressed Video", "mnu_OpenCompressed");
    mnu_openLocation = addItem(mnu_ContextMenu, "Open Video Location", "mnu_openLocation");
    addSeparator(mnu_ContextMenu, "mnu_Spacer04");
    mnu_StartCompr = addItem(mnu_ContextMenu, "Start Compressing", "mnu_StartCompr");

    mnu_ColourTheme = addMenu(bar, "Help", "mnu_ColourTheme");
    mnu_HlpVideos = addItem(mnu_ColourTheme, "Help Videos on Youtube", "mnu_HlpVideos");
    mnu_TovraneWeb = addItem(mnu_ColourTheme, "Tovrane Website", "mnu_TovraneWeb");
    mnu_ContactDesigner =
        addItem(mnu_ColourTheme, "Contact Tovrane Designer", "mnu_ContactDesigner");

    mnu_Info = addMenu(bar, "Debug", "mnu_Info");
    mnu_HideAll = addItem(mnu_Info, "Hide all active information windows", "mnu_HideAll");
    mnu_HideAll->setCheckable(true);
    mnu_HideAll->setChecked(true);
    addSeparator(mnu_Info, "mnu_Spacer05");
    mnu_ShowAll = addItem(mnu_Info, "Show all active information windows", "mnu_ShowAll");
    mnu_ShowAll->setCheckable(true);

    mnu_About = addMenu(bar, "About", "mnu_About");
    mnu_AboutTovrane = addItem(mnu_About, "About Tovrane", "mnu_AboutTovrane");
    mnu_UpdateCheck = addItem(mnu_About, "Check for updates", "mnu_UpdateCheck");

    mnu_Donation = addMenu(bar, "Donate", "mnu_Donation");
    mnu_MakeDonation = addItem(mnu_Donation, "Make a Donation", "mnu_MakeDonation");
    mnu_PayPalURL = addItem(mnu_Donation, "Show PayPal URL", "mnu_PayPalURL");
}
