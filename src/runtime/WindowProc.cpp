#include "runtime/WindowProc.h"

#include <QApplication>
#include <unordered_map>
#include <unordered_set>

namespace rt {

namespace {

struct ProcTable {
    std::unordered_map<const QWidget*, WindowProc> procs;
    std::unordered_set<const QWidget*> watched; // windows whose destruction we follow
};

ProcTable& table() {
    static ProcTable procs;
    return procs;
}

// Called while the window is being destroyed: its procedure learns of it, then the window
// leaves the table.
void windowDestroyed(QWidget* window) {
    ProcTable& procs = table();
    if (procs.procs.contains(window))
        sendMessage(window, WM_DESTROY, 0, 0);
    procs.procs.erase(window);
    procs.watched.erase(window);
}

} // namespace

LParam handleParam(const QWidget* window) {
    return reinterpret_cast<LParam>(window);
}

LResult defWindowProc(QWidget*, unsigned, WParam, LParam) {
    return 0;
}

WindowProc windowProc(QWidget* window) {
    const auto found = table().procs.find(window);
    return found == table().procs.end() ? &defWindowProc : found->second;
}

WindowProc setWindowProc(QWidget* window, WindowProc proc) {
    if (!window || !proc)
        return nullptr;
    const WindowProc previous = windowProc(window);
    ProcTable& procs = table();
    if (proc == &defWindowProc)
        procs.procs.erase(window);
    else
        procs.procs[window] = proc;
    if (procs.watched.insert(window).second)
        QObject::connect(window, &QObject::destroyed, [window] { windowDestroyed(window); });
    return previous;
}

LResult callWindowProc(WindowProc proc, QWidget* window, unsigned message, WParam wParam,
                       LParam lParam) {
    return proc ? proc(window, message, wParam, lParam) : 0;
}

LResult sendMessage(QWidget* window, unsigned message, WParam wParam, LParam lParam) {
    return callWindowProc(windowProc(window), window, message, wParam, lParam);
}

void invalidateAllWindows() {
    for (QWidget* widget : QApplication::allWidgets())
        widget->update();
}

} // namespace rt
