#include "theme/ControlLooks.h"

#include "runtime/Controls.h"
#include "runtime/ListHeader.h"

rt::Colour HeaderTextColour = 0;
rt::Colour HeaderBackColour = 0;
rt::WindowProc OldHeaderProc = nullptr;

void SetListViewHeaderColour(QWidget* ListHwnd) {
    // Hooking twice would make the procedure its own predecessor.
    if (rt::windowProc(ListHwnd) != &HeaderColourWndProc)
        OldHeaderProc = rt::setWindowProc(ListHwnd, &HeaderColourWndProc);
    HeaderBackColour = 0xFFFF;
    HeaderTextColour = 0xFF;
}

// Every custom-draw notification that reaches the list is taken as its header's.
rt::LResult HeaderColourWndProc(QWidget* hWnd, unsigned uMsg, rt::WParam wParam,
                                rt::LParam lParam) {
    if (uMsg != rt::WM_NOTIFY || lParam == 0)
        return rt::callWindowProc(OldHeaderProc, hWnd, uMsg, wParam, lParam);
    const rt::NmHdr header = *reinterpret_cast<const rt::NmHdr*>(lParam);
    if (header.code != rt::NM_CUSTOMDRAW)
        return rt::callWindowProc(OldHeaderProc, hWnd, rt::WM_NOTIFY, wParam, lParam);
    const rt::NmCustomDraw draw = *reinterpret_cast<const rt::NmCustomDraw*>(lParam);
    switch (draw.dwDrawStage) {
    case rt::CDDS_PREPAINT:
        return rt::CDRF_NOTIFYITEMDRAW;
    case rt::CDDS_ITEMPREPAINT:
        if (draw.hdc) {
            draw.hdc->textColour = HeaderTextColour;
            draw.hdc->backColour = HeaderBackColour;
        }
        return rt::CDRF_DODEFAULT;
    case rt::CDDS_ITEMPOSTPAINT:
        return 0;
    default:
        return rt::callWindowProc(OldHeaderProc, hWnd, rt::WM_NOTIFY, wParam, lParam);
    }
}

void SetFlatListViewHeaders(rt::ListView& List) {
    rt::ListHeader& header = *List.listHeader();
    header.setButtonStyle(!header.buttonStyle());
    List.update();
}

void SetToolbarClassBrush(rt::Toolbar& Toolbar, rt::BrushHandle Brush, int Mode) {
    if (Mode != 1)
        return;
    rt::deleteBrush(Toolbar.setClassBackground(Brush));
}

void SetSliderTipActive(QWidget* SliderHwnd, bool Active) {
    if (auto* slider = qobject_cast<rt::Slider*>(SliderHwnd))
        slider->setValueTipActive(Active);
}
