#include <gtest/gtest.h>

#include "image/decode_helpers.h"

namespace {

// Rows bottom-up with the 4-byte padding, from the pattern.
Bytes patternRows(int width, int height, int bytesPerPixel, bool topDown) {
    const size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) & ~size_t{3};
    Bytes data(stride * height, 0xEE);  // padding bytes that must not show
    for (int y = 0; y < height; ++y) {
        const int fileRow = topDown ? y : height - 1 - y;
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < bytesPerPixel; ++c)
                data[fileRow * stride + x * bytesPerPixel + c] = patternByte(x, y, c);
    }
    return data;
}

Bytes greyPalette(int entries) {
    Bytes pal;
    for (int i = 0; i < entries; ++i)
        pal.insert(pal.end(), {uint8_t(i), uint8_t(i), uint8_t(i), 0});
    return pal;
}

TEST(BitmapDecoder, TrueColourRowsLandTheRightWayUp) {
    for (int bits : {24, 32}) {
        for (bool topDown : {false, true}) {
            const int w = 5, h = 3;
            Bytes file =
                makeBmp(w, topDown ? -h : h, bits, 0, {}, patternRows(w, h, bits / 8, topDown));
            Picture pic = decodeOrFail(file);
            ASSERT_EQ(pic.width, w);
            ASSERT_EQ(pic.height, h);
            EXPECT_EQ(pic.bitsPerPixel, bits);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(pixelAt(pic, x, y), (Bgr{patternByte(x, y, 0), patternByte(x, y, 1),
                                                       patternByte(x, y, 2)}))
                        << bits << " bit, top-down " << topDown << " at " << x << "," << y;
        }
    }
}

TEST(BitmapDecoder, PalettedAndSixteenBitPicturesExpand) {
    // 4-bit, 2x2: indices 1 2 / 3 15 (top row first); a palette of 16 greys * 10.
    Bytes pal;
    for (int i = 0; i < 16; ++i)
        pal.insert(pal.end(), {uint8_t(i * 10), uint8_t(i * 10), uint8_t(i * 10), 0});
    Picture four = decodeOrFail(makeBmp(2, 2, 4, 0, pal, {0x3F, 0, 0, 0, 0x12, 0, 0, 0}));
    ASSERT_EQ(four.bitsPerPixel, 8);
    EXPECT_EQ(pixelAt(four, 0, 0).r, 10);
    EXPECT_EQ(pixelAt(four, 1, 0).r, 20);
    EXPECT_EQ(pixelAt(four, 0, 1).r, 30);
    EXPECT_EQ(pixelAt(four, 1, 1).r, 150);

    // 1-bit, 10 wide: bit pattern crossing a byte boundary.
    Bytes mono = {0, 0, 0, 0, 255, 255, 255, 0};
    Picture one = decodeOrFail(makeBmp(10, 1, 1, 0, mono, {0xA0, 0x40, 0, 0}));
    std::string bits;
    for (int x = 0; x < 10; ++x) bits += pixelAt(one, x, 0).g ? '1' : '0';
    EXPECT_EQ(bits, "1010000001");

    // 8-bit with fewer colours used than 256: indices past them are black, not garbage.
    Picture eight = decodeOrFail(makeBmp(2, 1, 8, 0, greyPalette(2), {1, 200, 0, 0}, 2));
    EXPECT_EQ(pixelAt(eight, 0, 0).g, 1);
    EXPECT_EQ(pixelAt(eight, 1, 0), (Bgr{0, 0, 0}));

    // 16-bit 5-5-5: each channel shifted left by 3.
    const unsigned v = 31 | (3 << 5) | (16 << 10);
    Picture sixteen = decodeOrFail(makeBmp(1, 1, 16, 0, {}, {uint8_t(v), uint8_t(v >> 8), 0, 0}));
    EXPECT_EQ(pixelAt(sixteen, 0, 0), (Bgr{0xF8, 3 << 3, 0x10 << 3}));
}

// 6x4 picture, rows from the bottom: every escape of the run-length stream.
TEST(BitmapDecoder, RunLengthEscapes) {
    Bytes rle = {
        3, 1,              // bottom row: three of 1
        0, 3, 2, 3, 4, 0,  // literal of three (odd, padded)
        0, 0,              // end of line
        0, 2, 2, 1,        // move 2 right, 1 down: row 1 stays zero
        2, 5,              // row 2, x 2..3
        0, 0,              // end of line
        0, 4, 6, 7, 8, 9,  // literal of four, no padding
        0, 1,              // end of picture
        9, 9,              // ignored
    };
    Picture pic = decodeOrFail(makeBmp(6, 4, 8, 1, greyPalette(256), rle));
    auto rowText = [&](int yFromBottom) {
        std::string s;
        for (int x = 0; x < 6; ++x) s += char('0' + pixelAt(pic, x, 3 - yFromBottom).r);
        return s;
    };
    EXPECT_EQ(rowText(0), "111234");
    EXPECT_EQ(rowText(1), "000000");
    EXPECT_EQ(rowText(2), "005500");
    EXPECT_EQ(rowText(3), "678900");
}

TEST(BitmapDecoder, RunLengthEdges) {
    // Runs longer than the row are cut; end of line on the last row ends decoding
    // without an end-of-picture marker.
    Picture pic = decodeOrFail(makeBmp(3, 2, 8, 1, greyPalette(256), {9, 7, 0, 0, 1, 2, 0, 0}));
    EXPECT_EQ(pixelAt(pic, 2, 1).r, 7);
    EXPECT_EQ(pixelAt(pic, 0, 0).r, 2);
    EXPECT_EQ(pixelAt(pic, 1, 0).r, 0);
    // Millions of runs on one row: the column must not overflow into a negative offset.
    Bytes runs(17'200'000, 255);  // runs of 255 pixels
    runs.insert(runs.end(), {0, 1});
    EXPECT_TRUE(decodes(makeBmp(2, 1, 8, 1, greyPalette(256), runs)));
    // Literal count past the end of the data, a move cut short, no end at all.
    EXPECT_FALSE(decodes(makeBmp(3, 2, 8, 1, greyPalette(256), {0, 9, 1, 2})));
    EXPECT_FALSE(decodes(makeBmp(3, 2, 8, 1, greyPalette(256), {0, 2, 1})));
    EXPECT_FALSE(decodes(makeBmp(3, 2, 8, 1, greyPalette(256), {2, 1})));
}

TEST(BitmapDecoder, UnsupportedVariantsFail) {
    Bytes rows = patternRows(2, 2, 4, false);
    EXPECT_FALSE(decodes(makeBmp(2, 2, 32, 3, {}, rows)));                    // bit fields
    EXPECT_FALSE(decodes(makeBmp(2, 2, 24, 1, {}, rows)));                    // RLE on 24-bit
    EXPECT_FALSE(decodes(makeBmp(2, -2, 8, 1, greyPalette(256), {0, 1})));    // top-down RLE
    EXPECT_FALSE(decodes(makeBmp(2, 2, 8, 0, greyPalette(256), rows, 300)));  // palette > 256
    EXPECT_FALSE(decodes(makeBmp(0, 2, 24, 0, {}, rows)));
    EXPECT_FALSE(decodes(makeBmp(2, 0, 24, 0, {}, rows)));
    EXPECT_FALSE(decodes(makeBmp(kMaxPictureSide + 1, 1, 8, 1, greyPalette(256), {0, 1})));
    // A header claiming the largest size with a few bytes of data.
    EXPECT_FALSE(decodes(makeBmp(kMaxPictureSide, kMaxPictureSide, 24, 0, {}, rows)));
    Bytes file = makeBmp(2, 2, 24, 0, {}, rows);
    put32le(file, 10, 0xFFFFFFF0u);  // pixel offset past the end
    EXPECT_FALSE(decodes(file));
}

}  // namespace
