#include "runtime/StatusBar.h"

#include <QHBoxLayout>

namespace rt {

StatusPanel::StatusPanel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText); // a folder path with "<" in it is shown as it is
    setBevel(bevel_);
    setContentsMargins(6, 0, 6, 0);
}

void StatusPanel::setBevel(int bevel) {
    bevel_ = bevel;
    setFrameStyle(bevel == 0 ? QFrame::NoFrame : QFrame::Panel | QFrame::Sunken);
}

void StatusPanel::setAutoSize(int autoSize) {
    autoSize_ = autoSize;
    setSizePolicy(autoSize == 2 ? QSizePolicy::Fixed : QSizePolicy::Preferred,
                  QSizePolicy::Preferred);
}

StatusBar::StatusBar(QWidget* parent) : QWidget(parent), layout_(new QHBoxLayout(this)) {
    layout_->setContentsMargins(2, 1, 2, 1);
    layout_->setSpacing(2);
    layout_->addStretch(1);
    setFixedHeight(21);
    setAutoFillBackground(true);
}

StatusPanel& StatusBar::addPanel() {
    auto* created = new StatusPanel(this);
    layout_->insertWidget(layout_->count() - 1, created);
    panels_.push_back(created);
    return *created;
}

StatusPanel& StatusBar::panel(int n) {
    if (n >= 1 && n <= panelCount())
        return *panels_[n - 1];
    if (!missing_)
        missing_ = std::make_unique<StatusPanel>();
    return *missing_;
}

QString StatusBar::panelText(int n) const {
    return n >= 1 && n <= panelCount() ? panels_[n - 1]->text() : QString();
}

} // namespace rt
