#include "tools/demo_sprites.h"

#include <cmath>

#include "tools/demo_views.h"

namespace {

constexpr int kFrame = 64;
const Colour kOutline{16, 16, 20}, kFill{250, 250, 246}, kGold{236, 190, 80};

using Shape = std::vector<Vec2>;

// Both shapes have seven points so a transition can morph one into the other.
Shape idleShape() {
    return {{2, 2}, {2, 34}, {10, 26}, {16, 40}, {22, 37}, {16, 24}, {27, 24}};
}

Shape arrowShape(Arrow arrow) {
    Shape up = {{20, 2}, {38, 20}, {27, 20}, {27, 40}, {13, 40}, {13, 20}, {2, 20}};
    Shape out;
    for (Vec2 p : up) {
        float x = p.x - 20, y = p.y - 21;
        switch (arrow) {
            case Arrow::Backward:
                out.push_back({20 - x, 21 - y});
                break;
            case Arrow::Left:
                out.push_back({21 + y, 20 - x});
                break;
            case Arrow::Right:
                out.push_back({21 - y, 20 + x});
                break;
            default:
                out.push_back(p);
                break;
        }
    }
    return out;
}

Shape shapeOf(Arrow arrow) {
    return arrow == Arrow::Idle ? idleShape() : arrowShape(arrow);
}

void drawShape(Canvas& c, int frameX, const Shape& shape, Colour fill) {
    Shape moved;
    for (Vec2 p : shape) moved.push_back({p.x + frameX, p.y});
    // Outline by drawing the shape grown by a pixel in each direction first.
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            Shape grown;
            for (Vec2 p : moved) grown.push_back({p.x + dx, p.y + dy});
            c.polygon(grown, kOutline);
        }
    c.polygon(moved, [&](int x, int y) {
        // A little shading from top-left to bottom-right gives the arrow some body.
        float t = ((x - frameX) + y) / 90.0f;
        return mix(fill, Colour{170, 176, 190}, t);
    });
}

void clearFrames(Canvas& c) {
    c.fill(kKey);
}

}  // namespace

void paintPointer(Canvas& c, int frameX, Arrow arrow) {
    drawShape(c, frameX, shapeOf(arrow), arrow == Arrow::Idle ? kFill : kGold);
}

void paintTransition(Canvas& c, Arrow to) {
    clearFrames(c);
    // The idle arrow shrinks away and the new arrow grows in its place.
    const float scales[6] = {1.0f, 0.7f, 0.4f, 0.45f, 0.75f, 1.0f};
    for (int f = 0; f < 6; ++f) {
        Shape base = f < 3 ? idleShape() : shapeOf(to);
        float cx = 0, cy = 0;
        for (Vec2 p : base) {
            cx += p.x / base.size();
            cy += p.y / base.size();
        }
        Shape s;
        for (Vec2 p : base) s.push_back({cx + (p.x - cx) * scales[f], cy + (p.y - cy) * scales[f]});
        drawShape(c, f * kFrame, s, f < 3 ? kFill : kGold);
    }
}

void paintInteract(Canvas& c) {
    clearFrames(c);
    for (int f = 0; f < 6; ++f) {
        float pulse = 0.5f + 0.5f * std::sin(f * 3.14159f / 3);
        float cx = f * kFrame + 20.0f, cy = 20.0f, r = 12 + pulse * 5;
        c.ellipse(cx, cy, r + 2, r + 2, kOutline, 1, false);
        c.ellipse(cx, cy, r, r, mix(Colour{120, 200, 255}, Colour{255, 255, 255}, pulse), 1, false);
        c.ellipse(cx, cy, r - 4, r - 4, kOutline, 1, false);
        c.ellipse(cx, cy, r - 5, r - 5, Colour{40, 80, 140}, 1, false);
        c.ellipse(cx, cy, 3, 3, kFill, 1, false);
    }
}

void paintTake(Canvas& c) {
    clearFrames(c);
    for (int f = 0; f < 6; ++f) {
        float grip = f < 3 ? f / 2.0f : (5 - f) / 2.0f;  // close, then open again
        float ox = f * kFrame + 6.0f, oy = 6.0f;
        c.ellipse(ox + 18, oy + 30, 12, 10, kOutline, 1, false);
        c.ellipse(ox + 18, oy + 30, 10, 8, Colour{240, 200, 160}, 1, false);
        for (int finger = 0; finger < 4; ++finger) {
            float fx = ox + 9 + finger * 6.0f;
            float len = 16 - grip * 9;
            c.thickLine(fx, oy + 24, fx + grip * 3, oy + 24 - len, 6, kOutline);
            c.thickLine(fx, oy + 24, fx + grip * 3, oy + 24 - len, 4, Colour{240, 200, 160});
        }
        c.thickLine(ox + 6, oy + 32, ox + 2 + grip * 6, oy + 22, 5, Colour{240, 200, 160});
    }
}

void paintHeldHorse(Canvas& c) {
    clearFrames(c);
    for (int f = 0; f < 10; ++f) {
        float bob = std::sin(f * 6.28318f / 10) * 3;
        paintHorse(c, f * kFrame + 28.0f, 56 + bob, 0.75f);
    }
    // The figurine is drawn with soft edges; snap any fringe back to the key.
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            Colour p = c.get(x, y);
            if (p.r > 200 && p.b > 150 && p.g < 120) c.set(x, y, kKey);
        }
}

void paintConsolePanel(Canvas& c) {
    c.verticalGradient(0, 0, c.width(), c.height(), Colour{16, 22, 40}, Colour{8, 10, 20});
    c.grain(0, 0, c.width(), c.height(), 4, 101);
    c.rect(0, 131, c.width(), c.height(), Colour{26, 30, 50});
    c.set(0, 0, kKey);  // the colour key: only this corner is see-through
}
