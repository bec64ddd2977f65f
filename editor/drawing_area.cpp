#include "editor/drawing_area.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "editor/editor_model.h"

DrawingArea::DrawingArea(QWidget* parent) : QWidget(parent) {
    setObjectName("Picture1");
    setFixedSize(kViewWidth, kViewHeight);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

void DrawingArea::showPicture(const QImage& image) {
    shown_ = image;
    repaint();
}

void DrawingArea::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!shown_.isNull()) p.drawImage(0, 0, shown_);
}

void DrawingArea::setConfined(bool on) {
    if (on == confined_) return;
    confined_ = on;
    if (on) {
        grabMouse();
        confine(mapFromGlobal(QCursor::pos()));  // a pointer outside is brought in
    } else {
        releaseMouse();
    }
}

void DrawingArea::warpTo(int x, int y) {
    QCursor::setPos(mapToGlobal(QPoint(x, y)));
}

// Qt has no confinement call: while confined the area holds the mouse grab and
// puts the pointer back inside whenever it strays.
QPointF DrawingArea::confine(QPointF p) {
    if (!confined_) return p;
    QPointF q(std::clamp(p.x(), 0.0, kViewWidth - 1.0), std::clamp(p.y(), 0.0, kViewHeight - 1.0));
    if (q != p) warpTo(static_cast<int>(q.x()), static_cast<int>(q.y()));
    return q;
}

void DrawingArea::mousePressEvent(QMouseEvent* e) {
    const int button = e->button() == Qt::LeftButton    ? LeftButton
                       : e->button() == Qt::RightButton ? RightButton
                                                        : 0;
    if (!button) return;
    const QPointF p = e->position();
    if (!confined_ && !rect().contains(p.toPoint())) return;
    emit pressed(button, confine(p));
}

void DrawingArea::mouseMoveEvent(QMouseEvent* e) {
    const QPointF p = e->position();
    if (!confined_ && !rect().contains(p.toPoint()) && e->buttons() == Qt::NoButton) return;
    int buttons = 0;
    if (e->buttons() & Qt::LeftButton) buttons |= LeftButton;
    if (e->buttons() & Qt::RightButton) buttons |= RightButton;
    if (e->buttons() & ~(Qt::LeftButton | Qt::RightButton)) buttons |= 4;
    emit moved(buttons, confine(p));
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* e) {
    if (e->buttons() == Qt::NoButton) emit released();
}
