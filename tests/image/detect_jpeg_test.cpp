#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "image/image_fixtures.h"
#include "image/jpeg_fixtures.h"
#include "platform/jpeg/jpeg_writer.h"
#include "support/test_pictures.h"

namespace {

int detect(const uint8_t* bytes, size_t size) {
    return testPictureFormats().detect(bytes, size);
}

Picture patternPicture(int w, int h) {
    Picture p;
    p.width = w;
    p.height = h;
    p.bitsPerPixel = 24;
    p.stride = static_cast<size_t>(w) * 3;
    p.pixels.resize(p.stride * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Smooth gradients survive JPEG well enough to compare closely.
            uint8_t* d = p.row(y) + x * 3;
            d[0] = static_cast<uint8_t>(x * 255 / w);
            d[1] = static_cast<uint8_t>(y * 255 / h);
            d[2] = static_cast<uint8_t>((x + y) * 127 / (w + h) + 64);
        }
    return p;
}

TEST(Detection, FirstMatchingRuleWins) {
    TgaLayout layout;
    layout.width = layout.height = 1;
    Bytes tga = makeTga(layout, {1, 2, 3});
    EXPECT_EQ(detect(tga.data(), tga.size()), ImageReader::Targa);
    // A footer on a file starting "BM" makes it a TGA.
    tga[0] = 'B';
    tga[1] = 'M';
    EXPECT_EQ(detect(tga.data(), tga.size()), ImageReader::Targa);
    // A TGA footer but an unusable depth falls through to the bitmap rule.
    tga[16] = 12;
    EXPECT_EQ(detect(tga.data(), tga.size()), ImageReader::Bitmap);
    // No footer: TGA is not recognised at all.
    layout.footer = false;
    Bytes bare = makeTga(layout, {1, 2, 3});
    EXPECT_EQ(detect(bare.data(), bare.size()), ImageReader::Unsupported);

    const uint8_t psd[] = {'8', 'B', 'P', 'S', 0, 1};
    const uint8_t notPsd[] = {'8', 'B', 'P', 'S', 1, 0};
    const uint8_t pcx[] = {10, 5, 1, 8};
    const uint8_t oldPcx[] = {10, 3, 1, 8};
    EXPECT_EQ(detect(psd, sizeof psd), ImageReader::Photoshop);
    EXPECT_EQ(detect(notPsd, sizeof notPsd), ImageReader::Unsupported);
    EXPECT_EQ(detect(pcx, sizeof pcx), ImageReader::Pcx);
    EXPECT_EQ(detect(oldPcx, sizeof oldPcx), ImageReader::Unsupported);
    EXPECT_EQ(detect(nullptr, 0), ImageReader::Unsupported);
    const uint8_t b = 'B';
    EXPECT_EQ(detect(&b, 1), ImageReader::Unsupported);
}

// JFIF at bytes 6..9 after 0xFF at 0 and 2, whatever the marker; or a start of image
// followed by any marker (Exif, Adobe, bare streams).
TEST(Detection, JpegByJfifOrStartOfImage) {
    struct Case {
        const char* what;
        Bytes bytes;
        int type;
    };
    const Case cases[] = {
        {"JFIF", {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0}, ImageReader::Jpeg},
        {"JFIF in another marker",
         {0xFF, 0xD8, 0xFF, 0xE2, 0, 16, 'J', 'F', 'I', 'F', 0},
         ImageReader::Jpeg},
        {"JFIF after no start of image",
         {0xFF, 0, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F'},
         ImageReader::Jpeg},
        {"Exif", {0xFF, 0xD8, 0xFF, 0xE1, 0, 16, 'E', 'x', 'i', 'f', 0}, ImageReader::Jpeg},
        {"start of image and a marker", {0xFF, 0xD8, 0xFF}, ImageReader::Jpeg},
        {"start of image alone", {0xFF, 0xD8}, ImageReader::Unsupported},
        {"start of image, no marker", {0xFF, 0xD8, 0x00, 0xE0}, ImageReader::Unsupported},
        {"JFIF cut at 9 bytes, no start of image",
         {0xFF, 0, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I'},
         ImageReader::Unsupported},
    };
    for (const Case& c : cases) EXPECT_EQ(detect(c.bytes.data(), c.bytes.size()), c.type) << c.what;
}

TEST(JpegCodec, WriteThenReadKeepsSizeAndColours) {
    for (int bits : {24, 32}) {
        Picture src = patternPicture(67, 45);  // sizes that are not whole blocks
        if (bits == 32) {
            Picture wide = src;
            wide.bitsPerPixel = 32;
            wide.stride = static_cast<size_t>(src.width) * 4;
            wide.pixels.assign(wide.stride * src.height, 0);
            for (int y = 0; y < src.height; ++y)
                for (int x = 0; x < src.width; ++x)
                    std::memcpy(wide.row(y) + x * 4, src.row(y) + x * 3, 3);
            src = wide;
        }
        Bytes file;
        ASSERT_TRUE(encodeJpeg(src, 100, file));
        Picture back;
        ASSERT_TRUE(testPictureFormats().decode(file.data(), file.size(), 0, back));
        ASSERT_EQ(back.width, src.width);
        ASSERT_EQ(back.height, src.height);
        long total = 0;
        int worst = 0;
        for (int y = 0; y < src.height; ++y)
            for (int x = 0; x < src.width; ++x) {
                Bgr a = pixelAt(src, x, y), b = pixelAt(back, x, y);
                for (int d : {a.b - b.b, a.g - b.g, a.r - b.r}) {
                    total += std::abs(d);
                    worst = std::max(worst, std::abs(d));
                }
            }
        EXPECT_LT(total / (src.width * src.height * 3.0), 2.0) << bits;
        EXPECT_LT(worst, 24) << bits;
    }
    Picture invalid;
    Bytes out;
    EXPECT_FALSE(encodeJpeg(invalid, 100, out));
}

TEST(JpegCodec, CorruptOrTruncatedDataFailsCleanly) {
    Bytes file;
    ASSERT_TRUE(encodeJpeg(patternPicture(40, 24), 80, file));
    Picture pic;
    for (size_t cut : {size_t{11}, size_t{40}, file.size() / 2, file.size() - 2}) {
        EXPECT_FALSE(testPictureFormats().decode(file.data(), cut, ImageReader::Jpeg, pic)) << cut;
        EXPECT_TRUE(pic.pixels.empty());
    }
    Bytes garbage = file;
    for (size_t i = 20; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 37);
    EXPECT_FALSE(testPictureFormats().decode(garbage.data(), garbage.size(), 0, pic));
}

// Four-channel JPEGs (stored the Adobe way, inverted) with a JFIF header come out as
// B,G,R; without one (a printer's file) they are refused with their reason.
TEST(JpegCodec, CmykPicturesConvertToColourOnlyWithJfif) {
    Picture magentaInk = patternPicture(16, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            uint8_t* p = magentaInk.row(y) + x * 3;
            p[0] = 0, p[1] = 255, p[2] = 0;  // as C, M, Y: magenta ink only
        }
    Picture pic;
    std::string error;
    const Bytes jfif = writeJpegAs(magentaInk, JpegKind::JfifCmyk);
    ASSERT_TRUE(testPictureFormats().decode(jfif.data(), jfif.size(), 0, pic, &error)) << error;
    const Bgr c = pixelAt(pic, 8, 4);
    EXPECT_GT(c.r, 240);
    EXPECT_LT(c.g, 15);
    EXPECT_GT(c.b, 240);
    const Bytes adobe = writeJpegAs(magentaInk, JpegKind::AdobeCmyk);
    EXPECT_FALSE(testPictureFormats().decode(adobe.data(), adobe.size(), 0, pic, &error));
    EXPECT_EQ(error, "CMYK JPEG: save it in RGB colour");
}

}  // namespace
