#include "core/Main.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tovrane");
    CloseOnEndSignals();
    Main();
    return QApplication::exec();
}
