#pragma once
// Picture1, the drawing area: shows the composed 640x480 picture magnified 1x to 4x
// inside a scroll area, and reports the mouse in picture pixels, whatever the zoom.
// While a tool holds the pointer it keeps it inside the visible part of the picture
// and scrolls on when the pointer pushes against an edge with more picture beyond.
#include <QImage>
#include <QPointF>
#include <QWidget>

class QScrollArea;

class DrawingArea : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 4;

    // Goes into a QScrollArea (QScrollArea::setWidget), which it then scrolls.
    explicit DrawingArea(QWidget* parent);
    void showPicture(const QImage& image);

    int zoom() const { return zoom_; }
    // Magnifies the picture, keeping the middle of the visible part where it is.
    void setZoom(int zoom);

    // Confinement: the pointer is kept inside the area while a tool holds it.
    void setConfined(bool on);
    bool confined() const { return confined_; }
    // Moves the system pointer onto a pixel of the picture (scrolled into view).
    void warpTo(int x, int y);
    // The part of the area the scroll area shows, in the area's own coordinates.
    QRect visibleArea() const;

signals:
    // A press of one button (LeftButton or RightButton), in picture pixels.
    void pressed(int button, QPointF at);
    // A move with the set of buttons held (4 for any other button), in picture pixels.
    void moved(int buttons, QPointF at);
    // The last button came up.
    void released();
    void zoomChanged(int zoom);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    QScrollArea* scrollArea() const;
    // Magnifies the picture, keeping the picture point under `anchor` (area coordinates)
    // where it is on the screen.
    void zoomAround(int zoom, QPointF anchor);
    // Keeps a confined pointer inside the visible part; with `scroll`, a pointer pushed
    // past an edge scrolls the picture on by as much. Returns the point kept to.
    QPointF confine(QPointF p, bool scroll);
    // Magnified, a point goes to the pixel it lies on, so that whatever part of the
    // pixel is clicked, every tool (the rounding overlay tool too) sees that pixel.
    QPointF toPicture(QPointF p) const;

    QImage shown_;
    int zoom_ = 1;
    int wheelDelta_ = 0;  // eighths of a degree towards the next zoom step
    bool confined_ = false;
};
