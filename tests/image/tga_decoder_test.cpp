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
        TgaLayout layout;
        layout.width = w;
        layout.height = h;
        layout.descriptor = descriptor;
        layout.id = {'i', 'd'};
        Picture pic = decodeOrFail(makeTga(layout, data));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(pixelAt(pic, x, y),
                          (Bgr{patternByte(x, y, 0), patternByte(x, y, 1), patternByte(x, y, 2)}));
    }
}

TEST(TargaDecoder, DepthsConvertToPictureFormats) {
    TgaLayout layout;
    layout.width = 2;
    layout.height = 1;
    layout.descriptor = 0x20;
    // 32-bit: the fourth byte is dropped, giving 24-bit.
    layout.depth = 32;
    Picture p32 = decodeOrFail(makeTga(layout, {1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(p32.bitsPerPixel, 24);
    EXPECT_EQ(pixelAt(p32, 1, 0), (Bgr{5, 6, 7}));
    // 16-bit 5-5-5: channels shifted left by 3 (blue low).
    layout.depth = 16;
    const unsigned v = 1 | (2 << 5) | (31u << 10);
    Picture p16 = decodeOrFail(makeTga(layout, {uint8_t(v), uint8_t(v >> 8), 0, 0}));
    EXPECT_EQ(pixelAt(p16, 0, 0), (Bgr{8, 16, 248}));
    // Grey keeps its values as indices into a grey ramp.
    layout.type = 3;
    layout.depth = 8;
    Picture grey = decodeOrFail(makeTga(layout, {7, 200}));
    EXPECT_EQ(grey.bitsPerPixel, 8);
    EXPECT_EQ(pixelAt(grey, 1, 0), (Bgr{200, 200, 200}));
    // 16-bit grey is grey then alpha; the alpha byte plays no part.
    layout.depth = 16;
    Picture greyAlpha = decodeOrFail(makeTga(layout, {50, 200, 90, 7}));
    EXPECT_EQ(greyAlpha.bitsPerPixel, 8);
    EXPECT_EQ(pixelAt(greyAlpha, 0, 0), (Bgr{50, 50, 50}));
    EXPECT_EQ(pixelAt(greyAlpha, 1, 0), (Bgr{90, 90, 90}));
    layout.type = 11;
    Picture greyRun = decodeOrFail(makeTga(layout, {0x81, 60, 255}));
    EXPECT_EQ(pixelAt(greyRun, 1, 0), (Bgr{60, 60, 60}));
}

TEST(TargaDecoder, ColourMapStartsAtItsFirstIndex) {
    TgaLayout layout;
    layout.type = 1;
    layout.width = 2;
    layout.height = 1;
    layout.depth = 8;
    layout.mapFirst = 4;
    layout.mapLength = 2;
    layout.mapBits = 24;
    layout.map = {10, 20, 30, 40, 50, 60};
    Picture pic = decodeOrFail(makeTga(layout, {5, 4}));
    EXPECT_EQ(pixelAt(pic, 0, 0), (Bgr{40, 50, 60}));
    EXPECT_EQ(pixelAt(pic, 1, 0), (Bgr{10, 20, 30}));
    layout.mapBits = 15;  // 15-bit entries read as 16
    layout.map = {0x1F, 0, 0, 0x7C};
    Picture pic15 = decodeOrFail(makeTga(layout, {4, 5}));
    EXPECT_EQ(pixelAt(pic15, 0, 0), (Bgr{248, 0, 0}));
    EXPECT_EQ(pixelAt(pic15, 1, 0), (Bgr{0, 0, 248}));
}

TEST(TargaDecoder, ColourMappedRunLengthPictures) {
    TgaLayout layout;
    layout.type = 9;
    layout.depth = 8;
    layout.width = 4;
    layout.height = 2;
    layout.mapLength = 3;
    layout.mapBits = 24;
    layout.map = {10, 11, 12, 20, 21, 22, 30, 31, 32};
    // A run of three of index 2, then five literal indices, across the row end.
    const Bytes data = {0x82, 2, 0x04, 0, 1, 2, 1, 0};
    for (int descriptor : {0x20, 0x00}) {
        layout.descriptor = descriptor;
        Picture pic = decodeOrFail(makeTga(layout, data));
        ASSERT_EQ(pic.bitsPerPixel, 8);
        // The first row in the file is the top one only with the top-down bit.
        const int first = descriptor ? 0 : 1, second = 1 - first;
        EXPECT_EQ(pixelAt(pic, 0, first), (Bgr{30, 31, 32}));
        EXPECT_EQ(pixelAt(pic, 2, first), (Bgr{30, 31, 32}));
        EXPECT_EQ(pixelAt(pic, 3, first), (Bgr{10, 11, 12}));
        EXPECT_EQ(pixelAt(pic, 0, second), (Bgr{20, 21, 22}));
        EXPECT_EQ(pixelAt(pic, 3, second), (Bgr{10, 11, 12}));
    }
}

// Indices are 8 bits, so map entries past 255 are never used; reading them must not
// write past the palette, however far the map runs.
TEST(TargaDecoder, ColourMapEntriesPastIndex255AreSkipped) {
    struct MapCase {
        int first, length;
    };
    for (const MapCase& m : {MapCase{250, 6}, MapCase{250, 7}, MapCase{0, 65535}, MapCase{65535, 1},
                             MapCase{255, 65535}}) {
        TgaLayout layout;
        layout.type = 1;
        layout.depth = 8;
        layout.width = 2;
        layout.height = 1;
        layout.descriptor = 0x20;
        layout.mapFirst = m.first;
        layout.mapLength = m.length;
        layout.mapBits = 24;
        for (int i = 0; i < m.length; ++i) {
            const int index = m.first + i;
            layout.map.insert(layout.map.end(), {uint8_t(index), uint8_t(index >> 8), 7});
        }
        Picture pic = decodeOrFail(makeTga(layout, {250, 255}));
        ASSERT_EQ(pic.palette.size(), 256u * 4) << m.first << "+" << m.length;
        const Bgr at250 = m.first <= 250 ? Bgr{250, 0, 7} : Bgr{};
        const Bgr at255 = m.first <= 255 && m.first + m.length > 255 ? Bgr{255, 0, 7} : Bgr{};
        EXPECT_EQ(pixelAt(pic, 0, 0), at250) << m.first << "+" << m.length;
        EXPECT_EQ(pixelAt(pic, 1, 0), at255) << m.first << "+" << m.length;
    }
}

TEST(TargaDecoder, RunLengthPacketsCrossRows) {
    TgaLayout layout;
    layout.type = 11;
    layout.depth = 8;
    layout.width = 3;
    layout.height = 3;
    layout.descriptor = 0x20;
    // run of 4 (crosses row 0 to 1), raw of 3 (crosses 1 to 2), run of 5 cut at the end
    Picture pic = decodeOrFail(makeTga(layout, {0x83, 1, 0x02, 2, 3, 4, 0x84, 9}));
    EXPECT_EQ(greyRow(pic, 0), "111");
    EXPECT_EQ(greyRow(pic, 1), "123");
    EXPECT_EQ(greyRow(pic, 2), "499");

    // Type 10 with 32-bit pixels becomes 24-bit.
    layout.type = 10;
    layout.depth = 32;
    layout.width = 2;
    layout.height = 2;
    Picture colour = decodeOrFail(makeTga(layout, {0x82, 1, 2, 3, 99, 0x00, 4, 5, 6, 99}));
    EXPECT_EQ(colour.bitsPerPixel, 24);
    EXPECT_EQ(pixelAt(colour, 0, 1), (Bgr{1, 2, 3}));
    EXPECT_EQ(pixelAt(colour, 1, 1), (Bgr{4, 5, 6}));
}

TEST(TargaDecoder, BadHeadersAndDataFail) {
    TgaLayout layout;
    layout.width = 2;
    layout.height = 2;
    Bytes pixels(12, 1);
    EXPECT_TRUE(decodes(makeTga(layout, pixels), ImageReader::Targa));
    layout.type = 10;
    EXPECT_FALSE(
        decodes(makeTga(layout, {0x05, 1, 2, 3}), ImageReader::Targa));  // raw packet past the end
    EXPECT_FALSE(decodes(makeTga(layout, {0x81}), ImageReader::Targa));  // run missing its pixel
    layout.type = 2;
    for (int type : {0, 4, 32}) {
        TgaLayout bad = layout;
        bad.type = type;
        EXPECT_FALSE(decodes(makeTga(bad, pixels), ImageReader::Targa)) << type;
    }
    TgaLayout mapless = layout;
    mapless.type = 1;
    mapless.depth = 8;
    EXPECT_FALSE(decodes(makeTga(mapless, {0, 0, 0, 0}), ImageReader::Targa));
    // Colour-map types other than 0 and 1 are reserved: their map cannot be skipped.
    for (int mapType : {2, 128, 255}) {
        Bytes file = makeTga(layout, pixels);
        file[1] = static_cast<uint8_t>(mapType);
        EXPECT_FALSE(decodes(file, ImageReader::Targa)) << mapType;
    }
    TgaLayout longMap = layout;
    longMap.mapLength = 200;
    longMap.mapBits = 24;
    EXPECT_FALSE(decodes(makeTga(longMap, pixels), ImageReader::Targa));
    TgaLayout empty = layout;
    empty.width = 0;
    EXPECT_FALSE(decodes(makeTga(empty, pixels), ImageReader::Targa));
    TgaLayout huge = layout;
    huge.width = huge.height = 65535;
    huge.type = 10;
    EXPECT_FALSE(decodes(makeTga(huge, {0xFF, 1, 2, 3}), ImageReader::Targa));
}

}  // namespace
