#include "runtime/WindowMove.h"

#include "runtime/Dialogs.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

namespace rt {

namespace {

// The window whose press of the left button alone has not yet been used for a move. There is
// one mouse, so one press at a time; any other press, or a release that reaches us, ends the
// press unused.
QPointer<QWidget> windowPressed;

bool leftButtonAlone(const QEvent* press) {
    return static_cast<const QMouseEvent*>(press)->buttons() == Qt::LeftButton;
}

class PressWatch : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            if (auto* widget = qobject_cast<QWidget*>(watched))
                windowPressed = leftButtonAlone(event) ? widget->window() : nullptr;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            windowPressed = nullptr;
        }
        return false;
    }
};

// Watches from the moment the application exists, so that the very first press counts.
void watchPresses() {
    qApp->installEventFilter(new PressWatch(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchPresses)

void startWindowMove(QWidget* window) {
    if (!window || windowPressed != window)
        return;
    windowPressed = nullptr;
    if (uiScript().active) {
        ++uiScript().windowMoves;
        return;
    }
    if (QWindow* handle = window->windowHandle())
        handle->startSystemMove();
}

} // namespace rt
