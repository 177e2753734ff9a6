#include "runtime/ListView.h"

#include "runtime/ListHeader.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace rt {

namespace {

// Relative luminance of a colour, as the contrast of two colours is reckoned.
double luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double first = luminance(a), second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// A row may be given a text colour that cannot be read on the list's background (black on a
// dark list): such text is drawn in the list's own text colour, while the row keeps the colour it
// was given. Selected rows are drawn in the selection's colours anyway.
class LegibleRows : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QPalette& list = static_cast<QWidget*>(parent())->palette();
        if (contrast(option->palette.color(QPalette::Text), list.color(QPalette::Base)) <
            MinimumContrast)
            option->palette.setColor(QPalette::Text, list.color(QPalette::Text));
    }

  private:
    // The least contrast at which text stays readable.
    static constexpr double MinimumContrast = 3;
};

} // namespace

ListView::ListView(QWidget* parent) : QTreeWidget(parent) {
    setItemDelegate(new LegibleRows(this));
    setHeader(new ListHeader(this));
    setColumnCount(0);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    viewport()->setMouseTracking(true);
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* changed, int column) {
        if (column == 0)
            emit rowChecked(indexOfTopLevelItem(changed) + 1);
    });
}

ListHeader* ListView::listHeader() const {
    return static_cast<ListHeader*>(header());
}

void ListView::addColumn(const QString& header, int width) {
    const int column = columnCount();
    setColumnCount(column + 1);
    headerItem()->setText(column, header);
    setColumnWidthPixels(column, width);
}

void ListView::setColumnWidthPixels(int column, int width) {
    if (column < 0 || column >= columnCount())
        return;
    setColumnHidden(column, width <= 0);
    if (width > 0)
        setColumnWidth(column, width);
}

int ListView::columnWidthPixels(int column) const {
    if (column < 0 || column >= columnCount() || isColumnHidden(column))
        return 0;
    return columnWidth(column);
}

QString ListView::columnHeader(int column) const {
    return column >= 0 && column < columnCount() ? headerItem()->text(column) : QString();
}

QTreeWidgetItem* ListView::item(int row) const {
    return hasRow(row) ? topLevelItem(row - 1) : nullptr;
}

int ListView::addRow(const QString& text) {
    auto* added = new QTreeWidgetItem();
    added->setFlags(added->flags() | Qt::ItemIsUserCheckable);
    added->setCheckState(0, Qt::Unchecked);
    added->setText(0, text);
    const QBrush brush(toQColor(fore_));
    for (int column = 0; column < std::max(1, columnCount()); ++column)
        added->setForeground(column, brush);
    const QSignalBlocker blocker(this);
    addTopLevelItem(added);
    return rowCount();
}

void ListView::removeRow(int row) {
    delete item(row);
}

void ListView::clearRows() {
    clear();
}

QString ListView::cell(int row, int column) const {
    const QTreeWidgetItem* found = item(row);
    return found && column >= 0 && column < columnCount() ? found->text(column) : QString();
}

void ListView::setCell(int row, int column, const QString& text) {
    QTreeWidgetItem* found = item(row);
    if (found && column >= 0 && column < columnCount() && found->text(column) != text) {
        const QSignalBlocker blocker(this);
        found->setText(column, text);
    }
}

Colour ListView::rowColour(int row) const {
    return cellColour(row, 0);
}

void ListView::setRowColour(int row, Colour colour) {
    for (int column = 0; column < columnCount(); ++column)
        setCellColour(row, column, colour);
}

bool ListView::rowBold(int row) const {
    const QTreeWidgetItem* found = item(row);
    return found && found->font(0).bold();
}

void ListView::setRowBold(int row, bool bold) {
    QTreeWidgetItem* found = item(row);
    if (!found)
        return;
    const QSignalBlocker blocker(this);
    for (int column = 0; column < columnCount(); ++column) {
        QFont font = found->font(column);
        font.setBold(bold);
        found->setFont(column, font);
    }
}

Colour ListView::cellColour(int row, int column) const {
    const QTreeWidgetItem* found = item(row);
    if (!found || column < 0 || column >= columnCount())
        return 0;
    const QColor c = found->foreground(column).color();
    return rgb(c.red(), c.green(), c.blue());
}

void ListView::setCellColour(int row, int column, Colour colour) {
    QTreeWidgetItem* found = item(row);
    if (!found || column < 0 || column >= columnCount())
        return;
    const QColor wanted = toQColor(colour);
    if (found->foreground(column).color() == wanted)
        return;
    const QSignalBlocker blocker(this);
    found->setForeground(column, QBrush(wanted));
}

bool ListView::checked(int row) const {
    const QTreeWidgetItem* found = item(row);
    return found && found->checkState(0) == Qt::Checked;
}

void ListView::setChecked(int row, bool isChecked) {
    if (QTreeWidgetItem* found = item(row))
        found->setCheckState(0, isChecked ? Qt::Checked : Qt::Unchecked);
}

bool ListView::selected(int row) const {
    const QTreeWidgetItem* found = item(row);
    return found && found->isSelected();
}

void ListView::selectRow(int row) {
    if (QTreeWidgetItem* found = item(row))
        setCurrentItem(found);
}

int ListView::selectedRow() const {
    QTreeWidgetItem* current = currentItem();
    return current && current->isSelected() ? indexOfTopLevelItem(current) + 1 : 0;
}

void ListView::scrollIntoView(int row) {
    if (QTreeWidgetItem* found = item(row))
        scrollToItem(found);
}

int ListView::rowAt(int y) const {
    QTreeWidgetItem* found = itemAt(QPoint(1, y));
    return found ? indexOfTopLevelItem(found) + 1 : 0;
}

QPersistentModelIndex ListView::rowMark(int row) const {
    return hasRow(row) ? QPersistentModelIndex(model()->index(row - 1, 0))
                       : QPersistentModelIndex();
}

int ListView::rowOfMark(const QPersistentModelIndex& mark) const {
    return mark.isValid() && mark.model() == model() ? mark.row() + 1 : 0;
}

void ListView::setListColours(Colour fore, Colour back) {
    fore_ = fore;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Text, toQColor(fore));
    palette.setColor(QPalette::Base, toQColor(back));
    palette.setColor(QPalette::Window, toQColor(back));
    setPalette(palette);
}

void ListView::setAcceptFileDrops(bool accept) {
    setAcceptDrops(accept);
    viewport()->setAcceptDrops(accept);
    setDropIndicatorShown(false);
}

void ListView::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    emit mouseDown(event->button(), int(event->position().x()), int(event->position().y()));
}

void ListView::mouseReleaseEvent(QMouseEvent* event) {
    QTreeWidget::mouseReleaseEvent(event);
    emit mouseUp(event->button(), int(event->position().x()), int(event->position().y()));
}

namespace {

// Dropped files are only named to the list, never taken: a drop accepted as a move could have
// its source delete the originals.
bool acceptAsCopy(QDropEvent* event) {
    if (!event->mimeData()->hasUrls() || !(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

} // namespace

void ListView::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->buttons(), int(event->position().x()), int(event->position().y()));
    QTreeWidget::mouseMoveEvent(event);
}

void ListView::dragEnterEvent(QDragEnterEvent* event) {
    acceptAsCopy(event);
}

void ListView::dragMoveEvent(QDragMoveEvent* event) {
    acceptAsCopy(event);
}

void ListView::dropEvent(QDropEvent* event) {
    if (!acceptAsCopy(event))
        return;
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    if (!paths.isEmpty())
        emit filesDropped(paths);
}

} // namespace rt
