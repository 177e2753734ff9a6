#include "core/Queue.h"

#include "mainwindow/Form1.h"

namespace {

struct ColumnDesign {
    const char* header;
    int width;
};

constexpr ColumnDesign QueueColumns[] = {
    {"Index", 50},
    {"Video Path", 180},
    {"Video Name", 130},
    {"Video Type", 90},
    {"Pre Compressed Size [Mb]", 140},
    {"Target Compressed Size [Mb]", 160},
    {"Compression Pass (1 - 2)", 140},
    {"Process Status", 160},
    {"Actual Compressed Size [Mb]", 160},
    {"Compressed Video Output", 860},
    {"Individual Settings", 0},
    {"Target Size Mb", 0},
    {"Audio Bitdepth Kb/s", 0},
};

constexpr const char* PanelStartTexts[] = {
    "Video Count: 00",
    "Total UnCompressed Size: 0,000 Mb",
    "Total Compressed Size: 0,000 Mb",
    "Compression Percent: 60%",
    "AAC Audio Bitrate: 92Kb/s",
    "Preset: ultrafast",
    "Custom Save Location: Same as Source",
};

} // namespace

void SetupQueueColumns() {
    rt::ListView& list = *Form1::instance().ListView1;
    list.setFrameShape(QFrame::NoFrame);                      // flat, no border
    list.setSelectionBehavior(QAbstractItemView::SelectRows); // whole-row selection
    list.setAllColumnsShowFocus(true);
    list.setAlternatingRowColors(false);
    list.setDragEnabled(true);     // rows may be dragged out
    list.setAcceptFileDrops(true); // dropped files reach the drop handler
    for (const ColumnDesign& column : QueueColumns)
        list.addColumn(QString::fromLatin1(column.header), column.width);
}

void RenumberQueueRows() {
    rt::ListView& list = *Form1::instance().ListView1;
    for (int row = 1; row <= list.rowCount(); ++row)
        list.setCell(row, QueueColumn::Index, QString::number(row));
}

void SetupStatusPanels() {
    rt::StatusBar& bar = *Form1::instance().StatusBar1;
    for (int i = 0; i < 6; ++i)
        bar.addPanel();
    for (int n = 1; n <= 7; ++n) {
        rt::StatusPanel& panel = bar.panel(n);
        panel.setStyle(0);
        panel.setBevel(0);
        panel.setText(QString::fromLatin1(PanelStartTexts[n - 1]));
        panel.setAutoSize(2);
    }
}
