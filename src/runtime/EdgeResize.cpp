#include "runtime/EdgeResize.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

namespace rt {

namespace {

class EdgeGrip : public QObject {
  public:
    EdgeGrip(QWidget* window, int band) : QObject(window), window_(window), band_(band) {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != window_ || window_->windowState() != Qt::WindowNoState)
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        const Qt::Edges edges = edgesAt(mouse->globalPosition().toPoint());
        if (type == QEvent::MouseMove && mouse->buttons() == Qt::NoButton) {
            showCursor(edges);
            return false;
        }
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton && edges &&
            window_->windowHandle())
            return window_->windowHandle()->startSystemResize(edges);
        return false;
    }

  private:
    Qt::Edges edgesAt(const QPoint& global) const {
        const QRect frame = window_->frameGeometry();
        Qt::Edges edges;
        if (global.x() < frame.left() + band_)
            edges |= Qt::LeftEdge;
        if (global.x() > frame.right() - band_)
            edges |= Qt::RightEdge;
        if (global.y() < frame.top() + band_)
            edges |= Qt::TopEdge;
        if (global.y() > frame.bottom() - band_)
            edges |= Qt::BottomEdge;
        return edges;
    }

    void showCursor(Qt::Edges edges) {
        const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
        const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
        if (!horizontal && !vertical) {
            if (cursorSet_)
                window_->unsetCursor();
            cursorSet_ = false;
            return;
        }
        Qt::CursorShape shape = horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
        if (horizontal && vertical) {
            // Top-left and bottom-right corners resize along the falling diagonal.
            const bool falling = edges.testFlag(Qt::LeftEdge) == edges.testFlag(Qt::TopEdge);
            shape = falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
        }
        window_->setCursor(shape);
        cursorSet_ = true;
    }

    QWidget* window_;
    int band_;
    bool cursorSet_ = false;
};

} // namespace

void makeEdgesSizable(QWidget* window, int band) {
    new EdgeGrip(window, band);
}

} // namespace rt
