// PCX version 5, run-length encoded: 8-bit with the trailing palette, or 24-bit in
// three (or four) colour planes.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/image/decoder_support.h"
#include "platform/image/image_reader.h"
#include "platform/image/picture_formats.h"

namespace imagedetail {
namespace {

constexpr size_t kHeader = 128;
constexpr size_t kPaletteBlock = 769;  // marker byte 12 and 256 R,G,B entries

// Expands the run-length stream into exactly `total` bytes. Runs are not bounded by
// rows; a run past the last byte is cut off.
bool unpack(const uint8_t* p, const uint8_t* end, uint8_t* dst, size_t total, std::string& error) {
    size_t done = 0;
    while (done < total) {
        if (p >= end) return fail(error, "PCX data ends early");
        uint8_t b = *p++;
        if (b >= 192) {
            if (p >= end) return fail(error, "PCX run truncated");
            size_t count = std::min<size_t>(b - 192u, total - done);
            std::memset(dst + done, *p++, count);
            done += count;
        } else {
            dst[done++] = b;
        }
    }
    return true;
}

// Manufacturer 10, version 5, run-length encoding 1.
bool detectPcx(const uint8_t* bytes, size_t size) {
    return size >= 3 && bytes[0] == 10 && bytes[1] == 5 && bytes[2] == 1;
}

bool decodePcx(const uint8_t* bytes, size_t size, Picture& out, std::string& error) {
    if (size < kHeader) return fail(error, "PCX header truncated");
    if (bytes[0] != 10 || bytes[1] != 5 || bytes[2] != 1)
        return fail(error, "unsupported PCX version or encoding");
    const int bits = bytes[3];
    const int xMin = le16(bytes + 4), yMin = le16(bytes + 6);
    const int xMax = le16(bytes + 8), yMax = le16(bytes + 10);
    const int planes = bytes[65];
    const size_t bytesPerLine = le16(bytes + 66);
    if (bits != 8 || (planes != 1 && planes != 3 && planes != 4))
        return fail(error, "unsupported PCX pixel layout");
    if (xMax < xMin || yMax < yMin) return fail(error, "PCX has no pixels");
    const int width = xMax - xMin + 1, height = yMax - yMin + 1;
    if (width > kMaxPictureSide || height > kMaxPictureSide) return fail(error, "PCX is too large");
    if (bytesPerLine < static_cast<size_t>(width)) return fail(error, "PCX line too short");

    size_t end = size;
    if (planes == 1) {
        if (size < kHeader + kPaletteBlock || bytes[size - kPaletteBlock] != 12)
            return fail(error, "PCX palette missing");
        end = size - kPaletteBlock;
    }
    const uint8_t* data = bytes + kHeader;
    const size_t available = end - kHeader;
    const size_t line = bytesPerLine * static_cast<size_t>(planes);
    const size_t total = line * static_cast<size_t>(height);
    // Two bytes give at most 63, so check the data could cover the picture first.
    if (total / 32 > available) return fail(error, "PCX data truncated");

    Picture pic;
    if (planes == 1) {
        if (!allocatePicture(pic, width, height, 8, bytesPerLine, true, error)) return false;
        if (!unpack(data, data + available, pic.pixels.data(), total, error)) return false;
        pic.palette.assign(256 * 4, 0);
        const uint8_t* rgb = bytes + size - kPaletteBlock + 1;
        for (size_t i = 0; i < 256; ++i) {
            pic.palette[i * 4 + 0] = rgb[i * 3 + 2];
            pic.palette[i * 4 + 1] = rgb[i * 3 + 1];
            pic.palette[i * 4 + 2] = rgb[i * 3 + 0];
        }
    } else {
        if (!allocatePicture(pic, width, height, 24, static_cast<size_t>(width) * 3, true, error))
            return false;
        std::vector<uint8_t> planar(total);
        if (!unpack(data, data + available, planar.data(), total, error)) return false;
        for (int y = 0; y < height; ++y) {
            const uint8_t* r = planar.data() + line * static_cast<size_t>(y);
            const uint8_t* g = r + bytesPerLine;
            const uint8_t* b = g + bytesPerLine;
            uint8_t* d = pic.row(y);
            for (int x = 0; x < width; ++x, d += 3) {
                d[0] = b[x];
                d[1] = g[x];
                d[2] = r[x];
            }
        }
    }
    out = std::move(pic);
    return true;
}

}  // namespace

PictureFormat pcxFormat() {
    return {ImageReader::Pcx, "PCX", detectPcx, decodePcx};
}

}  // namespace imagedetail
