#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace rt {

// Message box styles and answers, by their classic numbers.
enum MsgBoxStyle {
    OkOnly = 0,
    OkExclamation = 48,
    OkCancelExclamation = 49,
    YesNoCancelExclamation = 51,
    YesNoExclamation = 52
};
enum MsgBoxAnswer { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

// Shows a modal message box and returns the button pressed.
int msgBox(const QString& prompt, int style, const QString& title);

// The Open dialog with multiple selection: the chosen full paths, or nothing on cancel. The
// filter may come in the classic "Description|pattern|..." form (see qtFileFilter).
std::optional<QStringList> openFilesDialog(const QString& title, const QString& filter);

// A classic "Description|pattern;pattern|..." filter in Qt's "Description (pattern pattern);;..."
// form. "*.*" becomes "*", so that names without a "." are listed too. A text without "|" is
// returned unchanged.
QString qtFileFilter(const QString& filter);

// A one-line input box: the text entered, or nothing on cancel.
std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                const QString& defaultText);

// Opens a file, folder, web page or mail link with the desktop's default handler.
void shellOpen(const QString& target);

// Shows a file in the desktop's file manager. When the file manager cannot be asked (no session
// bus, no file manager answering, the call not starting at all), the file's folder opens with the
// desktop's default handler instead. The call runs on its own; this returns at once.
void showInFileManager(const QString& path);

// Puts a text on the clipboard.
void setClipboardText(const QString& text);

// The one testing seam of the user interface: while `active`, nothing is shown to a person;
// boxes and dialogs take their answers from the queues and everything shown is recorded. Window
// moves and the end of the program are counted instead of done.
struct MsgBoxRecord {
    QString prompt;
    int style;
    QString title;
};

struct UiScript {
    bool active = false;
    std::deque<int> msgBoxAnswers;                      // empty: the first button
    std::deque<std::optional<QStringList>> openAnswers; // empty: cancel
    std::deque<std::optional<QString>> inputAnswers;    // empty: cancel
    std::vector<MsgBoxRecord> msgBoxes;
    std::vector<QString> openDialogTitles;
    std::vector<QString> launched; // targets of shellOpen and showInFileManager
    // Run in place of the file-manager call of showInFileManager, with its arguments; while
    // empty the call is only recorded.
    QString fileManagerStandIn;
    std::vector<QString> clipboardTexts;
    // Runs inside every scripted message box, where a shown box would run the event loop.
    std::function<void()> whileBoxShown;
    int windowMoves = 0;
    int programEnds = 0;

    void reset() { *this = UiScript{}; }
};

UiScript& uiScript();

} // namespace rt
