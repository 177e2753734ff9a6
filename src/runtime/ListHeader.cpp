#include "runtime/ListHeader.h"

#include <QPainter>
#include <qdrawutil.h>

namespace rt {

namespace {
constexpr int TextMargin = 6;
}

ListHeader::ListHeader(QWidget* list) : QHeaderView(Qt::Horizontal, list), list_(list) {
    setSectionsClickable(true);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void ListHeader::setButtonStyle(bool buttons) {
    buttonStyle_ = buttons;
    viewport()->update();
}

LResult ListHeader::notifyList(unsigned stage, int item, DeviceContext* dc) const {
    NmCustomDraw record;
    record.hdr.hwndFrom = const_cast<ListHeader*>(this);
    record.hdr.code = NM_CUSTOMDRAW;
    record.dwDrawStage = stage;
    record.hdc = dc;
    record.dwItemSpec = std::uintptr_t(std::max(0, item));
    return sendMessage(list_, WM_NOTIFY, 0, recordParam(&record));
}

void ListHeader::paintEvent(QPaintEvent* event) {
    DeviceContext dc;
    const LResult answer = notifyList(CDDS_PREPAINT, 0, &dc);
    if (answer & CDRF_SKIPDEFAULT)
        return;
    notifyItems_ = answer & CDRF_NOTIFYITEMDRAW;
    QHeaderView::paintEvent(event);
    notifyItems_ = false;
    if (answer & CDRF_NOTIFYPOSTPAINT)
        notifyList(CDDS_POSTPAINT, 0, &dc);
}

void ListHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    DeviceContext dc;
    const LResult answer = notifyItems_ ? notifyList(CDDS_ITEMPREPAINT, logicalIndex, &dc) : 0;
    if (answer & CDRF_SKIPDEFAULT)
        return;
    if (buttonStyle_ && !dc.textColour && !dc.backColour)
        QHeaderView::paintSection(painter, rect, logicalIndex);
    else
        paintItem(painter, rect, logicalIndex, dc);
    if (answer & CDRF_NOTIFYPOSTPAINT)
        notifyList(CDDS_ITEMPOSTPAINT, logicalIndex, &dc);
}

// An item in the colours the list chose (the header's own where it chose none): a raised
// button, or a flat field with a divider on its right.
void ListHeader::paintItem(QPainter* painter, const QRect& rect, int logicalIndex,
                           const DeviceContext& dc) const {
    const QColor back =
        dc.backColour ? toQColor(*dc.backColour) : palette().color(QPalette::Button);
    const QColor text =
        dc.textColour ? toQColor(*dc.textColour) : palette().color(QPalette::ButtonText);
    painter->save();
    painter->fillRect(rect, back);
    if (buttonStyle_) {
        qDrawShadePanel(painter, rect, QPalette(back), false, 1);
    } else {
        painter->setPen(back.lighter(150));
        painter->drawLine(rect.topRight(), rect.bottomRight());
    }
    const QString caption =
        model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
    const QRect textRect = rect.adjusted(TextMargin, 0, -TextMargin, 0);
    painter->setPen(text);
    painter->setFont(font());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                      fontMetrics().elidedText(caption, Qt::ElideRight, textRect.width()));
    painter->restore();
}

} // namespace rt
