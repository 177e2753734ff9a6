#include "mainwindow/Form1.h"

#include "core/Queue.h"
#include "core/Settings.h"
#include "runtime/Format.h"
#include "runtime/Window.h"

#include <vector>

namespace {

bool notMinimised(const QWidget* window) {
    const int state = rt::windowState(window);
    return state == 0 || state == 2;
}

// The last queue row whose pass is running (1-based), 0 when none is.
int rowInProgress(const rt::ListView& list) {
    int found = 0;
    for (int row = 1; row <= list.rowCount(); ++row) {
        const QString pass = list.cell(row, QueueColumn::CompressionPass);
        if (pass.contains("Compressing", Qt::CaseInsensitive) ||
            pass.contains("Analysing", Qt::CaseInsensitive))
            found = row;
    }
    return found;
}

} // namespace

// Two walks over the queue, colours then the total; each target is read once per tick.
void Form1::Timer2_Timer() {
    rt::ListView& list = *ListView1;
    const int rows = list.rowCount();
    std::vector<double> targets(rows);
    for (int row = 1; row <= rows; ++row) {
        targets[row - 1] = rt::leadingNumber(list.cell(row, QueueColumn::TargetSize));
        list.setCellColour(row, QueueColumn::TargetSize,
                           targets[row - 1] < 10 ? rt::Red : rt::Orange);
    }
    if (rows > 0) {
        double total = 0;
        for (int row = 1; row <= rows; ++row) {
            SelectedVideoItem = row;
            total = rt::roundHalfEven(total + targets[row - 1], 3);
        }
        StatusBar1->setPanelText(3, "Total Compressed Size: " + rt::formatNumber(total, "0,000") +
                                        "Mb");
    } else {
        StatusBar1->setPanelText(3, "Total Compressed Size: 0,000 Mb");
    }
    StatusBar1->setPanelText(1, "Video Count:  " + rt::formatNumber(rows, "00"));
}

void Form1::Timer4_Timer() {
    if (notMinimised(this) && !windowTitle().isEmpty())
        setWindowTitle(QString());
}

void Form1::Timer6_Timer() {
    if (ListView1->rowCount() == 0)
        return;
    if (Label1(6).caption().left(3) == "100")
        rt::setWindowState(this, 0);
    if (rt::windowState(this) == 1)
        setWindowTitle("Video: [" + rt::formatNumber(rowInProgress(*ListView1), "00") + "] @ " +
                       Label1(6).caption());
    if (notMinimised(this))
        Timer6->setEnabled(false);
}

void Form1::Label1_MouseMove(int Index) {
    switch (Index) {
    case 6:
        Label1(6).setToolTip(" Current process ");
        break;
    case 7:
        Label1(7).setToolTip(" Overall process ");
        break;
    case 11:
        Label1(11).setToolTip(" RAW: ffmpeg processing speed ");
        break;
    case 12:
        Label1(12).setToolTip(" The Progress-Bar may not indicate any-speed if the speed is "
                              "excessive. ( ie: \"Solid State Drives [SSD]\" I/O Read and Write "
                              "Extremely Fast ) ");
        break;
    default:
        break;
    }
}
