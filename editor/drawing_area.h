#pragma once
// Picture1, the 640x480 drawing area: shows the composed picture and reports the mouse
// in picture pixels. While a tool holds the pointer it keeps it inside.
#include <QImage>
#include <QPointF>
#include <QWidget>

class DrawingArea : public QWidget {
    Q_OBJECT
public:
    explicit DrawingArea(QWidget* parent);
    void showPicture(const QImage& image);
    // Confinement: the pointer is kept inside the area while a tool holds it.
    void setConfined(bool on);
    bool confined() const { return confined_; }
    // Moves the system pointer to a pixel of the picture.
    void warpTo(int x, int y);

signals:
    // A press of one button (LeftButton or RightButton).
    void pressed(int button, QPointF at);
    // A move with the set of buttons held (4 for any other button).
    void moved(int buttons, QPointF at);
    // The last button came up.
    void released();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QPointF confine(QPointF p);

    QImage shown_;
    bool confined_ = false;
};
