#include "runtime/WindowMove.h"

#include "runtime/Dialogs.h"

#include <QWindow>

namespace rt {

void startWindowMove(QWidget* window) {
    if (uiScript().active) {
        ++uiScript().windowMoves;
        return;
    }
    if (QWindow* handle = window->windowHandle())
        handle->startSystemMove();
}

} // namespace rt
