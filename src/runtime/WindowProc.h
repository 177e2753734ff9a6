#pragma once

#include "runtime/Colour.h"

#include <QWidget>
#include <cstdint>
#include <optional>

namespace rt {

// Window procedures: every window may carry one procedure that sees the few messages our
// controls send (a control asking its window for its background brush, a list header's
// custom-draw stages, the window's destruction). Installing a procedure returns the one it
// replaces, which the new one hands whatever it does not answer.
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;
using WindowProc = LResult (*)(QWidget* window, unsigned message, WParam wParam, LParam lParam);

// Messages, notification codes and custom-draw values by their published names and numbers.
inline constexpr unsigned WM_DESTROY = 0x0002;
inline constexpr unsigned WM_NOTIFY = 0x004E;
inline constexpr unsigned WM_CTLCOLORSTATIC = 0x0138;
inline constexpr int NM_CUSTOMDRAW = -12;
inline constexpr unsigned CDDS_PREPAINT = 0x1;
inline constexpr unsigned CDDS_POSTPAINT = 0x2;
inline constexpr unsigned CDDS_ITEMPREPAINT = 0x10001;
inline constexpr unsigned CDDS_ITEMPOSTPAINT = 0x10002;
inline constexpr LResult CDRF_DODEFAULT = 0x0;
inline constexpr LResult CDRF_SKIPDEFAULT = 0x4;
inline constexpr LResult CDRF_NOTIFYPOSTPAINT = 0x10;
inline constexpr LResult CDRF_NOTIFYITEMDRAW = 0x20;

// The colours a control draws its text with; a window procedure may set them while answering.
struct DeviceContext {
    std::optional<Colour> textColour;
    std::optional<Colour> backColour;
};

// Notification records: a custom-draw record starts with the common header.
struct NmHdr {
    QWidget* hwndFrom = nullptr;
    std::uintptr_t idFrom = 0;
    int code = 0;
};
struct NmCustomDraw {
    NmHdr hdr;
    unsigned dwDrawStage = 0;
    DeviceContext* hdc = nullptr;
    std::uintptr_t dwItemSpec = 0; // the item's index at the item stages
};

// A window or a record as a message parameter.
LParam handleParam(const QWidget* window);
template <typename Record> LParam recordParam(Record* record) {
    return reinterpret_cast<LParam>(record);
}
inline WParam contextParam(DeviceContext* dc) {
    return reinterpret_cast<WParam>(dc);
}

// The window system's own answer: nothing handled, 0.
LResult defWindowProc(QWidget* window, unsigned message, WParam wParam, LParam lParam);

// The procedure a window has now (defWindowProc until another is installed).
WindowProc windowProc(QWidget* window);
// Installs a procedure and returns the one it replaced; nullptr (and no change) for no window
// or no procedure. A window that is destroyed with a procedure of its own is sent WM_DESTROY
// through it first; its handle is only compared then, never used.
WindowProc setWindowProc(QWidget* window, WindowProc proc);
// Runs a given procedure; no procedure answers 0.
LResult callWindowProc(WindowProc proc, QWidget* window, unsigned message, WParam wParam,
                       LParam lParam);
// Runs the window's current procedure.
LResult sendMessage(QWidget* window, unsigned message, WParam wParam, LParam lParam);

// Repaints every window of the program.
void invalidateAllWindows();

} // namespace rt
