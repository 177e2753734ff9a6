#include "core/Queue.h"

#include "mainwindow/Form1.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QObject>
#include <QPointer>

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

// The rows' outputs by the file they name, kept in step with the list: a name is noted when
// column 9 is written and forgotten when its row leaves, whichever way it leaves (the list's
// model reports every removal and every clearing).
class RowOutputs {
  public:
    void note(const rt::ListView& list, const QString& oldName, const QString& newName) {
        watch(list);
        forget(oldName);
        Name& name = names_[newName];
        if (name.rows++ == 0)
            name.key = OutputFileKey(newName);
        ++rowsByKey_[name.key];
    }

    bool named(const rt::ListView& list, const QString& key) {
        watch(list);
        return rowsByKey_.contains(key);
    }

  private:
    struct Name {
        QString key;
        int rows = 0;
    };

    // Follows the list's model from the first use on, and again once the list is a new one.
    void watch(const rt::ListView& list) {
        QAbstractItemModel* model = list.model();
        if (watched_ == model)
            return;
        names_.clear();
        rowsByKey_.clear();
        watched_ = model;
        QObject::connect(
            model, &QAbstractItemModel::rowsAboutToBeRemoved, &connections_,
            [this, model](const QModelIndex& parent, int first, int last) {
                for (int row = first; row <= last; ++row)
                    forget(model->index(row, QueueColumn::OutputPath, parent).data().toString());
            });
        QObject::connect(model, &QAbstractItemModel::modelAboutToBeReset, &connections_, [this] {
            names_.clear();
            rowsByKey_.clear();
        });
    }

    void forget(const QString& name) {
        const auto found = names_.find(name);
        if (found == names_.end())
            return;
        const auto keyRows = rowsByKey_.find(found->key);
        if (keyRows != rowsByKey_.end() && --*keyRows == 0)
            rowsByKey_.erase(keyRows);
        if (--found->rows == 0)
            names_.erase(found);
    }

    QPointer<QAbstractItemModel> watched_;
    QHash<QString, Name> names_;    // each name in column 9, with its key and how many rows hold it
    QHash<QString, int> rowsByKey_; // each key, with how many rows' names give it
    QObject connections_;           // gone first, it takes the connections to the model with it
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
    rowOutputs().note(list, list.cell(row, QueueColumn::OutputPath), path);
    list.setCell(row, QueueColumn::OutputPath, path);
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
