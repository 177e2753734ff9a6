#include "core/RemoveVideos.h"

#include "core/Queue.h"
#include "mainwindow/Form1.h"
#include "runtime/Dialogs.h"
#include "runtime/Format.h"

#include <QPersistentModelIndex>
#include <algorithm>
#include <vector>

namespace {

struct TickedRows {
    int count = 0;
    QString items; // one line per ticked row: CR LF "id:  02" tab, the name cut to 35, "..."
    QList<QPersistentModelIndex> marks; // the rows listed, wherever they move meanwhile
};

TickedRows listTickedRows(const rt::ListView& list) {
    TickedRows ticked;
    for (int row = 1; row <= list.rowCount(); ++row) {
        if (!list.checked(row))
            continue;
        ticked.items += "\r\nid:  " + rt::formatNumber(row, "00") + "\t" +
                        rt::leftCharacters(list.cell(row, QueueColumn::VideoName), 35) + "...";
        ++ticked.count;
        ticked.marks << list.rowMark(row);
    }
    return ticked;
}

void showVideoCount(Form1& form) {
    form.StatusBar1->setPanelText(1, "Video Count: " + QString::number(form.ListView1->rowCount()));
}

// Exactly the rows the question listed go: a job may have ticked its finished row while the box
// was open, and that row was not asked about.
void removeListedRows(Form1& form, const QList<QPersistentModelIndex>& listed) {
    rt::ListView& list = *form.ListView1;
    list.setFocus();
    list.selectRow(1);
    std::vector<int> rows;
    for (const QPersistentModelIndex& mark : listed)
        if (const int row = list.rowOfMark(mark))
            rows.push_back(row);
    std::sort(rows.rbegin(), rows.rend());
    for (int row : rows) {
        list.removeRow(row);
        showVideoCount(form);
    }
    RenumberQueueRows();
    showVideoCount(form);
}

} // namespace

void RemoveCheckedVideos() {
    Form1& form = Form1::instance();
    const TickedRows ticked = listTickedRows(*form.ListView1);
    if (ticked.count == 0)
        return;
    const QString prompt = "Are you sure you want to remove all  " + QString::number(ticked.count) +
                           "  Videos ?\r\n" + ticked.items;
    if (rt::msgBox(prompt, rt::YesNoCancelExclamation, "Confirm Remove") == rt::AnswerYes)
        removeListedRows(form, ticked.marks);
}
