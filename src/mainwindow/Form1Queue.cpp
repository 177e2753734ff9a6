#include "mainwindow/Form1.h"

#include "core/AddVideos.h"
#include "core/PermittedTypes.h"
#include "core/Queue.h"
#include "core/Settings.h"
#include "dialogs/Form3.h"
#include "runtime/Dialogs.h"
#include "runtime/Events.h"
#include "runtime/FileSystem.h"
#include "runtime/Format.h"

#include <QFileInfo>
#include <limits>

namespace {

// Names longer than this are cut in the removal question.
constexpr int ShownTitleLength = 30;

void paintRow(rt::ListView& list, int row, rt::Colour colour, bool bold) {
    list.setRowColour(row, colour);
    list.setRowBold(row, bold);
}

// Row 1 comes into view and becomes the selection, with the keyboard on the list.
void selectFirstRow(rt::ListView& list) {
    list.setFocus();
    list.scrollIntoView(1);
    list.selectRow(1);
}

QString removalPrompt(const rt::ListView& list, int row) {
    const QString name = list.cell(row, QueueColumn::VideoName);
    QString title = rt::leftCharacters(name, ShownTitleLength);
    if (title != name)
        title += "...";
    return "You are about to remove a video \r\n\r\nTitle:\t" + title + "\r\nType:\t" +
           list.cell(row, QueueColumn::VideoType) +
           "\r\n\r\nAre you sure you want to remove this Video ?";
}

// Cell `column` of the list's selected row; empty when no row is selected.
QString selectedCell(const rt::ListView& list, int column) {
    return list.cell(list.selectedRow(), column);
}

} // namespace

void Form1::connectQueue() {
    connect(ListView1, &rt::ListView::mouseUp, this, [this](Qt::MouseButton Button, int X, int Y) {
        const bool click = Button == Qt::LeftButton || Button == Qt::RightButton;
        if (click && ListView1->rowAt(Y) != 0)
            ListView1_ItemClick();
        ListView1_MouseUp(Button, X, Y);
    });
    connect(ListView1, &rt::ListView::filesDropped, this, &Form1::ListView1_OLEDragDrop);
    connect(List1, &rt::ListBox::mouseMoved, this, &Form1::List1_MouseMove);
    connect(List1, &rt::ListBox::mouseDoubleClicked, this, &Form1::List1_DblClick);
    connect(mnu_RemVideo, &QAction::triggered, this, &Form1::mnu_RemVideo_Click);
    connect(mnu_OpenSourceVideo, &QAction::triggered, this, &Form1::mnu_OpenSourceVideo_Click);
    connect(mnu_OpenCompressed, &QAction::triggered, this, &Form1::mnu_OpenCompressed_Click);
    connect(mnu_openLocation, &QAction::triggered, this, &Form1::mnu_openLocation_Click);
    connect(mnu_PermittedTypes, &QAction::triggered, this, &Form1::mnu_PermittedTypes_Click);
    connect(mnu_HideAll, &QAction::triggered, this, &Form1::mnu_HideAll_Click);
    connect(mnu_ShowAll, &QAction::triggered, this, &Form1::mnu_ShowAll_Click);
    connect(mnu_Individual, &QAction::triggered, this, &Form1::mnu_Individual_Click);
}

void Form1::ListView1_ItemClick() {
    bool isNumber = false;
    const int row = ListView1->cell(ListView1->selectedRow(), QueueColumn::Index).toInt(&isNumber);
    if (isNumber && row >= std::numeric_limits<qint16>::min() &&
        row <= std::numeric_limits<qint16>::max())
        SelectedVideoIndex = row;
}

void Form1::ListView1_MouseUp(Qt::MouseButton Button, int X, int Y) {
    if (Button == Qt::RightButton) {
        // A locked run leaves the menu disabled: it does not open then.
        if (!mnu_ContextMenu->isEnabled())
            return;
        mnu_ContextMenu->popup(ListView1->viewport()->mapToGlobal(QPoint(X, Y)));
    } else if (Button == Qt::LeftButton) {
        rt::ListView& list = *ListView1;
        for (int row = 1; row <= list.rowCount(); ++row) {
            const bool ticked = list.checked(row);
            paintRow(list, row, ticked ? rt::White : rt::Orange, ticked);
        }
    }
}

// Dropped files of a permitted type join the queue in the order given; pending events run
// before each one. Folders are passed over.
void Form1::ListView1_OLEDragDrop(const QStringList& Files) {
    for (const QString& path : Files) {
        if (QFileInfo(path).isDir())
            continue;
        if (!IsPermittedType(rt::trimBlanks(rt::extensionOf(path)).toLower()))
            continue;
        rt::doEvents();
        AddVideoToQueue(path);
    }
}

void Form1::mnu_RemVideo_Click() {
    rt::ListView& list = *ListView1;
    const int answer = rt::msgBox(removalPrompt(list, SelectedVideoIndex),
                                  rt::YesNoCancelExclamation, "Confirm Removal");
    if (answer == rt::AnswerYes) {
        list.removeRow(SelectedVideoIndex);
        selectFirstRow(list);
        RenumberQueueRows();
        list.viewport()->update();
    } else if (answer == rt::AnswerNo) {
        for (int row = 1; row <= list.rowCount(); ++row)
            paintRow(list, row, rt::Orange, false);
        list.clearSelection();
        selectFirstRow(list);
        list.viewport()->update();
    }
}

void Form1::mnu_OpenSourceVideo_Click() {
    const QString source = selectedCell(*ListView1, QueueColumn::VideoPath);
    if (!source.isEmpty())
        rt::shellOpen(source);
}

void Form1::mnu_OpenCompressed_Click() {
    if (ListView1->selectedRow() == 0)
        return;
    const QString output = selectedCell(*ListView1, QueueColumn::OutputPath);
    if (rt::fileExists(output))
        rt::shellOpen(output);
    else
        rt::msgBox("The selected video is not available", rt::OkCancelExclamation,
                   "Video Not Available");
}

void Form1::mnu_openLocation_Click() {
    const QString source = rt::trimBlanks(selectedCell(*ListView1, QueueColumn::VideoPath));
    if (!source.isEmpty())
        rt::showInFileManager(source);
}

// Opens the permitted-types file for editing; a missing one is re-created on request and
// listed, and then opened. The running program does not re-read an edited file.
void Form1::mnu_PermittedTypes_Click() {
    if (rt::fileExists(PermittedTypesPath)) {
        rt::shellOpen(PermittedTypesPath);
        return;
    }
    const int answer =
        rt::msgBox("The list could not be found\r\nDo you want to Re-Create it now ?",
                   rt::YesNoExclamation, "Permitted Types List not found");
    if (answer != rt::AnswerYes)
        return;
    CreateDefaultPermittedTypes();
    rt::waitSeconds(1);
    LoadPermittedTypes();
    mnu_PermittedTypes_Click();
}

void Form1::mnu_HideAll_Click() {
    mnu_HideAll->setChecked(true);
    mnu_ShowAll->setChecked(false);
    ShowThreadWindows = false;
}

void Form1::mnu_ShowAll_Click() {
    mnu_ShowAll->setChecked(true);
    mnu_HideAll->setChecked(false);
    ShowThreadWindows = true;
}

void Form1::List1_MouseMove() {
    List1->setToolTip(" Scroll up or down to see full list. Double click to edit the list ");
}

void Form1::List1_DblClick() {
    mnu_PermittedTypes_Click();
    List1->setCurrentRow(-1);
}

// The settings dialog for the row last clicked.
void Form1::mnu_Individual_Click() {
    Form3::instance().OpenFor(SelectedVideoIndex);
}
