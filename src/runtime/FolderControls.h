#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace rt {

// A drive list: the mounted volumes, each shown by its mount point and name. Choosing one, by
// the user or the program, raises changed().
class DriveList : public QComboBox {
    Q_OBJECT
  public:
    explicit DriveList(QWidget* parent = nullptr);
    // The chosen volume's mount point; empty when nothing is mounted.
    QString drive() const;
    // Chooses the volume that holds path. False, and nothing changes, when no listed volume does.
    bool setDrive(const QString& path);
    // Reads the mounted volumes again; the choice stays while its volume is mounted.
    void refresh();

  signals:
    void changed();
};

// A folder list: the folders from the root down to the open folder, then the open folder's
// sub-folders, indented by depth. Opening a folder (double click or Enter) or setting the path
// raises changed(); highlighting one does not.
class FolderList : public QListWidget {
    Q_OBJECT
  public:
    explicit FolderList(QWidget* parent = nullptr);
    // The open folder: absolute, without a trailing "/" (except "/" itself).
    QString path() const { return path_; }
    // Opens a folder. False, and nothing changes, when it is not an existing folder.
    bool setPath(const QString& path);
    // Lists the open folder's sub-folders again.
    void refresh();
    // The full path of the entry at row; empty beyond the end.
    QString entryPath(int row) const;

  signals:
    void changed();

  private:
    void addEntry(const QString& path, const QString& name, int depth, bool open);

    QString path_;
};

// A one-line text box that reports a click (press and release inside it).
class LineBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit LineBox(QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace rt
