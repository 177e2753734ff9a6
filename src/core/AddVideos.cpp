#include "core/AddVideos.h"

#include "core/PermittedTypes.h"
#include "core/Queue.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/Dialogs.h"
#include "runtime/FileSystem.h"
#include "runtime/Format.h"

#include <QPersistentModelIndex>

namespace {

// The row AddVideoToQueue appended last (1-based).
int LastAddedItem = 0;

// A picture chosen on its own is passed over without a message.
bool isPictureType(const QString& lowerCaseExtension) {
    static const QStringList pictures = {"jpg", "gif", "png", "bmp", "ico", "cur"};
    return pictures.contains(lowerCaseExtension);
}

// The extension test of a several-file selection: the text after the last "." of the name, or
// the whole name when it has none.
QString selectionTypeOf(const QString& path) {
    const QString name = rt::fileNameOf(path);
    return name.mid(name.lastIndexOf('.') + 1).toLower();
}

void addChosenFile(const QString& path) {
    if (!isPictureType(rt::extensionOf(path).toLower()))
        AddVideoToQueue(path);
}

void addChosenFiles(const QStringList& paths) {
    for (const QString& path : paths)
        if (IsPermittedType(selectionTypeOf(path)))
            AddVideoToQueue(path);
}

// Source size and the target at the percentage the compression slider shows. A size that cannot
// be read (the file went away meanwhile) leaves both empty rather than claiming 0 Mb.
void fillSizeCells(rt::ListView& list, const QString& path) {
    const std::optional<qint64> bytes = rt::fileSize(path);
    if (!bytes)
        return;
    const QString sizeText = rt::round3Text(double(*bytes) / 1024 / 1024);
    list.setCell(LastAddedItem, QueueColumn::PreCompressedSize, sizeText);
    list.setCell(
        LastAddedItem, QueueColumn::TargetSize,
        rt::round3Text(rt::leadingNumber(sizeText) / 100 * Form1::instance().Slider1(0).value()));
}

// The output next to the source is numbered with the row's number. After a removal that number
// can be another row's already: the next number that no row's output has is taken instead, so
// that no two rows write one file, whatever names their folders go by.
QString freeOutputPath(const rt::ListView& list, const QString& folder, const QString& base) {
    for (int number = list.rowCount();; ++number) {
        const QString path =
            folder + "Compressed_" + rt::formatNumber(number, "00") + "_" + base + ".mp4";
        if (!IsOutputOfARow(OutputFileKey(path)))
            return path;
    }
}

// Columns 1 to 5 and 9 of a row whose file exists and whose type is permitted.
void fillVideoCells(rt::ListView& list, const QString& path) {
    list.setCell(LastAddedItem, QueueColumn::VideoPath, path);
    const QString nameOnDisk = rt::fileNameOf(path);
    const qsizetype dot = nameOnDisk.lastIndexOf('.');
    if (dot < 0)
        return;
    list.setCell(LastAddedItem, QueueColumn::VideoName, nameOnDisk.left(dot).toLower());
    list.setCell(LastAddedItem, QueueColumn::VideoType, rt::typeDescription(path));
    fillSizeCells(list, path);
    const QString folder = path.left(path.lastIndexOf('/') + 1);
    const QString base = rt::trimBlanks(nameOnDisk.left(dot));
    SetQueueRowOutput(LastAddedItem, freeOutputPath(list, folder, base));
}

// The sum of column 4 over the rows up to a marked one. Rows are added only at the end and their
// sizes never change, so while that row keeps its place an add sums only the rows after it.
struct SummedRows {
    QPersistentModelIndex last;
    int rows = 0;
    qint64 total = 0;
};

// The sum of column 4, rounded to whole megabytes after every row. 64 bits: no queue overflows.
qint64 uncompressedTotal(const rt::ListView& list) {
    static SummedRows summed;
    const int rows = list.rowCount();
    if (summed.rows > rows || list.rowOfMark(summed.last) != summed.rows)
        summed = {}; // rows were removed: sum them all again
    for (int row = summed.rows + 1; row <= rows; ++row) {
        const double size = rt::leadingNumber(list.cell(row, QueueColumn::PreCompressedSize));
        summed.total = static_cast<qint64>(rt::roundHalfEven(double(summed.total) + size, 0));
    }
    summed.rows = rows;
    summed.last = list.rowMark(rows);
    SelectedVideoItem = rows;
    return summed.total;
}

} // namespace

void AddVideosFromDialog() {
    const std::optional<QStringList> chosen =
        rt::openFilesDialog("Select Videos for Compressing", "All Files (*.*)|*.*");
    if (!chosen || chosen->isEmpty())
        return;
    if (chosen->size() == 1)
        addChosenFile(chosen->first());
    else
        addChosenFiles(*chosen);
}

void AddVideoToQueue(const QString& path) {
    Form1& form = Form1::instance();
    rt::ListView& list = *form.ListView1;
    LastAddedItem = list.addRow(QString::number(list.rowCount() + 1));
    const QString extension = rt::trimBlanks(rt::extensionOf(path)).toLower();
    list.setCell(LastAddedItem, QueueColumn::CompressionPass, "Pass: 1 of 2");
    list.setCell(LastAddedItem, QueueColumn::ProcessStatus, "Video Queued");
    list.setCell(LastAddedItem, QueueColumn::ActualSize, "000");
    if (!IsPermittedType(extension))
        return;
    // A path that names no file (a folder called "Clips.mp4") keeps only its number and status.
    if (rt::fileExists(path))
        fillVideoCells(list, path);
    form.StatusBar1->setPanelText(
        2, "Total UnCompressed Size: " +
               rt::formatNumber(double(uncompressedTotal(list)), "0,000") + "Mb");
}
