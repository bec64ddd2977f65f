#pragma once
// Pixel layout. type: 8 palette, 15 (5-5-5), 16 (5-6-5), 24 (B,G,R bytes),
// 32 (B,G,R,X bytes), 0 anything else. The masks are kept shifted down to bit 0
// (a 5-6-5 red is mask 0x1F, shift 11).
#include <cstdint>

struct PixelFormat {
    int type = 0;
    int bitsPerPixel = 0;
    int bytesPerPixel = 0;
    uint32_t redMask = 0, greenMask = 0, blueMask = 0;
    int redShift = 0, greenShift = 0, blueShift = 0;

    // The type from the bit count and channel masks.
    static PixelFormat fromMasks(int bits, uint32_t red, uint32_t green, uint32_t blue,
                                 bool rgb = true);
    static PixelFormat ofType(int type);  // the canonical layout of a type
    // The pixel value of an 8-bit-per-channel colour (8-bit type: 0).
    uint32_t map(uint8_t r, uint8_t g, uint8_t b) const;
};
