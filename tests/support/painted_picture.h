#pragma once
// A 24-bit picture painted pixel by pixel, for the tests that write picture files.
#include <cstdint>

#include "platform/image/picture.h"

// colourOf(x, y) gives each pixel as 0xRRGGBB.
template <class ColourOf>
Picture paintedPicture(int width, int height, ColourOf colourOf) {
    Picture p;
    p.width = width;
    p.height = height;
    p.bitsPerPixel = 24;
    p.stride = static_cast<size_t>(width) * 3;
    p.pixels.resize(p.stride * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        uint8_t* px = p.row(y);
        for (int x = 0; x < width; ++x, px += 3) {
            const uint32_t c = colourOf(x, y);
            px[0] = c & 0xFF;
            px[1] = (c >> 8) & 0xFF;
            px[2] = (c >> 16) & 0xFF;
        }
    }
    return p;
}
