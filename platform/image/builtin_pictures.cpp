// Pictures drawn by the program itself, so a game folder that lacks the test pattern
// or the pointer images still shows something usable.
#include "platform/image/builtin_pictures.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Pt {
    int x, y;
};

// Even-odd test of the pixel centre against a closed polygon.
bool inside(const Pt* poly, int count, int px, int py) {
    const int x2 = px * 2 + 1, y2 = py * 2 + 1;  // doubled to keep the centre integral
    bool in = false;
    for (int i = 0, j = count - 1; i < count; j = i++) {
        const int xi = poly[i].x * 2, yi = poly[i].y * 2, xj = poly[j].x * 2, yj = poly[j].y * 2;
        if ((yi > y2) != (yj > y2)) {
            // x of the edge at y2, compared without division
            long lhs = static_cast<long>(x2 - xi) * (yj - yi);
            long rhs = static_cast<long>(xj - xi) * (y2 - yi);
            if ((yj > yi) ? lhs < rhs : lhs > rhs) in = !in;
        }
    }
    return in;
}

void setPixel(Picture& p, int x, int y, uint8_t b, uint8_t g, uint8_t r) {
    uint8_t* d = p.row(y) + static_cast<size_t>(x) * 3;
    d[0] = b;
    d[1] = g;
    d[2] = r;
}

void makeCanvas(Picture& p, int width, int height) {
    p = Picture();
    p.width = width;
    p.height = height;
    p.bitsPerPixel = 24;
    p.stride = static_cast<size_t>(width) * 3;
    p.topDown = true;
    p.pixels.assign(p.stride * static_cast<size_t>(height), 0);
}

// Colour bars over a grey ramp, with a 40-pixel grid and a centre cross.
void testPattern(Picture& p) {
    constexpr int kW = 640, kH = 480;
    makeCanvas(p, kW, kH);
    static const uint8_t bars[8][3] = {{255, 255, 255}, {0, 255, 255}, {255, 255, 0},
                                       {0, 255, 0},     {255, 0, 255}, {0, 0, 255},
                                       {255, 0, 0},     {0, 0, 0}};  // B,G,R
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            if (y < kH * 2 / 3) {
                const uint8_t* c = bars[x * 8 / kW];
                setPixel(p, x, y, c[0], c[1], c[2]);
            } else {
                uint8_t v = static_cast<uint8_t>(x * 255 / (kW - 1));
                setPixel(p, x, y, v, v, v);
            }
            const bool grid = x % 40 == 0 || y % 40 == 0 || x == kW - 1 || y == kH - 1;
            const bool cross = (x == kW / 2 || y == kH / 2) && std::abs(x - kW / 2) < 40 &&
                               std::abs(y - kH / 2) < 40;
            if (grid) setPixel(p, x, y, 128, 128, 128);
            if (cross) setPixel(p, x, y, 0, 0, 0);
        }
    }
}

enum class Direction { Idle, Up, Down, Left, Right };

// A white arrow with a black outline on magenta; the top-left pixel is the colour key.
void pointer(Picture& p, Direction dir) {
    constexpr int kSize = 64;
    makeCanvas(p, kSize, kSize);
    static const Pt idle[] = {{2, 2}, {2, 46}, {13, 36}, {21, 54}, {28, 51}, {20, 34}, {34, 34}};
    static const Pt up[] = {{32, 4}, {56, 28}, {42, 28}, {42, 58}, {22, 58}, {22, 28}, {8, 28}};
    Pt shape[7];
    const Pt* src = dir == Direction::Idle ? idle : up;
    for (int i = 0; i < 7; ++i) {
        Pt s = src[i];
        switch (dir) {
            case Direction::Down:
                s = {s.x, kSize - s.y};
                break;
            case Direction::Left:
                s = {s.y, s.x};
                break;
            case Direction::Right:
                s = {kSize - s.y, s.x};
                break;
            default:
                break;
        }
        shape[i] = s;
    }
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (!inside(shape, 7, x, y)) {
                setPixel(p, x, y, 255, 0, 255);
                continue;
            }
            const bool edge = !inside(shape, 7, x - 1, y) || !inside(shape, 7, x + 1, y) ||
                              !inside(shape, 7, x, y - 1) || !inside(shape, 7, x, y + 1);
            const uint8_t v = edge ? 0 : 255;
            setPixel(p, x, y, v, v, v);
        }
    }
}

}  // namespace

bool builtinPicture(const std::string& name, Picture& out) {
    // Callers may pass a path; the stored pictures go by their file names.
    const size_t slash = name.find_last_of('/');
    const std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    if (base == "testpat.jpg") {
        testPattern(out);
    } else if (base == "pointidle.bmp") {
        pointer(out, Direction::Idle);
    } else if (base == "pointforward.bmp") {
        pointer(out, Direction::Up);
    } else if (base == "pointbackward.bmp") {
        pointer(out, Direction::Down);
    } else if (base == "pointleft.bmp") {
        pointer(out, Direction::Left);
    } else if (base == "pointright.bmp") {
        pointer(out, Direction::Right);
    } else {
        out = Picture();
        return false;
    }
    return true;
}
