#include "platform/pixel_format.h"

#include <cstdint>

namespace {

int shiftOf(uint32_t mask) {
    return mask ? __builtin_ctz(mask) : 0;
}

// The canonical masks of the typed layouts; the kernels assume exactly these.
bool isLayout(uint32_t r, uint32_t g, uint32_t b, uint32_t er, uint32_t eg, uint32_t eb) {
    return r == er && g == eg && b == eb;
}

}  // namespace

PixelFormat PixelFormat::fromMasks(int bits, uint32_t red, uint32_t green, uint32_t blue,
                                   bool rgb) {
    PixelFormat f;
    f.bitsPerPixel = bits;
    f.bytesPerPixel = bits > 0 ? (bits + 7) / 8 : 0;
    f.redShift = shiftOf(red);
    f.greenShift = shiftOf(green);
    f.blueShift = shiftOf(blue);
    f.redMask = red >> f.redShift;
    f.greenMask = green >> f.greenShift;
    f.blueMask = blue >> f.blueShift;
    if (bits <= 8) {
        f.type = bits;
    } else if (!rgb) {
        f.type = 0;
    } else if (bits == 16) {
        f.type = f.redMask + f.greenMask + f.blueMask == 93 ? 15 : 16;
        // Any other 16-bit arrangement would be drawn wrongly by the 5-5-5 / 5-6-5
        // kernels; it is treated as a format without colours instead.
        if (f.type == 15 && !isLayout(red, green, blue, 0x7C00, 0x03E0, 0x001F)) f.type = 0;
        if (f.type == 16 && !isLayout(red, green, blue, 0xF800, 0x07E0, 0x001F)) f.type = 0;
    } else if (bits == 24 || bits == 32) {
        f.type = isLayout(red, green, blue, 0xFF0000, 0x00FF00, 0x0000FF) ? bits : 0;
    } else {
        f.type = 0;
    }
    return f;
}

PixelFormat PixelFormat::ofType(int type) {
    switch (type) {
        case 8:
            return fromMasks(8, 0, 0, 0);
        case 15:
            return fromMasks(16, 0x7C00, 0x03E0, 0x001F);
        case 16:
            return fromMasks(16, 0xF800, 0x07E0, 0x001F);
        case 24:
            return fromMasks(24, 0xFF0000, 0x00FF00, 0x0000FF);
        case 32:
            return fromMasks(32, 0xFF0000, 0x00FF00, 0x0000FF);
    }
    return PixelFormat{};
}

uint32_t PixelFormat::map(uint8_t r, uint8_t g, uint8_t b) const {
    if (type == 8) return 0;
    auto channel = [](uint32_t value, uint32_t mask, int shift) -> uint32_t {
        if (!mask) return 0;
        int bits = __builtin_popcount(mask);
        uint32_t v = bits <= 8 ? value >> (8 - bits) : value << (bits - 8);
        return (v & mask) << shift;
    };
    return channel(r, redMask, redShift) | channel(g, greenMask, greenShift) |
           channel(b, blueMask, blueShift);
}
