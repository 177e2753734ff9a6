#include "runtime/AboutBox.h"

#include "runtime/Dialogs.h"

#include <QMessageBox>

namespace rt {

void aboutBox(QWidget* owner, const QString& applicationName, const QString& text) {
    const QString title = "About " + applicationName;
    UiScript& script = uiScript();
    if (script.active) {
        script.msgBoxes.push_back({text, OkOnly, title});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, applicationName, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(text);
    // A short name leaves the box too narrow for its line of text.
    box.setStyleSheet("QLabel#qt_msgbox_informativelabel { min-width: 400px; }");
    if (owner)
        box.setIconPixmap(owner->windowIcon().pixmap(32, 32));
    box.exec();
}

} // namespace rt
