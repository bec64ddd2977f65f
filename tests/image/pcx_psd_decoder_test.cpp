#include <gtest/gtest.h>

#include "image/decode_helpers.h"

namespace {

Bytes rampPaletteRgb() {
    Bytes pal;
    for (int i = 0; i < 256; ++i)
        pal.insert(pal.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)});
    return pal;
}

TEST(PcxDecoder, EightBitRunsAndPalette) {
    // Values of 192 and up must travel as runs; runs cross row ends.
    const int w = 5, h = 3;
    Bytes rows = {1, 1, 1, 1, 200, 200, 200, 3, 250, 4, 4, 4, 4, 4, 192};
    Picture pic = decodeOrFail(makePcx(w, h, 1, rows, rampPaletteRgb()));
    ASSERT_EQ(pic.width, w);
    ASSERT_EQ(pic.height, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t i = rows[y * w + x];
            ASSERT_EQ(pixelAt(pic, x, y), (Bgr{uint8_t(i / 2), uint8_t(255 - i), i}));
        }
}

TEST(PcxDecoder, PaddedLinesZeroRunsAndPlanes) {
    // Width 3 in lines of 4 bytes; a run of zero copies (192) consumes its value.
    Bytes stream = {192, 77, 0xC4, 5, 6, 7, 8, 9};
    Bytes file = makePcxRaw(3, 2, 1, 4, stream);
    file.push_back(12);
    Bytes pal = rampPaletteRgb();
    file.insert(file.end(), pal.begin(), pal.end());
    Picture pic = decodeOrFail(file);
    EXPECT_EQ(pixelAt(pic, 2, 0).r, 5);
    EXPECT_EQ(pixelAt(pic, 0, 1).r, 6);
    EXPECT_EQ(pixelAt(pic, 2, 1).r, 8);

    // 24-bit: per row the red, green and blue planes.
    Bytes planes = {10, 11, 20, 21, 30, 31, 12, 13, 22, 23, 32, 33};
    Picture colour = decodeOrFail(makePcx(2, 2, 3, planes, {}));
    EXPECT_EQ(colour.bitsPerPixel, 24);
    EXPECT_EQ(pixelAt(colour, 1, 0), (Bgr{31, 21, 11}));
    EXPECT_EQ(pixelAt(colour, 0, 1), (Bgr{32, 22, 12}));
}

TEST(PcxDecoder, BadFilesFail) {
    Bytes rows(6, 1);
    Bytes good = makePcx(3, 2, 1, rows, rampPaletteRgb());
    ASSERT_TRUE(decodes(good));
    Bytes noMarker = good;
    noMarker[noMarker.size() - 769] = 0;
    EXPECT_FALSE(decodes(noMarker));
    EXPECT_FALSE(decodes(makePcxRaw(3, 2, 1, 2, pcxEncode(rows))));  // line shorter than width
    EXPECT_FALSE(decodes(makePcxRaw(3, 2, 2, 3, pcxEncode(rows))));  // two planes
    Bytes inverted = good;
    put16le(inverted, 4, 5);  // xMin past xMax
    EXPECT_FALSE(decodes(inverted));
    // Large size promised by a few bytes of data.
    EXPECT_FALSE(decodes(makePcxRaw(16000, 16000, 3, 16000, {0xFF, 1})));
}

std::vector<Bytes> patternPlanes(int w, int h, int channels) {
    std::vector<Bytes> planes(channels);
    for (int c = 0; c < channels; ++c)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) planes[c].push_back(patternByte(x, y, c));
    return planes;
}

TEST(PhotoshopDecoder, RawAndPackBitsPlanesInterleave) {
    for (int compression : {0, 1}) {
        for (int channels : {3, 4, 5}) {
            const int w = 7, h = 3;
            Picture pic = decodeOrFail(makePsd(w, h, patternPlanes(w, h, channels), compression));
            ASSERT_EQ(pic.bitsPerPixel, 32);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(pixelAt(pic, x, y), (Bgr{patternByte(x, y, 2), patternByte(x, y, 1),
                                                       patternByte(x, y, 0)}))
                        << compression << " " << channels;
        }
    }
}

TEST(PhotoshopDecoder, PackBitsPacketKinds) {
    // One row of 6: literal 2, no-op (128), repeat 4 (0xFD = -3).
    Bytes file = makePsd(6, 1, {Bytes(6), Bytes(6), Bytes(6)}, 0);
    file.resize(file.size() - 18);
    file[file.size() - 1] = 1;  // compression: PackBits
    Bytes row = {0x01, 9, 8, 0x80, 0xFD, 7};
    Bytes flat = {0x80, 0xFB, 1};  // no-op then repeat 6
    for (const Bytes* r : {&row, &flat, &flat}) append16be(file, static_cast<uint32_t>(r->size()));
    for (const Bytes* r : {&row, &flat, &flat}) file.insert(file.end(), r->begin(), r->end());
    Picture pic = decodeOrFail(file);
    std::string reds;
    for (int x = 0; x < 6; ++x) reds += char('0' + pixelAt(pic, x, 0).r);
    EXPECT_EQ(reds, "987777");
    EXPECT_EQ(pixelAt(pic, 5, 0).b, 1);
}

TEST(PhotoshopDecoder, UnsupportedOrBrokenFilesFail) {
    auto planes = patternPlanes(4, 2, 3);
    EXPECT_FALSE(decodes(makePsd(4, 2, planes, 0, 4)));      // CMYK
    EXPECT_FALSE(decodes(makePsd(4, 2, planes, 0, 1)));      // grey
    EXPECT_FALSE(decodes(makePsd(4, 2, planes, 0, 3, 16)));  // 16 bits per channel
    EXPECT_FALSE(decodes(makePsd(4, 2, planes, 2)));         // zip
    EXPECT_FALSE(decodes(makePsd(4, 2, {planes[0], planes[1]}, 0)));
    EXPECT_FALSE(decodes(makePsd(0, 2, {{}, {}, {}}, 0)));
    Bytes wrongVersion = makePsd(4, 2, planes, 0);
    wrongVersion[5] = 2;
    EXPECT_FALSE(decodes(wrongVersion));

    // A row that unpacks to more than the width, and a row count past the data.
    Bytes packed = makePsd(4, 2, planes, 1);
    ASSERT_TRUE(decodes(packed));
    const size_t table = packed.size() - 6 * 5 - 6 * 2;  // six literal rows of 1 + 4 bytes
    Bytes longRow = packed;
    longRow[table + 12] = 0x05;  // literal of 6 in a 4-wide row
    EXPECT_FALSE(decodes(longRow));
    Bytes pastEnd = packed;
    put16le(pastEnd, table + 10, 0xFF00);  // big-endian 255 for the last row
    EXPECT_FALSE(decodes(pastEnd));
    // A section length past the end of the file.
    Bytes section = makePsd(4, 2, planes, 0);
    section[26] = 0x7F;
    EXPECT_FALSE(decodes(section));
}

}  // namespace
