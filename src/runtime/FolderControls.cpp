#include "runtime/FolderControls.h"

#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>

namespace rt {

// ---- DriveList

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    refresh();
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::changed);
}

QString DriveList::drive() const {
    return currentData().toString();
}

bool DriveList::setDrive(const QString& path) {
    const QStorageInfo volume(path);
    if (path.isEmpty() || !volume.isValid())
        return false;
    const int index = findData(volume.rootPath());
    if (index < 0)
        return false;
    setCurrentIndex(index);
    return true;
}

void DriveList::refresh() {
    QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    std::sort(volumes.begin(), volumes.end(), [](const QStorageInfo& a, const QStorageInfo& b) {
        return a.rootPath() < b.rootPath();
    });
    const QString chosen = drive();
    const QSignalBlocker blocker(this);
    clear();
    for (const QStorageInfo& volume : volumes) {
        if (!volume.isValid() || !volume.isReady() || findData(volume.rootPath()) >= 0)
            continue;
        const QString name = volume.name();
        addItem(style()->standardIcon(QStyle::SP_DriveHDIcon),
                name.isEmpty() ? volume.rootPath() : volume.rootPath() + " [" + name + "]",
                volume.rootPath());
    }
    setCurrentIndex(std::max(0, findData(chosen)));
}

// ---- FolderList

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int DepthRole = Qt::UserRole + 1;
constexpr int IndentPixels = 8;

// Shifts each entry right by its depth.
class IndentDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + index.data(DepthRole).toInt() * IndentPixels);
        QStyledItemDelegate::paint(painter, shifted, index);
    }
};

QString withoutTrailingSlash(const QString& path) {
    QString clean = QDir::cleanPath(path);
    while (clean.size() > 1 && clean.endsWith('/'))
        clean.chop(1);
    return clean;
}

} // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new IndentDelegate(this));
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setPath(item->data(PathRole).toString()); });
}

bool FolderList::setPath(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return false;
    const QString absolute = withoutTrailingSlash(QDir(path).absolutePath());
    if (absolute == path_)
        return true;
    path_ = absolute;
    refresh();
    emit changed();
    return true;
}

void FolderList::refresh() {
    clear();
    if (path_.isEmpty())
        return;
    const QStringList parts = path_.split('/', Qt::SkipEmptyParts);
    addEntry("/", "/", 0, true);
    QString reached;
    for (int depth = 0; depth < parts.size(); ++depth) {
        reached += "/" + parts[depth];
        addEntry(reached, parts[depth], depth + 1, true);
    }
    setCurrentRow(count() - 1);
    const QFileInfoList subFolders =
        QDir(path_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& folder : subFolders)
        addEntry(folder.absoluteFilePath(), folder.fileName(), int(parts.size()) + 1, false);
}

QString FolderList::entryPath(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry ? entry->data(PathRole).toString() : QString();
}

void FolderList::addEntry(const QString& path, const QString& name, int depth, bool open) {
    auto* entry = new QListWidgetItem(
        style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon), name,
        this);
    entry->setData(PathRole, path);
    entry->setData(DepthRole, depth);
}

// ---- LineBox

LineBox::LineBox(QWidget* parent) : QLineEdit(parent) {}

void LineBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace rt
