// Conversion between surfaces and decoded pictures (files, screenshots, icons).
#include <cstring>

#include "platform/blit_kernels.h"
#include "platform/image/picture.h"
#include "platform/surface.h"

int Surface::fromPicture(const Picture& picture, const PixelFormat& format) {
    const int w = picture.width, h = picture.height;
    if (w <= 0 || h <= 0 || w > kMaxPictureSide || h > kMaxPictureSide)
        return kDisplayInvalidParams;
    const int bpp = picture.bitsPerPixel;
    if (bpp != 8 && bpp != 24 && bpp != 32) return kDisplayUnsupportedFormat;
    const size_t rowBytes = static_cast<size_t>(w) * (bpp / 8);
    if (picture.stride < rowBytes ||
        picture.pixels.size() / static_cast<size_t>(h) < picture.stride)
        return kDisplayInvalidParams;

    Bitmap converted;
    if (int rc = converted.allocate(format, w, h)) return rc;
    const size_t paletteEntries = picture.palette.size() / 4;
    const int outBytes = format.bytesPerPixel;
    void (*put)(uint8_t*, uint32_t) = converted.kernels()->put;
    for (int y = 0; y < h; ++y) {
        const uint8_t* in = picture.row(y);
        uint8_t* out = converted.row(y);
        if (bpp == 8 && format.type == 8) {
            std::memcpy(out, in, static_cast<size_t>(w));
        } else if (bpp == 8) {
            for (int x = 0; x < w; ++x, out += outBytes) {
                uint32_t value = 0;
                if (in[x] < paletteEntries) {
                    const uint8_t* e = picture.palette.data() + in[x] * 4;
                    value = format.map(e[2], e[1], e[0]);
                }
                put(out, value);
            }
        } else {
            const int step = bpp / 8;
            for (int x = 0; x < w; ++x, in += step, out += outBytes)
                put(out, format.map(in[2], in[1], in[0]));
        }
    }
    // Keep who we are (screen, serial, font, file name); take the new pixels.
    adopt(converted);
    return 0;
}

bool Surface::toPicture(Picture& out) const {
    const PixelFormat& f = format();
    const int type = f.type;
    if (!valid() || (type != 8 && type != 15 && type != 16 && type != 24 && type != 32))
        return false;
    const int w = width(), h = height();
    Picture p;
    p.width = w;
    p.height = h;
    p.bitsPerPixel = 24;
    p.stride = static_cast<size_t>(w) * 3;
    p.topDown = true;
    p.pixels.resize(p.stride * h);

    // Channel expansion that repeats the high bits, so full intensity stays 255.
    struct Channel {
        uint32_t mask;
        int shift, up, down;
    };
    auto channel = [](uint32_t mask, int shift) {
        int bits = __builtin_popcount(mask);
        return Channel{mask, shift, 8 - bits, bits - (8 - bits)};
    };
    const Channel r = channel(f.redMask, f.redShift), g = channel(f.greenMask, f.greenShift),
                  b = channel(f.blueMask, f.blueShift);
    auto expand = [](uint32_t v, const Channel& c) {
        uint32_t x = (v >> c.shift) & c.mask;
        return static_cast<uint8_t>((x << c.up) | (c.down >= 0 ? x >> c.down : 0));
    };
    uint32_t (*get)(const uint8_t*) = bitmap_.kernels()->get;
    const int bytes = f.bytesPerPixel;
    for (int y = 0; y < h; ++y) {
        const uint8_t* in = bitmap_.row(y);
        uint8_t* o = p.pixels.data() + static_cast<size_t>(y) * p.stride;
        if (type == 8) {
            // No palette is kept: indices show as grey levels.
            for (int x = 0; x < w; ++x, o += 3) o[0] = o[1] = o[2] = in[x];
            continue;
        }
        for (int x = 0; x < w; ++x, in += bytes, o += 3) {
            uint32_t v = get(in);
            o[0] = expand(v, b);
            o[1] = expand(v, g);
            o[2] = expand(v, r);
        }
    }
    out = std::move(p);
    return true;
}
