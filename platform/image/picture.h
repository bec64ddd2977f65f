#pragma once
// A decoded picture, independent of any surface, so the editor can use the decoders
// too. Surfaces convert it to their own pixel format when they paint it.
#include <cstddef>
#include <cstdint>
#include <vector>

// Largest picture any reader accepts in either direction.
constexpr int kMaxPictureSide = 16384;

struct Picture {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;          // 8 (palette indices), 24 (B,G,R) or 32 (B,G,R,X)
    std::vector<uint8_t> palette;  // 8-bit: entries of B,G,R,0 (the decoders give 256)
    std::vector<uint8_t> pixels;   // rows of `stride` bytes
    size_t stride = 0;
    bool topDown = true;  // false: row 0 of `pixels` is the bottom row (BMP order)

    // True when the fields describe pixels that are all there: a known bit count, a
    // size within kMaxPictureSide, rows long enough and enough of them.
    bool isValid() const {
        if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide)
            return false;
        if (bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32) return false;
        if (stride < static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel / 8))
            return false;
        return pixels.size() / stride >= static_cast<size_t>(height);
    }

    // Row y counted from the top, whatever the storage order.
    const uint8_t* row(int y) const {
        return pixels.data() + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
    }
    uint8_t* row(int y) {
        return pixels.data() + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
    }
};
