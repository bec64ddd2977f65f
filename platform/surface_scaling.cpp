// The stretched copy: nearest source pixel for every target pixel, the target
// rectangle keeping the centre the unscaled copy would have.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/surface.h"

namespace {

template <int Bytes>
void stretchRows(uint8_t* dst, int dstPitch, const uint8_t* src, int srcPitch,
                 const std::vector<int>& columns, const std::vector<int>& rows) {
    const int w = static_cast<int>(columns.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        const uint8_t* in = src + static_cast<size_t>(rows[r]) * srcPitch;
        uint8_t* out = dst + r * dstPitch;
        for (int c = 0; c < w; ++c)
            std::memcpy(out + static_cast<size_t>(c) * Bytes,
                        in + static_cast<size_t>(columns[c]) * Bytes, Bytes);
    }
}

}  // namespace

int Surface::drawScaled(Surface& dest, int x, int y, const Rect* src, float factor) {
    if (!valid() || !dest.valid()) return kDisplayNoSurface;
    if (format().type != dest.format().type ||
        format().bytesPerPixel != dest.format().bytesPerPixel)
        return kDisplayIncompatibleFormats;
    // Below 0 (or not a number) is 0: an empty target. Very large factors are capped so
    // that the target's coordinates stay within range.
    const double f = factor > 0 ? std::min<double>(factor, kMaxSurfaceSide) : 0.0;
    if (f == 0.0) return 0;

    Rect s = src ? *src : Rect{0, 0, width(), height()};
    const Rect& c = clip_;
    if (s.top >= c.bottom || s.left >= c.right || c.top >= s.bottom || c.left >= s.right) return 0;
    s.left = std::max(s.left, c.left);
    s.top = std::max(s.top, c.top);
    s.right = std::min(s.right, c.right);
    s.bottom = std::min(s.bottom, c.bottom);
    if (s.left >= s.right || s.top >= s.bottom) return 0;

    const int w = s.width(), h = s.height();
    int64_t left = static_cast<int64_t>(x + w / 2.0 - w * f / 2.0);
    int64_t top = static_cast<int64_t>(y + h / 2.0 - h * f / 2.0);
    int64_t right = static_cast<int64_t>(left + w * f);
    int64_t bottom = static_cast<int64_t>(top + h * f);
    if (right <= left || bottom <= top) return 0;

    const Rect& dc = dest.clip_;
    if (top >= dc.bottom || left >= dc.right || dc.top >= bottom || dc.left >= right) return 0;
    if (left < dc.left) {
        s.left += static_cast<int>((dc.left - left) / f);
        left = dc.left;
    }
    if (top < dc.top) {
        s.top += static_cast<int>((dc.top - top) / f);
        top = dc.top;
    }
    if (right > dc.right) {
        s.right -= static_cast<int>((right - dc.right) / f);
        right = dc.right;
    }
    if (bottom > dc.bottom) {
        s.bottom -= static_cast<int>((bottom - dc.bottom) / f);
        bottom = dc.bottom;
    }
    if (s.left >= s.right || s.top >= s.bottom) return 0;

    // Nearest source pixel for every target column and row.
    const int dw = static_cast<int>(right - left), dh = static_cast<int>(bottom - top);
    std::vector<int> columns(dw), rows(dh);
    for (int i = 0; i < dw; ++i)
        columns[i] = s.left + static_cast<int>(static_cast<int64_t>(i) * s.width() / dw);
    for (int i = 0; i < dh; ++i)
        rows[i] = s.top + static_cast<int>(static_cast<int64_t>(i) * s.height() / dh);

    const uint8_t* in = bitmap_.data();
    std::vector<uint8_t> snapshot;
    if (&dest == this) {
        snapshot.assign(bitmap_.data(), bitmap_.data() + static_cast<size_t>(pitch()) * height());
        in = snapshot.data();
    }
    uint8_t* out = dest.bitmap_.at(static_cast<int>(left), static_cast<int>(top));
    const int inPitch = pitch(), outPitch = dest.pitch();
    switch (format().bytesPerPixel) {
        case 1:
            stretchRows<1>(out, outPitch, in, inPitch, columns, rows);
            break;
        case 2:
            stretchRows<2>(out, outPitch, in, inPitch, columns, rows);
            break;
        case 3:
            stretchRows<3>(out, outPitch, in, inPitch, columns, rows);
            break;
        case 4:
            stretchRows<4>(out, outPitch, in, inPitch, columns, rows);
            break;
    }
    return 0;
}
