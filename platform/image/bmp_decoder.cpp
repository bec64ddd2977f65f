// Windows bitmaps: uncompressed 1, 4, 8, 16, 24 and 32 bit, 8-bit run-length, and 16- and
// 32-bit pixels with bit-field masks.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/image/bmp_writer.h"
#include "platform/image/decoder_support.h"
#include "platform/image/image_reader.h"
#include "platform/image/picture_formats.h"

namespace imagedetail {
namespace {

constexpr size_t kFileHeader = 14;
constexpr size_t kInfoHeader = 40;

// Reads `count` palette entries (B,G,R,X) and pads the palette to 256 entries so any
// index a picture holds finds a colour (black).
bool readPalette(const uint8_t* bytes, size_t size, size_t at, size_t count, Picture& out,
                 std::string& error) {
    if (at > size || count > (size - at) / 4) return fail(error, "palette past end of file");
    out.palette.assign(256 * 4, 0);
    for (size_t i = 0; i < count; ++i) {
        std::memcpy(&out.palette[i * 4], bytes + at + i * 4, 3);
    }
    return true;
}

// Run-length 8-bit rows into a zeroed bottom-up picture. Rows are counted from the
// bottom as the storage order already is. Pixels past the row end are dropped, and x
// stops at the width so a long file of runs cannot overflow it.
bool decodeRle8(const uint8_t* p, const uint8_t* end, Picture& out, std::string& error) {
    const int width = out.width, height = out.height;
    int x = 0, y = 0;
    while (y < height) {
        if (end - p < 2) return fail(error, "run-length data ends early");
        unsigned count = p[0], value = p[1];
        p += 2;
        if (count > 0) {
            if (x < width) {
                int n = std::min<int>(static_cast<int>(count), width - x);
                std::memset(&out.pixels[static_cast<size_t>(y) * out.stride + x], value, n);
            }
            x = std::min(x + static_cast<int>(count), width);
            continue;
        }
        switch (value) {
            case 0:  // end of line
                x = 0;
                ++y;
                break;
            case 1:  // end of picture
                return true;
            case 2:  // move right and down
                if (end - p < 2) return fail(error, "run-length move past end of data");
                x = std::min(x + p[0], width);
                y += p[1];
                p += 2;
                break;
            default: {  // literal bytes, padded to an even count
                size_t n = value, padded = n + (n & 1);
                if (static_cast<size_t>(end - p) < n) return fail(error, "literal run past end");
                if (x < width) {
                    size_t copy = std::min<size_t>(n, static_cast<size_t>(width - x));
                    std::memcpy(&out.pixels[static_cast<size_t>(y) * out.stride + x], p, copy);
                }
                x = std::min(x + static_cast<int>(n), width);
                p += std::min<size_t>(padded, static_cast<size_t>(end - p));
                break;
            }
        }
    }
    return true;
}

// 1- and 4-bit rows become 8-bit indices.
void expandIndices(const uint8_t* src, size_t srcStride, int bits, Picture& out) {
    const int perByte = 8 / bits, mask = (1 << bits) - 1;
    for (int y = 0; y < out.height; ++y) {
        const uint8_t* s = src + srcStride * static_cast<size_t>(y);
        uint8_t* d = &out.pixels[out.stride * static_cast<size_t>(y)];
        for (int x = 0; x < out.width; ++x) {
            int shift = 8 - bits * (x % perByte + 1);
            d[x] = static_cast<uint8_t>((s[x / perByte] >> shift) & mask);
        }
    }
}

// 16-bit 5-5-5 rows become 24-bit, each channel shifted up by 3.
void expand555(const uint8_t* src, size_t srcStride, Picture& out) {
    for (int y = 0; y < out.height; ++y) {
        const uint8_t* s = src + srcStride * static_cast<size_t>(y);
        uint8_t* d = &out.pixels[out.stride * static_cast<size_t>(y)];
        for (int x = 0; x < out.width; ++x, s += 2, d += 3) {
            unsigned v = le16(s);
            d[0] = static_cast<uint8_t>((v & 0x1F) << 3);
            d[1] = static_cast<uint8_t>(((v >> 5) & 0x1F) << 3);
            d[2] = static_cast<uint8_t>(((v >> 10) & 0x1F) << 3);
        }
    }
}

// One colour channel of a bit-field pixel: where its bits are and how they widen to 8.
struct MaskChannel {
    uint32_t mask = 0;
    int shift = 0;  // of the lowest bit
    int bits = 0;   // 0 for an empty mask: the channel is black
    uint8_t widen[256] = {};

    // False for a mask whose bits are not contiguous.
    bool set(uint32_t m) {
        mask = m;
        if (m == 0) return true;
        while (!(m & 1u)) {
            m >>= 1;
            ++shift;
        }
        while (m & 1u) {
            m >>= 1;
            ++bits;
        }
        if (m != 0) return false;
        // Five- and six-bit channels widen by repeating their top bits, other narrow ones
        // by a shift, as other decoders show them; wider ones keep their top 8 bits.
        for (unsigned v = 0; bits < 8 && v < (1u << bits); ++v) {
            unsigned wide = v << (8 - bits);
            if (bits == 5 || bits == 6) wide |= v >> (2 * bits - 8);
            widen[v] = static_cast<uint8_t>(wide);
        }
        return true;
    }

    uint8_t of(uint32_t pixel) const {
        if (bits == 0) return 0;
        const uint32_t v = (pixel & mask) >> shift;
        return bits < 8 ? widen[v] : static_cast<uint8_t>(v >> (bits - 8));
    }
};

// 16- or 32-bit rows with bit-field masks become 24-bit.
void expandBitFields(const uint8_t* src, size_t srcStride, int bits, const MaskChannel (&rgb)[3],
                     Picture& out) {
    for (int y = 0; y < out.height; ++y) {
        const uint8_t* s = src + srcStride * static_cast<size_t>(y);
        uint8_t* d = &out.pixels[out.stride * static_cast<size_t>(y)];
        if (bits == 16) {
            for (int x = 0; x < out.width; ++x, s += 2, d += 3) {
                const uint32_t v = le16(s);
                d[0] = rgb[2].of(v);
                d[1] = rgb[1].of(v);
                d[2] = rgb[0].of(v);
            }
        } else {
            for (int x = 0; x < out.width; ++x, s += 4, d += 3) {
                const uint32_t v = le32(s);
                d[0] = rgb[2].of(v);
                d[1] = rgb[1].of(v);
                d[2] = rgb[0].of(v);
            }
        }
    }
}

// The red, green and blue masks of a bit-field bitmap: inside the information header
// from its version 3 (52 bytes) on, else in the 12 bytes after the 40-byte header, which
// must then lie before the pixels.
bool readMasks(const uint8_t* bytes, size_t size, uint32_t infoSize, uint32_t dataOffset, int bits,
               MaskChannel (&rgb)[3], std::string& error) {
    const size_t at = kFileHeader + kInfoHeader;
    if (infoSize == kInfoHeader && (dataOffset < at + 12 || size < at + 12))
        return fail(error, "bit-field masks missing");
    for (int c = 0; c < 3; ++c) {
        const uint32_t mask = le32(bytes + at + 4 * static_cast<size_t>(c));
        if (bits == 16 && mask > 0xFFFFu) return fail(error, "bit-field mask wider than the pixel");
        if (!rgb[c].set(mask)) return fail(error, "bit-field mask is not contiguous");
    }
    return true;
}

// The file starts with "BM".
bool detectBitmap(const uint8_t* bytes, size_t size) {
    return size >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

bool decodeBitmap(const uint8_t* bytes, size_t size, Picture& out, std::string& error) {
    if (size < kFileHeader + kInfoHeader) return fail(error, "bitmap header truncated");
    const uint32_t dataOffset = le32(bytes + 10);
    const uint32_t infoSize = le32(bytes + 14);
    // Later header versions extend the 40-byte one; the core 12-byte form is not read.
    if (infoSize < kInfoHeader || infoSize > size - kFileHeader)
        return fail(error, "unsupported bitmap header");
    const int64_t width = static_cast<int32_t>(le32(bytes + 18));
    const int64_t rawHeight = static_cast<int32_t>(le32(bytes + 22));
    const int bits = le16(bytes + 28);
    const uint32_t compression = le32(bytes + 30);
    const uint32_t coloursUsed = le32(bytes + 46);

    const bool topDown = rawHeight < 0;
    const int64_t height = topDown ? -rawHeight : rawHeight;
    if (width <= 0 || height <= 0) return fail(error, "bitmap has no pixels");
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        return fail(error, "bitmap is too large");
    const int w = static_cast<int>(width), h = static_cast<int>(height);

    // Bit fields are read with the header versions that define them (40, 52, 56, 108 and
    // 124 bytes); a 64-byte header uses the same code for another compression.
    const bool bitFields =
        compression == 3 &&
        (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 108 || infoSize == 124);
    MaskChannel masks[3];
    if (compression == 1) {
        if (bits != 8) return fail(error, "run-length bitmap must be 8-bit");
        if (topDown) return fail(error, "run-length bitmap cannot be top-down");
    } else if (bitFields) {
        if (bits != 16 && bits != 32) return fail(error, "bit-field bitmap must be 16 or 32-bit");
        if (!readMasks(bytes, size, infoSize, dataOffset, bits, masks, error)) return false;
    } else if (compression != 0) {
        return fail(error, "unsupported bitmap compression");
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return fail(error, "unsupported bitmap bit count");
    if (dataOffset > size) return fail(error, "pixel data past end of file");

    const uint8_t* data = bytes + dataOffset;
    const size_t available = size - dataOffset;
    const size_t srcStride = rowBytes(w, bits, 4);
    // Uncompressed pixels must all be there; check before allocating for them.
    if (compression != 1 && (srcStride == 0 || available / srcStride < static_cast<size_t>(h)))
        return fail(error, "pixel data truncated");

    Picture pic;
    const int outBits = bits <= 8 ? 8 : (bits == 16 || bitFields ? 24 : bits);
    if (!allocatePicture(pic, w, h, outBits, rowBytes(w, outBits, 4), topDown, error)) return false;
    if (bits <= 8) {
        size_t maxColours = size_t{1} << bits;
        size_t count = coloursUsed == 0 ? maxColours : coloursUsed;
        if (count > maxColours) return fail(error, "too many palette entries");
        if (!readPalette(bytes, size, kFileHeader + infoSize, count, pic, error)) return false;
    }

    if (compression == 1) {
        if (!decodeRle8(data, bytes + size, pic, error)) return false;
    } else {
        if (bitFields) {
            expandBitFields(data, srcStride, bits, masks, pic);
        } else if (bits == 1 || bits == 4) {
            expandIndices(data, srcStride, bits, pic);
        } else if (bits == 16) {
            expand555(data, srcStride, pic);
        } else {
            // Rows are stored exactly as the picture keeps them.
            std::memcpy(pic.pixels.data(), data, pic.pixels.size());
        }
    }
    out = std::move(pic);
    return true;
}

// Writes 24-bit uncompressed files; bitmaps have no quality setting.
bool encodeBitmap(const Picture& picture, int, std::vector<uint8_t>& out) {
    return encodeBmp24(picture, out);
}

}  // namespace

PictureFormat bitmapFormat() {
    return {ImageReader::Bitmap, "Windows bitmap", detectBitmap, decodeBitmap, encodeBitmap};
}

}  // namespace imagedetail
