#include "core/Queue.h"

#include "mainwindow/Form1.h"

#include <QDir>
#include <QFileInfo>
#include <QMultiHash>
#include <QPersistentModelIndex>

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

// The rows' outputs by the file they name. An entry holds while its row is in the list and its
// column 9 still reads as noted; entries of rows that left the list or were renamed are dropped
// when met, so no way of removing rows needs to report here.
class RowOutputs {
  public:
    void note(const rt::ListView& list, int row, const QString& key) {
        const QPersistentModelIndex mark = list.rowMark(row);
        const QString name = list.cell(row, QueueColumn::OutputPath);
        for (auto it = entries_.find(key); it != entries_.end() && it.key() == key; ++it)
            if (it->mark == mark) {
                it->name = name;
                return;
            }
        entries_.insert(key, {mark, name});
        if (entries_.size() > 2 * list.rowCount() + 64)
            dropStale(list);
    }

    bool named(const rt::ListView& list, const QString& key) {
        for (auto it = entries_.find(key); it != entries_.end() && it.key() == key;) {
            if (holds(list, *it))
                return true;
            it = entries_.erase(it);
        }
        return false;
    }

  private:
    struct Entry {
        QPersistentModelIndex mark;
        QString name;
    };

    static bool holds(const rt::ListView& list, const Entry& entry) {
        const int row = list.rowOfMark(entry.mark);
        return row > 0 && list.cell(row, QueueColumn::OutputPath) == entry.name;
    }

    void dropStale(const rt::ListView& list) {
        entries_.removeIf([&](const auto& entry) { return !holds(list, entry.value()); });
    }

    QMultiHash<QString, Entry> entries_;
};

RowOutputs& rowOutputs() {
    static RowOutputs outputs;
    return outputs;
}

} // namespace

QString OutputFileKey(const QString& path) {
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    QString key = QFileInfo(folder).canonicalFilePath();
    if (key.isEmpty())
        key = QDir::cleanPath(folder);
    if (!key.endsWith('/'))
        key += '/';
    return key + file.fileName();
}

void SetQueueRowOutput(int row, const QString& path) {
    rt::ListView& list = *Form1::instance().ListView1;
    if (!list.hasRow(row))
        return;
    list.setCell(row, QueueColumn::OutputPath, path);
    rowOutputs().note(list, row, OutputFileKey(path));
}

bool IsOutputOfARow(const QString& key) {
    return rowOutputs().named(*Form1::instance().ListView1, key);
}

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
