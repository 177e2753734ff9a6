#include "runtime/Dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QUrl>

namespace rt {

UiScript& uiScript() {
    static UiScript script;
    return script;
}

namespace {

int firstButton(int style) {
    return (style == YesNoCancelExclamation || style == YesNoExclamation) ? AnswerYes : AnswerOk;
}

QMessageBox::StandardButtons buttonsOf(int style) {
    switch (style) {
    case OkCancelExclamation:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case YesNoCancelExclamation:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case YesNoExclamation:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

int answerOf(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Cancel:
        return AnswerCancel;
    case QMessageBox::Yes:
        return AnswerYes;
    case QMessageBox::No:
        return AnswerNo;
    default:
        return AnswerOk;
    }
}

template <typename T> T takeFront(std::deque<T>& queue) {
    T front;
    std::swap(front, queue.front());
    queue.pop_front();
    return front;
}

QUrl urlOf(const QString& target) {
    const QUrl url(target);
    if (!url.scheme().isEmpty() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(target);
}

QString qtPattern(const QString& pattern) {
    const QString trimmed = pattern.trimmed();
    return trimmed == "*.*" ? QStringLiteral("*") : trimmed;
}

// The description without a pattern list already written after it: "All Files (*.*)".
QString bareDescription(const QString& description) {
    static const QRegularExpression patternsAtEnd(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    return QString(description).remove(patternsAtEnd).trimmed();
}

// Qt's file dialog writes its folder history into the user's settings as it closes. The program
// keeps no settings between runs, so the user's settings lead nowhere: a folder that cannot be
// made, where nothing is read or written.
void keepNoUserSettings() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
}

} // namespace

QString qtFileFilter(const QString& filter) {
    if (!filter.contains('|'))
        return filter;
    const QStringList parts = filter.split('|');
    QStringList qtFilters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(';', Qt::SkipEmptyParts))
            patterns << qtPattern(pattern);
        qtFilters << bareDescription(parts[i]) + " (" + patterns.join(' ') + ")";
    }
    return qtFilters.join(";;");
}

int msgBox(const QString& prompt, int style, const QString& title) {
    UiScript& script = uiScript();
    if (script.active) {
        script.msgBoxes.push_back({prompt, style, title});
        if (script.whileBoxShown)
            script.whileBoxShown();
        if (script.msgBoxAnswers.empty())
            return firstButton(style);
        const int answer = script.msgBoxAnswers.front();
        script.msgBoxAnswers.pop_front();
        return answer;
    }
    // Prompts end their lines with CR LF; a lone CR would show as a stray glyph.
    QString shown = prompt;
    shown.replace("\r\n", "\n");
    QMessageBox box(style == OkOnly ? QMessageBox::NoIcon : QMessageBox::Warning, title, shown,
                    buttonsOf(style), QApplication::activeWindow());
    return answerOf(QMessageBox::StandardButton(box.exec()));
}

std::optional<QStringList> openFilesDialog(const QString& title, const QString& filter) {
    UiScript& script = uiScript();
    if (script.active) {
        script.openDialogTitles.push_back(title);
        if (script.openAnswers.empty())
            return std::nullopt;
        return takeFront(script.openAnswers);
    }
    keepNoUserSettings();
    const QStringList files = QFileDialog::getOpenFileNames(QApplication::activeWindow(), title,
                                                            QString(), qtFileFilter(filter));
    if (files.isEmpty())
        return std::nullopt;
    return files;
}

std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                const QString& defaultText) {
    UiScript& script = uiScript();
    if (script.active) {
        script.msgBoxes.push_back({prompt, -1, title});
        if (script.inputAnswers.empty())
            return std::nullopt;
        return takeFront(script.inputAnswers);
    }
    bool ok = false;
    QString shown = prompt;
    shown.replace("\r\n", "\n");
    const QString text = QInputDialog::getText(QApplication::activeWindow(), title, shown,
                                               QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

void shellOpen(const QString& target) {
    UiScript& script = uiScript();
    if (script.active) {
        script.launched.push_back(target);
        return;
    }
    QDesktopServices::openUrl(urlOf(target));
}

namespace {

// A call that cannot start, or ends with a failure, opens the folder in its place.
void openFolderWhenCallFails(QProcess* call, const QString& folder) {
    QObject::connect(call, &QProcess::errorOccurred, call, [call, folder](auto error) {
        if (error != QProcess::FailedToStart)
            return; // the end of a started call is judged when it finishes
        shellOpen(folder);
        call->deleteLater();
    });
    QObject::connect(call, &QProcess::finished, call, [call, folder](int exitCode, auto status) {
        if (status != QProcess::NormalExit || exitCode != 0)
            shellOpen(folder);
        call->deleteLater();
    });
}

} // namespace

void showInFileManager(const QString& path) {
    UiScript& script = uiScript();
    QString program = QStringLiteral("dbus-send");
    if (script.active) {
        script.launched.push_back("select:" + path);
        if (script.fileManagerStandIn.isEmpty())
            return;
        program = script.fileManagerStandIn;
    }
    // The freedesktop file-manager interface selects the file. The reply is awaited, so that a
    // missing bus or a bus without a file manager ends the call with a failure.
    auto* call = new QProcess(qApp);
    call->setStandardOutputFile(QProcess::nullDevice());
    call->setStandardErrorFile(QProcess::nullDevice());
    openFolderWhenCallFails(call, QFileInfo(path).absolutePath());
    call->start(program, {"--session", "--print-reply", "--dest=org.freedesktop.FileManager1",
                          "/org/freedesktop/FileManager1", "org.freedesktop.FileManager1.ShowItems",
                          "array:string:" + QUrl::fromLocalFile(path).toString(), "string:"});
}

void setClipboardText(const QString& text) {
    UiScript& script = uiScript();
    if (script.active)
        script.clipboardTexts.push_back(text);
    if (QClipboard* clipboard = QApplication::clipboard())
        clipboard->setText(text);
}

} // namespace rt
