// The copies, blends and fades between surfaces of one pixel format: each clips once,
// then runs the format's row kernel over the rows.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/blit_kernels.h"
#include "platform/surface.h"

namespace {

bool overlaps(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

template <class RowFn>
int Surface::blitRows(Surface& dest, int x, int y, const Rect* src, RowFn row) {
    if (!valid() || !dest.valid()) return kDisplayNoSurface;
    const PixelFormat& f = format();
    if (f.type != dest.format().type || f.bytesPerPixel != dest.format().bytesPerPixel)
        return kDisplayIncompatibleFormats;
    Rect s;
    if (!clipCopy(dest, x, y, src, s)) return 0;
    const int w = s.width(), h = s.height();
    const size_t rowBytes = static_cast<size_t>(w) * f.bytesPerPixel;
    const uint8_t* in = bitmap_.at(s.left, s.top);
    size_t inPitch = static_cast<size_t>(pitch());
    std::vector<uint8_t> copy;
    if (&dest == this && overlaps(s, Rect{x, y, x + w, y + h})) {
        // Drawing onto an overlapping part of itself: read from a snapshot.
        copy.resize(rowBytes * h);
        for (int r = 0; r < h; ++r)
            std::memcpy(copy.data() + r * rowBytes, in + r * inPitch, rowBytes);
        in = copy.data();
        inPitch = rowBytes;
    }
    uint8_t* out = dest.bitmap_.at(x, y);
    const size_t outPitch = static_cast<size_t>(dest.pitch());
    if (inPitch == rowBytes && outPitch == rowBytes) {
        row(out, in, w * h);  // whole rows without padding: one run
    } else {
        for (int r = 0; r < h; ++r) row(out + r * outPitch, in + r * inPitch, w);
    }
    return 0;
}

int Surface::draw(Surface& dest, int x, int y, const Rect* src) {
    const size_t bytes = static_cast<size_t>(format().bytesPerPixel);
    return blitRows(dest, x, y, src,
                    [bytes](uint8_t* d, const uint8_t* s, int n) { std::memcpy(d, s, bytes * n); });
}

int Surface::drawKeyed(Surface& dest, int x, int y, const Rect* src) {
    const BlitKernels* kernels = bitmap_.kernels();
    if (!kernels) return kDisplayNoSurface;
    auto keyed = kernels->keyed;
    const uint32_t key = colourKey_;
    return blitRows(dest, x, y, src,
                    [keyed, key](uint8_t* d, const uint8_t* s, int n) { keyed(d, s, n, key); });
}

int Surface::drawHalf(Surface& dest, int x, int y, const Rect* src) {
    const BlitKernels* kernels = bitmap_.kernels();
    if (!kernels || !kernels->half) return 0;
    return blitRows(dest, x, y, src, kernels->half);
}

int Surface::drawKeyedHalf(Surface& dest, int x, int y, const Rect* src) {
    const BlitKernels* kernels = bitmap_.kernels();
    if (!kernels || !kernels->keyedHalf) return 0;
    auto keyedHalf = kernels->keyedHalf;
    const uint32_t key = colourKey_;
    return blitRows(dest, x, y, src, [keyedHalf, key](uint8_t* d, const uint8_t* s, int n) {
        keyedHalf(d, s, n, key);
    });
}

int Surface::drawAlpha(Surface& dest, int x, int y, const Rect* src, int level) {
    const BlitKernels* kernels = bitmap_.kernels();
    if (!kernels || !kernels->alpha) return 0;
    auto alpha = kernels->alpha;
    const int l = clampLevel16(level);
    return blitRows(dest, x, y, src,
                    [alpha, l](uint8_t* d, const uint8_t* s, int n) { alpha(d, s, n, l); });
}

int Surface::drawKeyedAlpha(Surface& dest, int x, int y, const Rect* src, int level) {
    const BlitKernels* kernels = bitmap_.kernels();
    if (!kernels || !kernels->keyedAlpha) return 0;
    auto keyedAlpha = kernels->keyedAlpha;
    const int l = clampLevel16(level);
    const uint32_t key = colourKey_;
    return blitRows(dest, x, y, src, [keyedAlpha, l, key](uint8_t* d, const uint8_t* s, int n) {
        keyedAlpha(d, s, n, l, key);
    });
}

int Surface::drawFaded(Surface& dest, int x, int y, const Rect* src, int level) {
    const BlitKernels* kernels = bitmap_.kernels();
    if (!kernels || !kernels->faded) return 0;
    auto faded = kernels->faded;
    // Outside 0..256 the channels would overflow into their neighbours.
    const int l = std::clamp(level, 0, 256);
    return blitRows(dest, x, y, src,
                    [faded, l](uint8_t* d, const uint8_t* s, int n) { faded(d, s, n, l); });
}
