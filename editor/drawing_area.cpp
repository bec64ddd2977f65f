#include "editor/drawing_area.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "editor/editor_model.h"

DrawingArea::DrawingArea(QWidget* parent) : QWidget(parent) {
    setObjectName("Picture1");
    setFixedSize(kViewWidth, kViewHeight);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

QPointF DrawingArea::toPicture(QPointF p) const {
    if (zoom_ == 1) return p;
    return QPointF(std::floor(p.x() / zoom_), std::floor(p.y() / zoom_));
}

QScrollArea* DrawingArea::scrollArea() const {
    QWidget* viewport = parentWidget();
    return viewport ? qobject_cast<QScrollArea*>(viewport->parentWidget()) : nullptr;
}

void DrawingArea::showPicture(const QImage& image) {
    shown_ = image;
    repaint();
}

// Each picture pixel becomes a zoom x zoom block; only the blocks of the exposed part
// are drawn.
void DrawingArea::paintEvent(QPaintEvent* e) {
    if (shown_.isNull()) return;
    QPainter p(this);
    if (zoom_ == 1) {
        p.drawImage(0, 0, shown_);
        return;
    }
    const QRect r = e->rect();
    const QRect source = QRect(QPoint(r.left() / zoom_, r.top() / zoom_),
                               QPoint(r.right() / zoom_, r.bottom() / zoom_)) &
                         shown_.rect();
    p.drawImage(QRect(source.topLeft() * zoom_, source.size() * zoom_), shown_, source);
}

void DrawingArea::setZoom(int zoom) {
    zoomAround(zoom, QRectF(visibleArea()).center());
}

void DrawingArea::zoomAround(int zoom, QPointF anchor) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == zoom_) return;
    QScrollArea* area = scrollArea();
    const QPointF picturePoint = toPicture(anchor);
    const QPoint onScreen = area ? mapTo(area->viewport(), anchor.toPoint()) : QPoint();
    zoom_ = zoom;
    setFixedSize(kViewWidth * zoom_, kViewHeight * zoom_);
    if (area) {
        area->horizontalScrollBar()->setValue(
            static_cast<int>(std::lround(picturePoint.x() * zoom_)) - onScreen.x());
        area->verticalScrollBar()->setValue(
            static_cast<int>(std::lround(picturePoint.y() * zoom_)) - onScreen.y());
    }
    update();
    emit zoomChanged(zoom_);
}

QRect DrawingArea::visibleArea() const {
    const QScrollArea* area = scrollArea();
    if (!area) return rect();
    const QWidget* viewport = area->viewport();
    return QRect(mapFrom(viewport, QPoint(0, 0)), viewport->size()) & rect();
}

void DrawingArea::setConfined(bool on) {
    if (on == confined_) return;
    confined_ = on;
    if (on) {
        grabMouse();
        confine(mapFromGlobal(QCursor::pos()), false);  // a pointer outside is brought in
    } else {
        releaseMouse();
    }
}

void DrawingArea::warpTo(int x, int y) {
    // A pointer already on that pixel stays put: at a zoom above 1x, warping it to the
    // pixel's middle would swallow every move smaller than half a pixel.
    const QPointF now = toPicture(mapFromGlobal(QCursor::pos()));
    if (std::floor(now.x()) == x && std::floor(now.y()) == y) return;
    const QPoint target(x * zoom_ + zoom_ / 2, y * zoom_ + zoom_ / 2);
    if (QScrollArea* area = scrollArea())
        if (!visibleArea().contains(target)) area->ensureVisible(target.x(), target.y(), 0, 0);
    QCursor::setPos(mapToGlobal(target));
}

// Qt has no confinement call: while confined the area holds the mouse grab and
// puts the pointer back inside whenever it strays.
QPointF DrawingArea::confine(QPointF p, bool scroll) {
    if (!confined_) return p;
    QRect visible = visibleArea();
    QScrollArea* area = scrollArea();
    if (scroll && area) {
        auto overshoot = [](double v, int low, int high) {
            if (v < low) return static_cast<int>(std::floor(v)) - low;
            if (v > high) return static_cast<int>(std::ceil(v)) - high;
            return 0;
        };
        const int dx = overshoot(p.x(), visible.left(), visible.right());
        const int dy = overshoot(p.y(), visible.top(), visible.bottom());
        QScrollBar* h = area->horizontalScrollBar();
        QScrollBar* v = area->verticalScrollBar();
        const int oldH = h->value(), oldV = v->value();
        if (dx) h->setValue(oldH + dx);
        if (dy) v->setValue(oldV + dy);
        // Scrolling moved the area under the pointer: the same screen point is now
        // another point of the area.
        p += QPointF(h->value() - oldH, v->value() - oldV);
        visible = visibleArea();
    }
    const QPointF q(std::clamp(p.x(), double(visible.left()), double(visible.right())),
                    std::clamp(p.y(), double(visible.top()), double(visible.bottom())));
    if (q != p) QCursor::setPos(mapToGlobal(q.toPoint()));
    return q;
}

void DrawingArea::mousePressEvent(QMouseEvent* e) {
    const int button = e->button() == Qt::LeftButton    ? LeftButton
                       : e->button() == Qt::RightButton ? RightButton
                                                        : 0;
    if (!button) return;
    const QPointF p = e->position();
    if (!confined_ && !rect().contains(p.toPoint())) return;
    emit pressed(button, toPicture(confine(p, false)));
}

void DrawingArea::mouseMoveEvent(QMouseEvent* e) {
    const QPointF p = e->position();
    if (!confined_ && !rect().contains(p.toPoint()) && e->buttons() == Qt::NoButton) return;
    int buttons = 0;
    if (e->buttons() & Qt::LeftButton) buttons |= LeftButton;
    if (e->buttons() & Qt::RightButton) buttons |= RightButton;
    if (e->buttons() & ~(Qt::LeftButton | Qt::RightButton)) buttons |= 4;
    emit moved(buttons, toPicture(confine(p, true)));
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* e) {
    if (e->buttons() == Qt::NoButton) emit released();
}

void DrawingArea::wheelEvent(QWheelEvent* e) {
    if (!(e->modifiers() & Qt::ControlModifier)) {
        e->ignore();  // the scroll area scrolls
        return;
    }
    e->accept();
    wheelDelta_ += e->angleDelta().y();
    int steps = wheelDelta_ / 120;
    if (steps == 0) return;
    wheelDelta_ -= steps * 120;
    zoomAround(zoom_ + steps, e->position());
}
