#include "runtime/Window.h"

#include "runtime/Colour.h"

#include <QGuiApplication>
#include <QScreen>

namespace rt {

namespace {
// Outer frame size beyond the inner widget; zero for frameless windows and before showing.
QSize frameExtra(const QWidget* window) {
    return window->frameGeometry().size() - window->geometry().size();
}
} // namespace

double windowLeft(const QWidget* window) {
    return pixelsToTwips(window->frameGeometry().x());
}
double windowTop(const QWidget* window) {
    return pixelsToTwips(window->frameGeometry().y());
}
double windowWidth(const QWidget* window) {
    return pixelsToTwips(window->frameGeometry().width());
}
double windowHeight(const QWidget* window) {
    return pixelsToTwips(window->frameGeometry().height());
}

void setWindowLeft(QWidget* window, double twips) {
    window->move(twipsToPixels(twips), window->frameGeometry().y());
}

void setWindowTop(QWidget* window, double twips) {
    window->move(window->frameGeometry().x(), twipsToPixels(twips));
}

void setWindowWidth(QWidget* window, double twips) {
    if (window->isMinimized() || window->isMaximized())
        return;
    const int inner = twipsToPixels(twips) - frameExtra(window).width();
    window->resize(std::max(inner, window->minimumWidth()), window->height());
}

void setWindowHeight(QWidget* window, double twips) {
    if (window->isMinimized() || window->isMaximized())
        return;
    const int inner = twipsToPixels(twips) - frameExtra(window).height();
    window->resize(window->width(), std::max(inner, window->minimumHeight()));
}

static QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1920, 1080);
}

double screenWidth() {
    return pixelsToTwips(screenSize().width());
}
double screenHeight() {
    return pixelsToTwips(screenSize().height());
}

int windowState(const QWidget* window) {
    if (window->isMinimized())
        return 1;
    if (window->isMaximized())
        return 2;
    return 0;
}

void setWindowState(QWidget* window, int state) {
    if (window->isHidden()) {
        const Qt::WindowState flag = state == 1   ? Qt::WindowMinimized
                                     : state == 2 ? Qt::WindowMaximized
                                                  : Qt::WindowNoState;
        window->setWindowState(flag);
        return;
    }
    switch (state) {
    case 1:
        window->showMinimized();
        break;
    case 2:
        window->showMaximized();
        break;
    default:
        window->showNormal();
        break;
    }
}

} // namespace rt
