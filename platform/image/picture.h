#pragma once
// A decoded picture, independent of any surface, so the editor can use the decoders
// too. Surfaces convert it to their own pixel format when they paint it.
#include <cstddef>
#include <cstdint>
#include <vector>

struct Picture {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;          // 8 (palette indices), 24 (B,G,R) or 32 (B,G,R,X)
    std::vector<uint8_t> palette;  // 8-bit pictures: up to 256 entries of B,G,R,0
    std::vector<uint8_t> pixels;   // rows of `stride` bytes
    size_t stride = 0;
    bool topDown = true;  // false: row 0 of `pixels` is the bottom row (BMP order)

    // Row y counted from the top, whatever the storage order.
    const uint8_t* row(int y) const {
        return pixels.data() + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
    }
    uint8_t* row(int y) {
        return pixels.data() + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
    }
};

// Largest picture any reader accepts in either direction.
constexpr int kMaxPictureSide = 16384;
