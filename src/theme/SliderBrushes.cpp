#include "theme/SliderBrushes.h"

rt::WindowProc MainOldWndProc = nullptr;
QWidget* MainSliderHwnd0 = nullptr;
QWidget* MainSliderHwnd1 = nullptr;
rt::BrushHandle SliderBrush1 = 0;

rt::WindowProc SettingsOldWndProc = nullptr;
QWidget* SettingsSliderHwnd0 = nullptr;
QWidget* SettingsSliderHwnd1 = nullptr;
rt::BrushHandle SettingsSliderBrush1 = 0;

namespace {

// One window's values and its procedure.
struct SliderBrushSet {
    rt::WindowProc& oldProc;
    QWidget*& slider0;
    QWidget*& slider1;
    rt::BrushHandle& brush;
    QWidget*& hookedWindow;
    rt::WindowProc proc;
};

QWidget* MainHookedHwnd = nullptr;
QWidget* SettingsHookedHwnd = nullptr;

SliderBrushSet mainSet() {
    return {MainOldWndProc, MainSliderHwnd0, MainSliderHwnd1,
            SliderBrush1,   MainHookedHwnd,  &MainWindowProc};
}

SliderBrushSet settingsSet() {
    return {SettingsOldWndProc,   SettingsSliderHwnd0, SettingsSliderHwnd1,
            SettingsSliderBrush1, SettingsHookedHwnd,  &SettingsWindowProc};
}

void deleteBrush(const SliderBrushSet& set) {
    if (set.brush == 0)
        return;
    rt::deleteBrush(set.brush);
    set.brush = 0;
}

void createBrush(const SliderBrushSet& set, rt::Colour colour, bool recreate) {
    if (recreate || set.brush != 0)
        deleteBrush(set);
    if (set.brush == 0)
        set.brush = rt::createSolidBrush(colour);
}

// A window already running the set's procedure keeps it: hooking again would make the
// procedure its own predecessor.
void hook(const SliderBrushSet& set, QWidget* window) {
    if (rt::windowProc(window) == set.proc)
        return;
    set.hookedWindow = window;
    set.oldProc = rt::setWindowProc(window, set.proc);
}

void unhook(const SliderBrushSet& set, QWidget* window) {
    if (!set.oldProc)
        return;
    rt::setWindowProc(window, set.oldProc);
    set.oldProc = nullptr;
}

bool isSetSlider(const SliderBrushSet& set, rt::LParam control) {
    return control == rt::handleParam(set.slider0) || control == rt::handleParam(set.slider1);
}

rt::LResult answer(const SliderBrushSet& set, QWidget* window, unsigned message, rt::WParam wParam,
                   rt::LParam lParam) {
    if (window != set.hookedWindow)
        return rt::callWindowProc(set.oldProc, window, message, wParam, lParam);
    if (message == rt::WM_CTLCOLORSTATIC && set.brush != 0 && isSetSlider(set, lParam))
        return set.brush;
    if (message == rt::WM_DESTROY) {
        // Unload paths unhook before the window goes; this catches a window destroyed hooked.
        deleteBrush(set);
        unhook(set, window);
        return 0;
    }
    return rt::callWindowProc(set.oldProc, window, message, wParam, lParam);
}

} // namespace

void CreateSliderBrushes(rt::Colour Colour, bool Recreate) {
    createBrush(mainSet(), Colour, Recreate);
}

void DeleteSliderBrush() {
    deleteBrush(mainSet());
}

void HookMainWindow(QWidget* hWnd) {
    hook(mainSet(), hWnd);
}

void UnhookMainWindow(QWidget* hWnd) {
    unhook(mainSet(), hWnd);
}

rt::LResult MainWindowProc(QWidget* hWnd, unsigned uMsg, rt::WParam wParam, rt::LParam lParam) {
    return answer(mainSet(), hWnd, uMsg, wParam, lParam);
}

void CreateSettingsSliderBrushes(rt::Colour Colour, bool Recreate) {
    createBrush(settingsSet(), Colour, Recreate);
}

void DeleteSettingsSliderBrush() {
    deleteBrush(settingsSet());
}

void HookSettingsWindow(QWidget* hWnd) {
    hook(settingsSet(), hWnd);
}

void UnhookSettingsWindow(QWidget* hWnd) {
    unhook(settingsSet(), hWnd);
}

rt::LResult SettingsWindowProc(QWidget* hWnd, unsigned uMsg, rt::WParam wParam, rt::LParam lParam) {
    return answer(settingsSet(), hWnd, uMsg, wParam, lParam);
}
