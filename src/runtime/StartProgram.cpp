#include "runtime/StartProgram.h"

#include "runtime/Dialogs.h"

#include <QProcess>

namespace rt {

void startProgram(const QString& path) {
    UiScript& script = uiScript();
    if (script.active) {
        script.launched.push_back("run:" + path);
        return;
    }
    QProcess::startDetached(path, {}, QStringLiteral("/"));
}

} // namespace rt
