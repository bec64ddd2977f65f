// Truevision TGA: colour-mapped, true-colour and grey pictures, plain or run-length.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/image/decoder_support.h"
#include "platform/image/image_reader.h"
#include "platform/image/picture_formats.h"

namespace imagedetail {
namespace {

constexpr size_t kHeader = 18;
constexpr size_t kFooter = 26;

enum class Convert { Copy, Drop4th, From555, GreyAlpha };

// Converts `count` pixels from the file's layout to the picture's.
inline void convertPixels(Convert how, const uint8_t* s, uint8_t* d, size_t count,
                          size_t srcBytes) {
    switch (how) {
        case Convert::Copy:
            std::memcpy(d, s, count * srcBytes);
            break;
        case Convert::Drop4th:
            for (size_t i = 0; i < count; ++i, s += 4, d += 3) {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
            }
            break;
        case Convert::From555:
            for (size_t i = 0; i < count; ++i, s += 2, d += 3) {
                unsigned v = le16(s);
                d[0] = static_cast<uint8_t>((v & 0x1F) << 3);
                d[1] = static_cast<uint8_t>(((v >> 5) & 0x1F) << 3);
                d[2] = static_cast<uint8_t>(((v >> 10) & 0x1F) << 3);
            }
            break;
        case Convert::GreyAlpha:
            for (size_t i = 0; i < count; ++i, s += 2) d[i] = s[0];
            break;
    }
}

// Fills `count` pixels with copies of the one pixel at `first`.
inline void repeatPixel(uint8_t* first, size_t count, size_t dstBytes) {
    if (count <= 1) return;
    if (dstBytes == 1) {
        std::memset(first + 1, first[0], count - 1);
        return;
    }
    uint8_t* d = first + dstBytes;
    for (size_t i = 1; i < count; ++i, d += dstBytes) std::memcpy(d, first, dstBytes);
}

// Reverses every row of the picture, pixels of `pixelBytes` bytes each.
void mirrorRows(Picture& pic, size_t pixelBytes) {
    const size_t width = static_cast<size_t>(pic.width);
    for (int y = 0; y < pic.height; ++y) {
        uint8_t* row = &pic.pixels[pic.stride * static_cast<size_t>(y)];
        for (size_t l = 0, r = width - 1; l < r; ++l, --r)
            std::swap_ranges(row + l * pixelBytes, row + (l + 1) * pixelBytes,
                             row + r * pixelBytes);
    }
}

// Colour-map entries into a 256-entry B,G,R,0 palette, placed from the map's first index.
bool readColourMap(const uint8_t* p, size_t first, size_t length, int entryBits, Picture& out,
                   std::string& error) {
    out.palette.assign(256 * 4, 0);
    const size_t entryBytes = (static_cast<size_t>(entryBits) + 7) / 8;
    for (size_t i = 0; i < length; ++i, p += entryBytes) {
        size_t index = first + i;
        if (index >= 256) break;
        uint8_t* e = &out.palette[index * 4];
        if (entryBytes == 2) {
            unsigned v = le16(p);
            e[0] = static_cast<uint8_t>((v & 0x1F) << 3);
            e[1] = static_cast<uint8_t>(((v >> 5) & 0x1F) << 3);
            e[2] = static_cast<uint8_t>(((v >> 10) & 0x1F) << 3);
        } else if (entryBytes == 3 || entryBytes == 4) {
            std::memcpy(e, p, 3);
        } else {
            return fail(error, "unsupported colour-map entry size");
        }
    }
    return true;
}

// Only files with the version-2 footer are recognised: its signature sits 18 bytes
// before the end, and the header's pixel depth must be one we read.
bool detectTarga(const uint8_t* bytes, size_t size) {
    if (size < 18 || std::memcmp(bytes + size - 18, "TRUEVISION-XFILE", 16) != 0) return false;
    const uint8_t depth = bytes[16];
    return depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

bool decodeTarga(const uint8_t* bytes, size_t size, Picture& out, std::string& error) {
    if (size < kHeader) return fail(error, "TGA header truncated");
    size_t end = size;
    if (size >= kHeader + kFooter && std::memcmp(bytes + size - 18, "TRUEVISION-XFILE", 16) == 0)
        end = size - kFooter;

    const size_t idLength = bytes[0];
    const int mapType = bytes[1];
    const int imageType = bytes[2];
    const size_t mapFirst = le16(bytes + 3), mapLength = le16(bytes + 5);
    const int mapBits = bytes[7];
    const int width = le16(bytes + 12), height = le16(bytes + 14);
    const int depth = bytes[16];
    const bool topDown = (bytes[17] & 0x20) != 0;

    const bool rle = imageType >= 9;
    const int kind = rle ? imageType - 8 : imageType;  // 1 mapped, 2 true colour, 3 grey
    if (imageType != 1 && imageType != 2 && imageType != 3 && imageType != 9 && imageType != 10 &&
        imageType != 11)
        return fail(error, "unsupported TGA image type");
    if (mapType > 1) return fail(error, "unsupported TGA colour-map type");
    if (kind == 1 && mapType != 1) return fail(error, "colour-mapped TGA without a map");

    size_t at = kHeader + idLength;
    if (at > end) return fail(error, "TGA identification past end of file");
    size_t mapBytes = 0;
    if (mapType == 1) {
        if (mapBits != 15 && mapBits != 16 && mapBits != 24 && mapBits != 32)
            return fail(error, "unsupported colour-map entry size");
        mapBytes = mapLength * static_cast<size_t>((mapBits + 7) / 8);
        if (mapBytes > end - at) return fail(error, "TGA colour map past end of file");
    }

    int outBits = 0;
    Convert how = Convert::Copy;
    switch (depth) {
        case 8:
            outBits = 8;
            break;
        case 16:
            if (kind == 1) return fail(error, "unsupported TGA index size");
            outBits = kind == 3 ? 8 : 24;
            how = kind == 3 ? Convert::GreyAlpha : Convert::From555;
            break;
        case 24:
        case 32:
            if (kind != 2) return fail(error, "unsupported TGA pixel depth for its type");
            outBits = 24;
            how = depth == 32 ? Convert::Drop4th : Convert::Copy;
            break;
        default:
            return fail(error, "unsupported TGA pixel depth");
    }
    const size_t srcBytes = static_cast<size_t>(depth / 8);
    const size_t dstBytes = static_cast<size_t>(outBits / 8);

    Picture pic;
    if (width == 0 || height == 0) return fail(error, "TGA has no pixels");
    if (width > kMaxPictureSide || height > kMaxPictureSide) return fail(error, "TGA is too large");
    const size_t pixelCount = static_cast<size_t>(width) * static_cast<size_t>(height);
    const uint8_t* data = bytes + at + mapBytes;
    const size_t available = end - at - mapBytes;
    // Check the data can possibly cover the picture before allocating for it: a packet
    // of 1 + srcBytes bytes yields at most 128 pixels.
    if (!rle && available / srcBytes < pixelCount) return fail(error, "TGA pixels truncated");
    if (rle && available / (1 + srcBytes) < (pixelCount + 127) / 128)
        return fail(error, "TGA pixels truncated");
    if (!allocatePicture(pic, width, height, outBits, static_cast<size_t>(width) * dstBytes,
                         topDown, error))
        return false;

    if (outBits == 8) {
        if (mapType == 1 && kind != 3) {
            if (!readColourMap(bytes + at, mapFirst, mapLength, mapBits, pic, error)) return false;
        } else {
            pic.palette.resize(256 * 4);
            for (int i = 0; i < 256; ++i) {
                uint8_t* e = &pic.palette[static_cast<size_t>(i) * 4];
                e[0] = e[1] = e[2] = static_cast<uint8_t>(i);
                e[3] = 0;
            }
        }
    }

    uint8_t* dst = pic.pixels.data();
    if (!rle) {
        convertPixels(how, data, dst, pixelCount, srcBytes);
    } else {
        // Packets run on across row ends; the picture's rows are contiguous.
        const uint8_t* p = data;
        const uint8_t* const stop = data + available;
        size_t done = 0;
        while (done < pixelCount) {
            if (p >= stop) return fail(error, "TGA run-length data ends early");
            const uint8_t header = *p++;
            size_t count = std::min<size_t>((header & 0x7F) + 1u, pixelCount - done);
            if (header & 0x80) {
                if (static_cast<size_t>(stop - p) < srcBytes)
                    return fail(error, "TGA run packet truncated");
                convertPixels(how, p, dst + done * dstBytes, 1, srcBytes);
                repeatPixel(dst + done * dstBytes, count, dstBytes);
                p += srcBytes;
            } else {
                size_t want = ((header & 0x7F) + 1u) * srcBytes;
                if (static_cast<size_t>(stop - p) < want)
                    return fail(error, "TGA raw packet truncated");
                convertPixels(how, p, dst + done * dstBytes, count, srcBytes);
                p += want;
            }
            done += count;
        }
    }
    // Descriptor bit 0x10: each row is stored from its right end.
    if (bytes[17] & 0x10) mirrorRows(pic, dstBytes);
    out = std::move(pic);
    return true;
}

}  // namespace

PictureFormat targaFormat() {
    return {ImageReader::Targa, "Truevision TGA", detectTarga, decodeTarga};
}

}  // namespace imagedetail
