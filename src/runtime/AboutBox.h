#pragma once

#include <QString>

class QWidget;

namespace rt {

// The platform's standard About box: titled "About " and the application's name, with the name
// and the text inside and only an OK button. While the interface is scripted it is recorded as a
// message box of style OkOnly with that title and the text as its prompt.
void aboutBox(QWidget* owner, const QString& applicationName, const QString& text);

} // namespace rt
