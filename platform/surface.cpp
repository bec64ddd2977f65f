// Storage, the clip rectangle and colour key, and the clipping every copy goes through.
#include "platform/surface.h"

#include <algorithm>
#include <cstring>

#include "platform/screen.h"

Surface::Surface() = default;
Surface::~Surface() = default;

void Surface::adopt(Bitmap& pixels) {
    bitmap_.swap(pixels);
    clip_ = Rect{0, 0, bitmap_.width(), bitmap_.height()};
    colourKey_ = 0;
}

int Surface::create(Screen* screen, int width, int height, int placement) {
    const PixelFormat format = screen ? screen->format() : PixelFormat::ofType(16);
    Bitmap pixels;
    if (int rc = pixels.allocate(format, width, height)) return rc;
    adopt(pixels);
    screen_ = screen;
    serial_ = screen ? screen->nextSerial() : 0;
    placement_ = placement;
    fileName_.clear();
    return 0;
}

int Surface::create(const PixelFormat& format, int width, int height, Screen* screen) {
    Bitmap pixels;
    if (int rc = pixels.allocate(format, width, height)) return rc;
    adopt(pixels);
    screen_ = screen;
    serial_ = 0;
    fileName_.clear();
    return 0;
}

void Surface::setClipRect(const Rect& rect) {
    const int w = width(), h = height();
    Rect c;
    c.left = std::clamp(rect.left, 0, w);
    c.right = std::clamp(rect.right, 0, w);
    c.top = std::clamp(rect.top, 0, h);
    c.bottom = std::clamp(rect.bottom, 0, h);
    // An inverted rectangle clips everything away rather than reading backwards.
    if (c.right < c.left) c.right = c.left;
    if (c.bottom < c.top) c.bottom = c.top;
    clip_ = c;
}

int Surface::setColourKeyFromTopLeft() {
    if (!valid()) return -1;
    uint32_t key;
    std::memcpy(&key, bitmap_.data(), 4);  // every row is at least 4 bytes
    const int bits = format().bitsPerPixel;
    if (bits < 32) key &= (1u << bits) - 1;
    colourKey_ = key;
    return 0;
}

bool Surface::clipCopy(const Surface& dest, int& x, int& y, const Rect* src, Rect& s) const {
    s = src ? *src : Rect{0, 0, width(), height()};
    const Rect& c = clip_;
    if (s.top >= c.bottom || s.left >= c.right || c.top >= s.bottom || c.left >= s.right)
        return false;
    s.left = std::max(s.left, c.left);
    s.top = std::max(s.top, c.top);
    s.right = std::min(s.right, c.right);
    s.bottom = std::min(s.bottom, c.bottom);
    if (s.left >= s.right || s.top >= s.bottom) return false;

    // 64-bit so that far-away positions cannot wrap around into view.
    int64_t dl = x, dt = y, dr = dl + s.width(), db = dt + s.height();
    const Rect& dc = dest.clip_;
    if (dt >= dc.bottom || dl >= dc.right || dc.top >= db || dc.left >= dr) return false;
    if (dl < dc.left) {
        s.left += static_cast<int>(dc.left - dl);
        dl = dc.left;
    }
    if (dt < dc.top) {
        s.top += static_cast<int>(dc.top - dt);
        dt = dc.top;
    }
    if (dr > dc.right) s.right -= static_cast<int>(dr - dc.right);
    if (db > dc.bottom) s.bottom -= static_cast<int>(db - dc.bottom);
    x = static_cast<int>(dl);
    y = static_cast<int>(dt);
    return s.left < s.right && s.top < s.bottom;
}
