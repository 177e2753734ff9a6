#pragma once

#include "runtime/ControlArray.h"
#include "runtime/Controls.h"
#include "runtime/FolderControls.h"

#include <QWidget>

// The output-folder dialog: the user picks a drive and a parent folder and names a sub-folder,
// which "Ok" creates when needed and makes the output location of later runs. One shared
// instance, owned by the main window, loaded anew at each opening and unloaded when it closes.
class Form4 : public QWidget {
    Q_OBJECT
  public:
    // The shared instance; the first call loads the dialog (its load handler runs then).
    static Form4& instance();
    static bool isLoaded();
    // Hides the shared instance and lets it go; the next instance() loads a fresh one.
    static void unload();

    // Shows the dialog without blocking the main window.
    void showModeless();

    rt::PictureBox* Picture2; // title strip; dragging it moves the dialog
    rt::PictureBox* Picture1; // clips the drive list's border
    rt::DriveList* Drive1;
    rt::FolderList* Dir1;
    rt::LineBox* Text1;                           // name of the sub-folder to create
    rt::Shape* Shape1;                            // frame around the dialog
    rt::ControlArray<rt::Label> Label1;           // backgrounds of the label-buttons
    rt::ControlArray<rt::Label> Label2;           // captions of the label-buttons
    rt::ControlArray<rt::CommandButton> Command1; // never shown; they carry the actions

    // The folder shown by Dir1, followed by "/".
    QString BrowsePath;

    // The path of a special folder by its classic number, or an empty text; only the desktop
    // folder (16) is known.
    QString GetSpecialfolder(int CSIDL) const;
    void Drive1_Change();
    void Dir1_Change();
    // 0 "Make New Folder", 1 "Ok", 2 "Cancel".
    void Command1_Click(int Index);
    void Label2_MouseUp(int Index);
    void Text1_Click();
    void Picture2_MouseDown();
    void Form_MouseMove();
    void Label1_MouseMove(int Index);
    void Label2_MouseMove(int Index);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    explicit Form4(QWidget* owner);
    void createControls();
    void createLabelButtons();
    void connectHandlers();
    void Form_Load();
    void PlaceLabelButtons();
    void PrintTitle();
    void ChooseOutputFolder();
    bool CreateOutputFolder(const QString& Path);
};
