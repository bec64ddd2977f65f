#include <gtest/gtest.h>

#include "image/decode_helpers.h"

namespace {

std::string greyRow(const Picture& pic, int y) {
    std::string s;
    for (int x = 0; x < pic.width; ++x) s += char('0' + pixelAt(pic, x, y).r % 10);
    return s;
}

TEST(TargaDecoder, RowOrderFollowsDescriptor) {
    for (int descriptor : {0x00, 0x20}) {
        const int w = 3, h = 2;
        Bytes data;
        for (int fileRow = 0; fileRow < h; ++fileRow) {
            const int y = descriptor ? fileRow : h - 1 - fileRow;
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 3; ++c) data.push_back(patternByte(x, y, c));
        }
        TgaSpec spec;
        spec.width = w;
        spec.height = h;
        spec.descriptor = descriptor;
        spec.id = {'i', 'd'};
        Picture pic = decodeOrFail(makeTga(spec, data));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(pixelAt(pic, x, y),
                          (Bgr{patternByte(x, y, 0), patternByte(x, y, 1), patternByte(x, y, 2)}));
    }
}

TEST(TargaDecoder, DepthsConvertToPictureFormats) {
    TgaSpec spec;
    spec.width = 2;
    spec.height = 1;
    spec.descriptor = 0x20;
    // 32-bit: the fourth byte is dropped, giving 24-bit.
    spec.depth = 32;
    Picture p32 = decodeOrFail(makeTga(spec, {1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(p32.bitsPerPixel, 24);
    EXPECT_EQ(pixelAt(p32, 1, 0), (Bgr{5, 6, 7}));
    // 16-bit 5-5-5: channels shifted left by 3 (blue low).
    spec.depth = 16;
    const unsigned v = 1 | (2 << 5) | (31u << 10);
    Picture p16 = decodeOrFail(makeTga(spec, {uint8_t(v), uint8_t(v >> 8), 0, 0}));
    EXPECT_EQ(pixelAt(p16, 0, 0), (Bgr{8, 16, 248}));
    // Grey keeps its values as indices into a grey ramp.
    spec.type = 3;
    spec.depth = 8;
    Picture grey = decodeOrFail(makeTga(spec, {7, 200}));
    EXPECT_EQ(grey.bitsPerPixel, 8);
    EXPECT_EQ(pixelAt(grey, 1, 0), (Bgr{200, 200, 200}));
}

TEST(TargaDecoder, ColourMapStartsAtItsFirstIndex) {
    TgaSpec spec;
    spec.type = 1;
    spec.width = 2;
    spec.height = 1;
    spec.depth = 8;
    spec.mapFirst = 4;
    spec.mapLength = 2;
    spec.mapBits = 24;
    spec.map = {10, 20, 30, 40, 50, 60};
    Picture pic = decodeOrFail(makeTga(spec, {5, 4}));
    EXPECT_EQ(pixelAt(pic, 0, 0), (Bgr{40, 50, 60}));
    EXPECT_EQ(pixelAt(pic, 1, 0), (Bgr{10, 20, 30}));
    spec.mapBits = 15;  // 15-bit entries read as 16
    spec.map = {0x1F, 0, 0, 0x7C};
    Picture pic15 = decodeOrFail(makeTga(spec, {4, 5}));
    EXPECT_EQ(pixelAt(pic15, 0, 0), (Bgr{248, 0, 0}));
    EXPECT_EQ(pixelAt(pic15, 1, 0), (Bgr{0, 0, 248}));
}

TEST(TargaDecoder, RunLengthPacketsCrossRows) {
    TgaSpec spec;
    spec.type = 11;
    spec.depth = 8;
    spec.width = 3;
    spec.height = 3;
    spec.descriptor = 0x20;
    // run of 4 (crosses row 0 to 1), raw of 3 (crosses 1 to 2), run of 5 cut at the end
    Picture pic = decodeOrFail(makeTga(spec, {0x83, 1, 0x02, 2, 3, 4, 0x84, 9}));
    EXPECT_EQ(greyRow(pic, 0), "111");
    EXPECT_EQ(greyRow(pic, 1), "123");
    EXPECT_EQ(greyRow(pic, 2), "499");

    // Type 10 with 32-bit pixels becomes 24-bit.
    spec.type = 10;
    spec.depth = 32;
    spec.width = 2;
    spec.height = 2;
    Picture colour = decodeOrFail(makeTga(spec, {0x82, 1, 2, 3, 99, 0x00, 4, 5, 6, 99}));
    EXPECT_EQ(colour.bitsPerPixel, 24);
    EXPECT_EQ(pixelAt(colour, 0, 1), (Bgr{1, 2, 3}));
    EXPECT_EQ(pixelAt(colour, 1, 1), (Bgr{4, 5, 6}));
}

TEST(TargaDecoder, BadHeadersAndDataFail) {
    TgaSpec spec;
    spec.width = 2;
    spec.height = 2;
    Bytes pixels(12, 1);
    EXPECT_TRUE(decodes(makeTga(spec, pixels), ImageReader::Targa));
    spec.type = 10;
    EXPECT_FALSE(
        decodes(makeTga(spec, {0x05, 1, 2, 3}), ImageReader::Targa));  // raw packet past the end
    EXPECT_FALSE(decodes(makeTga(spec, {0x81}), ImageReader::Targa));  // run missing its pixel
    spec.type = 2;
    for (int type : {0, 4, 32}) {
        TgaSpec bad = spec;
        bad.type = type;
        EXPECT_FALSE(decodes(makeTga(bad, pixels), ImageReader::Targa)) << type;
    }
    TgaSpec mapless = spec;
    mapless.type = 1;
    mapless.depth = 8;
    EXPECT_FALSE(decodes(makeTga(mapless, {0, 0, 0, 0}), ImageReader::Targa));
    TgaSpec longMap = spec;
    longMap.mapLength = 200;
    longMap.mapBits = 24;
    EXPECT_FALSE(decodes(makeTga(longMap, pixels), ImageReader::Targa));
    TgaSpec empty = spec;
    empty.width = 0;
    EXPECT_FALSE(decodes(makeTga(empty, pixels), ImageReader::Targa));
    TgaSpec huge = spec;
    huge.width = huge.height = 65535;
    huge.type = 10;
    EXPECT_FALSE(decodes(makeTga(huge, {0xFF, 1, 2, 3}), ImageReader::Targa));
}

}  // namespace
