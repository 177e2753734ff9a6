#pragma once

#include "runtime/Colour.h"

#include <QPersistentModelIndex>
#include <QStringList>
#include <QTreeWidget>

namespace rt {

class ListHeader;

// A list in report view with check boxes. Rows are numbered from 1, columns from 0 (column 0 is
// the row's own text). Addressing a row or column that does not exist reads as empty and writes
// nothing.
class ListView : public QTreeWidget {
    Q_OBJECT
  public:
    explicit ListView(QWidget* parent = nullptr);

    ListHeader* listHeader() const;

    // Columns: a width of 0 hides the column.
    void addColumn(const QString& header, int width);
    void setColumnWidthPixels(int column, int width);
    int columnWidthPixels(int column) const;
    QString columnHeader(int column) const;

    int rowCount() const { return topLevelItemCount(); }
    bool hasRow(int row) const { return row >= 1 && row <= rowCount(); }
    int addRow(const QString& text); // returns the new row's number
    void removeRow(int row);
    void clearRows();

    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);

    Colour rowColour(int row) const;
    void setRowColour(int row, Colour colour);
    bool rowBold(int row) const;
    void setRowBold(int row, bool bold);
    Colour cellColour(int row, int column) const;
    void setCellColour(int row, int column, Colour colour);

    bool checked(int row) const;
    void setChecked(int row, bool checked);
    bool selected(int row) const;
    void selectRow(int row);
    int selectedRow() const; // 0 when none
    void scrollIntoView(int row);
    int rowAt(int y) const; // 0 when no row is there
    // A mark that stays with a row while rows above it come and go; its row's current number
    // (0 once the row is removed) comes from rowOfMark.
    QPersistentModelIndex rowMark(int row) const;
    int rowOfMark(const QPersistentModelIndex& mark) const;

    // The list's own text and background colours, given to every new row.
    void setListColours(Colour fore, Colour back);
    // Whether files dropped on the list are reported through filesDropped().
    void setAcceptFileDrops(bool accept);

  signals:
    void rowChecked(int row);
    void mouseUp(Qt::MouseButton button, int x, int y);
    void mouseDown(Qt::MouseButton button, int x, int y);
    void mouseMoved(Qt::MouseButtons buttons, int x, int y);
    void filesDropped(const QStringList& paths);

  protected:
    // Rows leave only as copies: a drop that took one as a move would delete it from the list.
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    QTreeWidgetItem* item(int row) const;

    Colour fore_ = 0x80FF;
};

} // namespace rt
