// Bitmaps with bit-field masks, laid out as image editors write them (every header
// version that carries masks, 16 and 32 bits, both row orders), decoded as ImageMagick and
// FFmpeg decode the same files; and the bit-field files no reader can show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/decode_helpers.h"
#include "image/outside_tools.h"

namespace {

struct Layout {
    const char* name;
    int bits;
    uint32_t masks[4];  // red, green, blue, alpha
    bool ffmpegReads;   // FFmpeg knows only the common layouts
};

const Layout kLayouts[] = {
    {"R5G6B5", 16, {0xF800, 0x07E0, 0x001F, 0}, true},
    {"X1R5G5B5", 16, {0x7C00, 0x03E0, 0x001F, 0}, true},
    {"A1R5G5B5", 16, {0x7C00, 0x03E0, 0x001F, 0x8000}, true},
    {"A4R4G4B4", 16, {0x0F00, 0x00F0, 0x000F, 0xF000}, true},
    {"X8R8G8B8", 32, {0x00FF0000, 0x0000FF00, 0x000000FF, 0}, true},
    {"A8R8G8B8", 32, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, true},
    {"R8G8B8A8", 32, {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF}, false},
    {"X8B8G8R8", 32, {0x000000FF, 0x0000FF00, 0x00FF0000, 0}, false},
};

// The colour of pixel (x, y), R,G,B, counted from the top: every level of each channel
// somewhere, and a top that differs from the bottom and a left from the right.
void sourceColour(int x, int y, int w, int h, uint8_t rgb[3]) {
    rgb[0] = static_cast<uint8_t>((x * 7 + y * 3) & 0xFF);
    rgb[1] = static_cast<uint8_t>(x * 255 / (w - 1));
    rgb[2] = static_cast<uint8_t>(255 - y * 255 / (h - 1));
}

uint32_t packChannel(uint8_t value, uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0, bits = 0;
    while (!((mask >> shift) & 1u)) ++shift;
    while (shift + bits < 32 && ((mask >> (shift + bits)) & 1u)) ++bits;
    return (static_cast<uint32_t>(value) >> (8 - bits)) << shift;
}

// The file's rows, padded to 4 bytes, bottom row first unless `topDown`.
Bytes packRows(const Layout& l, int w, int h, bool topDown) {
    const size_t pixelBytes = static_cast<size_t>(l.bits / 8);
    const size_t stride = (static_cast<size_t>(w) * pixelBytes + 3) & ~size_t{3};
    Bytes rows(stride * static_cast<size_t>(h), 0);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = &rows[stride * static_cast<size_t>(topDown ? y : h - 1 - y)];
        for (int x = 0; x < w; ++x) {
            uint8_t rgb[3];
            sourceColour(x, y, w, h, rgb);
            uint32_t v = l.masks[3];  // opaque
            for (int c = 0; c < 3; ++c) v |= packChannel(rgb[c], l.masks[c]);
            for (size_t i = 0; i < pixelBytes; ++i)
                row[static_cast<size_t>(x) * pixelBytes + i] = static_cast<uint8_t>(v >> (8 * i));
        }
    }
    return rows;
}

TEST(BitFieldBitmaps, DecodeAsImageMagickAndFFmpegDo) {
    const bool convert = haveTool("convert"), ffmpeg = haveTool("ffmpeg");
    if (!convert && !ffmpeg) GTEST_SKIP() << "needs ImageMagick's convert or ffmpeg";
    TempFolder dir;
    const int w = 67, h = 37;  // odd: 16-bit rows need padding
    for (const Layout& l : kLayouts)
        for (int infoSize : {40, 52, 56, 108, 124})
            for (bool topDown : {false, true}) {
                const std::string what = std::string(l.name) + " header " +
                                         std::to_string(infoSize) +
                                         (topDown ? " top-down" : " bottom-up");
                const Bytes file = makeBitFieldBmp(w, topDown ? -h : h, l.bits, infoSize, l.masks,
                                                   packRows(l, w, h, topDown));
                const std::string path = dir.path("fields.bmp");
                writeBytes(path, file);
                Picture ours = decodeOrFail(file);
                ASSERT_EQ(ours.width, w) << what;
                ASSERT_EQ(ours.height, h) << what;
                if (convert) {
                    const Bytes theirs = convertsRgb(dir, path);
                    ASSERT_EQ(theirs.size(), size_t{w} * h * 3) << what;
                    EXPECT_EQ(largestDifference(ours, theirs), 0) << what << ": convert";
                }
                // FFmpeg's reader does not take the 52- and 56-byte headers.
                if (ffmpeg && l.ffmpegReads && infoSize != 52 && infoSize != 56) {
                    const Bytes theirs = ffmpegsRgb(dir, path);
                    ASSERT_EQ(theirs.size(), size_t{w} * h * 3) << what;
                    EXPECT_EQ(largestDifference(ours, theirs), 0) << what << ": ffmpeg";
                }
            }
}

TEST(BitFieldBitmaps, MasksAndHeadersNoReaderCanShowAreRefused) {
    const uint32_t rgb565[4] = {0xF800, 0x07E0, 0x001F, 0};
    const Bytes rows16(8, 0x5A), rows32(16, 0x5A);  // 2x2
    struct Case {
        const char* what;
        int bits, infoSize;
        uint32_t masks[4];
        bool decodes;
    };
    const Case cases[] = {
        {"16-bit blue mask of all 16 bits", 16, 124, {0, 0, 0xFFFF, 0}, true},
        {"16-bit blue mask of 17 bits", 16, 124, {0, 0, 0x1FFFF, 0}, false},
        {"32-bit red mask of all 32 bits", 32, 124, {0xFFFFFFFF, 0, 0, 0}, true},
        {"mask with a gap", 32, 124, {0x00FF00FF, 0x0000FF00, 0xFF, 0}, false},
        {"24 bits a pixel", 24, 124, {0xFF0000, 0xFF00, 0xFF, 0}, false},
        {"OS/2 header of 64 bytes", 16, 64, {0xF800, 0x07E0, 0x001F, 0}, false},
        {"header of 40 bytes", 16, 40, {0xF800, 0x07E0, 0x001F, 0}, true},
        {"header of 124 bytes", 16, 124, {0xF800, 0x07E0, 0x001F, 0}, true},
        {"header of 125 bytes", 16, 125, {0xF800, 0x07E0, 0x001F, 0}, false},
    };
    for (const Case& c : cases) {
        const Bytes& rows = c.bits == 16 ? rows16 : rows32;
        EXPECT_EQ(decodes(makeBitFieldBmp(2, 2, c.bits, c.infoSize, c.masks, rows)), c.decodes)
            << c.what;
    }
    // A 40-byte header must leave room for its masks before the pixels (a file whose
    // masks are missing would take its first pixels for masks).
    Bytes noRoom = makeBitFieldBmp(2, 2, 16, 40, rgb565, rows16);
    put32le(noRoom, 10, 54 + 11);
    EXPECT_FALSE(decodes(noRoom));
    put32le(noRoom, 10, 54 + 12);
    EXPECT_TRUE(decodes(noRoom));
}

}  // namespace
