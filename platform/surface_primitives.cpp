// Fill, lines and single pixels, through the format's pixel kernels and the clip
// rectangle.
#include <algorithm>
#include <cstdlib>

#include "platform/blit_kernels.h"
#include "platform/surface.h"

int Surface::fill(uint32_t pixel) {
    if (!valid()) return kDisplayNoSurface;
    auto fillRow = bitmap_.kernels()->fill;
    for (int y = 0; y < height(); ++y) fillRow(bitmap_.row(y), width(), pixel);
    return 0;
}

void Surface::line(int x1, int y1, int x2, int y2, uint32_t pixel) {
    if (!valid()) return;
    const Rect& c = clip_;
    if (c.left >= c.right || c.top >= c.bottom) return;
    auto put = bitmap_.kernels()->put;
    auto plot = [&](int64_t x, int64_t y) {
        if (x >= c.left && x < c.right && y >= c.top && y < c.bottom)
            put(bitmap_.at(static_cast<int>(x), static_cast<int>(y)), pixel);
    };
    const int64_t dx = static_cast<int64_t>(x2) - x1, dy = static_cast<int64_t>(y2) - y1;
    if (dx == 0) {
        const int64_t from = std::max<int64_t>(std::min(y1, y2), c.top);
        const int64_t to = std::min<int64_t>(std::max(y1, y2), c.bottom - 1);
        for (int64_t y = from; y <= to; ++y) plot(x1, y);
    } else if (dy == 0) {
        const int64_t from = std::max<int64_t>(std::min(x1, x2), c.left);
        const int64_t to = std::min<int64_t>(std::max(x1, x2), c.right - 1);
        for (int64_t x = from; x <= to; ++x) plot(x, y1);
    } else if (std::llabs(dy) < std::llabs(dx)) {
        // Step x from the left end; y is computed from the step count rather than
        // accumulated, so the far end lands exactly on its pixel. Only the columns inside
        // the clip rectangle can draw anything, so only those are visited.
        const int64_t xl = dx > 0 ? x1 : x2, yl = dx > 0 ? y1 : y2;
        const int64_t run = std::llabs(dx), rise = dx > 0 ? dy : -dy;
        const int64_t first = std::max<int64_t>(0, c.left - xl);
        const int64_t last = std::min<int64_t>(run, c.right - 1 - xl);
        for (int64_t i = first; i <= last; ++i)
            plot(xl + i, static_cast<int64_t>(yl + static_cast<double>(rise * i) / run));
    } else {
        const int64_t yt = dy > 0 ? y1 : y2, xt = dy > 0 ? x1 : x2;
        const int64_t run = std::llabs(dy), rise = dy > 0 ? dx : -dx;
        const int64_t first = std::max<int64_t>(0, c.top - yt);
        const int64_t last = std::min<int64_t>(run, c.bottom - 1 - yt);
        for (int64_t i = first; i <= last; ++i)
            plot(static_cast<int64_t>(xt + static_cast<double>(rise * i) / run), yt + i);
    }
}

void Surface::putPixel(int x, int y, uint32_t pixel) {
    if (!valid() || x < clip_.left || x >= clip_.right || y < clip_.top || y >= clip_.bottom)
        return;
    bitmap_.kernels()->put(bitmap_.at(x, y), pixel);
}

uint32_t Surface::getPixel(int x, int y) const {
    if (!valid() || x < clip_.left || x >= clip_.right || y < clip_.top || y >= clip_.bottom)
        return 0;
    return bitmap_.kernels()->get(bitmap_.at(x, y));
}

void Surface::putBlendedPixel(int x, int y, uint32_t pixel, int level) {
    if (!valid() || !bitmap_.kernels()->blend) return;
    if (x < clip_.left || x >= clip_.right || y < clip_.top || y >= clip_.bottom) return;
    // Like the blends: a 16-bit level, above 256 taken as 256 (the pixel becomes the colour).
    bitmap_.kernels()->blend(bitmap_.at(x, y), pixel, clampLevel16(level));
}
