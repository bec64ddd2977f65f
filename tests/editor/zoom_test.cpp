// The drawing area magnified: the mouse reaches the tools in picture pixels at every
// zoom, constrained mode keeps the pointer in the visible part and scrolls at its
// edges, and the View menu, its keys and Ctrl+wheel set the zoom.
#include <gtest/gtest.h>

#include <QAction>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <fstream>
#include <sstream>

#include "editor/drawing_area.h"
#include "window_fixture.h"

namespace {

using window_test::BoxWatcher;

class Zoomed : public window_test::Window {
protected:
    void SetUp() override {
        Window::SetUp();
        form->show();
        area = form->findChild<DrawingArea*>("Picture1");
        scroller = form->findChild<QScrollArea*>();
        ASSERT_TRUE(area && scroller);
    }
    void zoomTo(int z) {
        form->findChild<QAction*>(QString("zoom%1").arg(z))->trigger();
        QApplication::processEvents();  // the scroll bars show and hide a moment later
        ASSERT_EQ(area->zoom(), z);
    }
    // The middle of picture pixel (x, y) on the magnified area.
    QPointF spot(int x, int y) const {
        const int z = area->zoom();
        return QPointF(x * z + z / 2, y * z + z / 2);
    }
    // Scrolls as the author would, so that both pixels are on the screen.
    void reveal(int x1, int y1, int x2, int y2) {
        const QPointF a = spot(x1, y1), b = spot(x2, y2);
        const QPointF mid = (a + b) / 2;
        scroller->ensureVisible(static_cast<int>(mid.x()), static_cast<int>(mid.y()),
                                static_cast<int>(std::abs(a.x() - b.x()) / 2) + 20,
                                static_cast<int>(std::abs(a.y() - b.y()) / 2) + 20);
    }
    void send(QEvent::Type type, QPointF local, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, local, area->mapToGlobal(local), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(area, &e);
    }
    void click(int x, int y) {
        reveal(x, y, x, y);
        send(QEvent::MouseButtonPress, spot(x, y), Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, spot(x, y), Qt::LeftButton, Qt::NoButton);
    }
    void drag(int x1, int y1, int x2, int y2) {
        reveal(x1, y1, x2, y2);
        send(QEvent::MouseButtonPress, spot(x1, y1), Qt::LeftButton, Qt::LeftButton);
        for (int i = 1; i <= 4; ++i)
            send(QEvent::MouseMove, spot(x1 + (x2 - x1) * i / 4, y1 + (y2 - y1) * i / 4),
                 Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, spot(x2, y2), Qt::LeftButton, Qt::NoButton);
    }
    void button(const char* name) { form->findChild<QPushButton*>(name)->click(); }

    // Draws, selects and moves with the mouse alone, saves, and returns the file.
    std::string editAndSave() {
        button("drawbut");
        click(100, 100);
        click(200, 100);
        click(200, 200);
        {
            BoxWatcher ok;
            click(101, 101);
        }
        button("drawbut");
        click(300, 300);
        click(340, 330);
        {
            BoxWatcher ok;
            click(302, 301);  // two clicks and a close: a rectangle
        }
        button("selectbut");
        click(180, 150);  // inside the triangle only
        EXPECT_EQ(form->model().selectedShape, 1);
        button("movepoint");
        drag(200, 200, 230, 215);
        button("shapemove");
        drag(100, 100, 110, 105);
        const std::string name = "zoom" + std::to_string(area->zoom()) + ".scn";
        EXPECT_TRUE(form->saveTo(path(name.c_str())));
        std::ifstream in(dir / name, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    DrawingArea* area = nullptr;
    QScrollArea* scroller = nullptr;
};

TEST_F(Zoomed, EditingAtThreeTimesGivesTheSameViewAsAtOne) {
    const std::string atOne = editAndSave();
    EXPECT_NE(atOne.find("COORD (110,105),(210,105),(240,220)\r\n"), std::string::npos) << atOne;
    EXPECT_NE(atOne.find("COORD (300,300),(340,300),(340,330),(300,330)\r\n"), std::string::npos)
        << atOne;

    TearDown();
    SetUp();
    zoomTo(3);
    EXPECT_TRUE(scroller->horizontalScrollBar()->maximum() > 0);
    EXPECT_EQ(editAndSave(), atOne);
    EXPECT_EQ(form->model().xycoord, "(110, 105)");  // labels stay in picture pixels
}

TEST_F(Zoomed, ConfinementFollowsTheVisiblePartAndScrollsAtItsEdges) {
    zoomTo(3);
    QScrollBar* h = scroller->horizontalScrollBar();
    QScrollBar* v = scroller->verticalScrollBar();
    button("drawbut");
    click(50, 50);  // the first vertex takes the pointer
    ASSERT_TRUE(area->confined());
    h->setValue(300);
    v->setValue(200);
    QRect visible = area->visibleArea();
    ASSERT_EQ(visible.left(), 300);

    // Pushed 30 pixels past the right edge: the picture scrolls on by as much and the
    // pointer stays on the edge, now over a later part of the picture.
    const int y = visible.center().y();
    send(QEvent::MouseMove, QPointF(visible.right() + 30, y), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(h->value(), 330);
    EXPECT_EQ(form->model().xycoord, "(" + std::to_string((visible.right() + 30) / 3) + ", " +
                                         std::to_string((y + 0) / 3) + ")");
    // Past the top edge likewise; the left edge of the picture stops the scrolling.
    visible = area->visibleArea();
    send(QEvent::MouseMove, QPointF(visible.left() + 5, visible.top() - 12), Qt::NoButton,
         Qt::NoButton);
    EXPECT_EQ(v->value(), 188);
    h->setValue(0);
    send(QEvent::MouseMove, QPointF(-40, area->visibleArea().center().y()), Qt::NoButton,
         Qt::NoButton);
    EXPECT_EQ(h->value(), 0);
    EXPECT_EQ(form->model().xycoord.substr(0, 4), "(0, ");

    // At 1x the whole picture shows: nothing scrolls and the pointer stays on it.
    zoomTo(1);
    EXPECT_EQ(area->visibleArea(), QRect(0, 0, kViewWidth, kViewHeight));
    send(QEvent::MouseMove, QPointF(700, 500), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(form->model().xycoord, "(639, 479)");
}

// At 2x and 3x a confined pointer pushed past an edge scrolls the picture that way by as
// much, and at the picture's end it stays on the last pixel, never one past it.
TEST_F(Zoomed, PushesScrollTheirWayAndTheEndHoldsTheLastPixel) {
    struct Push {
        const char* edge;
        int dx, dy;  // area pixels past the edge
    };
    const Push pushes[] = {{"right", 25, 0}, {"left", -25, 0}, {"bottom", 0, 25}, {"top", 0, -25}};
    for (int z : {2, 3}) {
        TearDown();
        SetUp();
        zoomTo(z);
        button("drawbut");
        click(50, 50);  // the first vertex takes the pointer
        ASSERT_TRUE(area->confined());
        QScrollBar* h = scroller->horizontalScrollBar();
        QScrollBar* v = scroller->verticalScrollBar();
        ASSERT_GT(h->maximum(), 100) << z;
        ASSERT_GT(v->maximum(), 100) << z;
        h->setValue(h->maximum() / 2);
        v->setValue(v->maximum() / 2);
        for (const Push& p : pushes) {
            const QRect visible = area->visibleArea();
            const int oldH = h->value(), oldV = v->value();
            const double x = p.dx > 0   ? visible.right() + p.dx
                             : p.dx < 0 ? visible.left() + p.dx
                                        : visible.center().x();
            const double y = p.dy > 0   ? visible.bottom() + p.dy
                             : p.dy < 0 ? visible.top() + p.dy
                                        : visible.center().y();
            send(QEvent::MouseMove, QPointF(x, y), Qt::NoButton, Qt::NoButton);
            EXPECT_EQ(h->value() - oldH, p.dx) << z << "x, " << p.edge;
            EXPECT_EQ(v->value() - oldV, p.dy) << z << "x, " << p.edge;
        }
        h->setValue(h->maximum());
        v->setValue(v->maximum());
        const QRect end = area->visibleArea();
        ASSERT_EQ(end.right(), kViewWidth * z - 1);
        ASSERT_EQ(end.bottom(), kViewHeight * z - 1);
        // On the last area pixel, one pixel in from it, and pushed beyond it.
        send(QEvent::MouseMove, QPointF(end.right(), end.bottom()), Qt::NoButton, Qt::NoButton);
        EXPECT_EQ(form->model().xycoord, "(639, 479)") << z;
        send(QEvent::MouseMove, QPointF(end.right() - z, end.bottom() - z), Qt::NoButton,
             Qt::NoButton);
        EXPECT_EQ(form->model().xycoord, "(638, 478)") << z;
        send(QEvent::MouseMove, QPointF(end.right() + 40, end.bottom() + 40), Qt::NoButton,
             Qt::NoButton);
        EXPECT_EQ(form->model().xycoord, "(639, 479)") << z;
        EXPECT_EQ(h->value(), h->maximum()) << z;
        EXPECT_EQ(v->value(), v->maximum()) << z;
    }
}

// Every part of a magnified pixel is that pixel, for the rounding overlay tool too.
TEST_F(Zoomed, TheTestOverlayLandsOnThePixelUnderThePointer) {
    zoomTo(3);
    form->model().testOverlay.emplace();
    form->findChild<QAction*>("positionoverlay")->trigger();
    reveal(40, 30, 40, 30);
    send(QEvent::MouseButtonPress, QPointF(40 * 3 + 2, 30 * 3 + 2), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(form->model().testOverlay->getX(), 40);
    EXPECT_EQ(form->model().testOverlay->getY(), 30);
    send(QEvent::MouseMove, QPointF(41 * 3, 32 * 3 + 2), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(form->model().testOverlay->getX(), 41);
    EXPECT_EQ(form->model().testOverlay->getY(), 32);
}

TEST_F(Zoomed, MenuKeysAndControlWheel) {
    auto* in = form->findChild<QAction*>("zoomin");
    auto* out = form->findChild<QAction*>("zoomout");
    EXPECT_TRUE(in->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Plus)));
    EXPECT_EQ(out->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Minus));
    EXPECT_FALSE(out->isEnabled());
    for (int z = 2; z <= 4; ++z) {
        in->trigger();
        EXPECT_EQ(area->zoom(), z);
        EXPECT_TRUE(form->findChild<QAction*>(QString("zoom%1").arg(z))->isChecked());
    }
    EXPECT_FALSE(in->isEnabled());
    EXPECT_EQ(area->size(), QSize(4 * kViewWidth, 4 * kViewHeight));
    out->trigger();
    EXPECT_EQ(area->zoom(), 3);

    auto wheel = [this](int delta, Qt::KeyboardModifiers modifiers) {
        const QPointF at = area->visibleArea().center();
        QWheelEvent e(at, area->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(area, &e);
    };
    wheel(-120, Qt::ControlModifier);
    EXPECT_EQ(area->zoom(), 2);
    wheel(-60, Qt::ControlModifier);  // half a notch of a fine wheel: not yet
    EXPECT_EQ(area->zoom(), 2);
    wheel(-60, Qt::ControlModifier);
    EXPECT_EQ(area->zoom(), 1);
    EXPECT_TRUE(form->findChild<QAction*>("zoom1")->isChecked());
    wheel(120, Qt::NoModifier);  // a plain wheel scrolls, it does not zoom
    EXPECT_EQ(area->zoom(), 1);
    wheel(-120, Qt::ControlModifier);
    EXPECT_EQ(area->zoom(), 1);
}

}  // namespace
