#include "engine/shot_writer.h"

#include <cstdio>
#include <vector>

#include "platform/surface.h"

namespace {

// A channel of `bits` bits widened to 8, so full white stays 255.
uint8_t widen(uint32_t value, int bits) {
    if (bits <= 0) return 0;
    if (bits >= 8) return static_cast<uint8_t>(value >> (bits - 8));
    uint32_t max = (1u << bits) - 1;
    return static_cast<uint8_t>(value * 255 / max);
}

int maskBits(uint32_t mask) {
    int n = 0;
    for (; mask; mask >>= 1) n += mask & 1;
    return n;
}

void put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

bool writeShot(const Surface& surface, const std::string& path, std::string& error) {
    if (!surface.valid()) {
        error = "no picture";
        return false;
    }
    const PixelFormat& f = surface.format();
    int w = surface.width(), h = surface.height();
    size_t rowBytes = (static_cast<size_t>(w) * 3 + 3) & ~size_t(3);
    size_t imageBytes = rowBytes * static_cast<size_t>(h);
    std::vector<uint8_t> file(54 + imageBytes, 0);
    file[0] = 'B';
    file[1] = 'M';
    put32(file, 2, static_cast<uint32_t>(file.size()));
    put32(file, 10, 54);
    put32(file, 14, 40);
    put32(file, 18, static_cast<uint32_t>(w));
    put32(file, 22, static_cast<uint32_t>(h));
    put16(file, 26, 1);
    put16(file, 28, 24);
    put32(file, 34, static_cast<uint32_t>(imageBytes));

    int rBits = maskBits(f.redMask), gBits = maskBits(f.greenMask), bBits = maskBits(f.blueMask);
    for (int y = 0; y < h; ++y) {
        uint8_t* out = file.data() + 54 + rowBytes * static_cast<size_t>(h - 1 - y);
        for (int x = 0; x < w; ++x) {
            uint32_t p = surface.getPixel(x, y);
            out[3 * x + 0] = widen((p >> f.blueShift) & f.blueMask, bBits);
            out[3 * x + 1] = widen((p >> f.greenShift) & f.greenMask, gBits);
            out[3 * x + 2] = widen((p >> f.redShift) & f.redMask, rBits);
        }
    }

    FILE* fp = std::fopen(path.c_str(), "wb");
    if (!fp) {
        error = "cannot write the file";
        return false;
    }
    bool ok = std::fwrite(file.data(), 1, file.size(), fp) == file.size();
    ok = std::fclose(fp) == 0 && ok;
    if (!ok) {
        std::remove(path.c_str());
        error = "cannot write the file";
    }
    return ok;
}
