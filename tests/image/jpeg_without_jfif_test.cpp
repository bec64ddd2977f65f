// JPEG files without a JFIF header, as cameras, phones and other programs write them:
// Exif files made from ImageMagick's JPEG (its JFIF segment swapped for Exif) and FFmpeg's
// (which has none), and Adobe files in RGB and
// YCbCr, decoded as ImageMagick (through the same libjpeg: exactly) and FFmpeg (its own
// decoder: within its smoothing of subsampled colour) decode them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "image/decode_helpers.h"
#include "image/jpeg_fixtures.h"
#include "image/outside_tools.h"

namespace {

constexpr int kWidth = 66, kHeight = 46;  // not whole blocks (even: chroma has no half pixel)

// Smooth gradients with a different top, bottom, left and right.
Picture source() {
    Picture p;
    p.width = kWidth;
    p.height = kHeight;
    p.bitsPerPixel = 24;
    p.stride = static_cast<size_t>(kWidth) * 3;
    p.pixels.resize(p.stride * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            uint8_t* d = p.row(y) + x * 3;
            d[0] = static_cast<uint8_t>(x * 255 / kWidth);
            d[1] = static_cast<uint8_t>(y * 255 / kHeight);
            d[2] = static_cast<uint8_t>(200 - (x + y) / 2);
        }
    return p;
}

enum class Maker { Convert, Ffmpeg, Libjpeg };

struct Case {
    const char* what;
    Maker maker;
    JpegKind kind;  // for libjpeg
    bool exif;      // an Exif segment in place of the JFIF one
};

TEST(JpegWithoutJfif, DecodesAsImageMagickAndFFmpegDo) {
    const bool convert = haveTool("convert"), ffmpeg = haveTool("ffmpeg");
    if (!convert || !ffmpeg) GTEST_SKIP() << "needs ImageMagick's convert and ffmpeg";
    const Case cases[] = {
        {"Exif from convert's JPEG", Maker::Convert, JpegKind::Jfif, true},
        {"Exif from ffmpeg's JPEG", Maker::Ffmpeg, JpegKind::Jfif, true},
        {"Adobe RGB", Maker::Libjpeg, JpegKind::AdobeRgb, false},
        {"Adobe YCbCr", Maker::Libjpeg, JpegKind::AdobeYcc, false},
    };
    TempFolder dir;
    const Picture picture = source();
    Bytes bmp;
    ASSERT_TRUE(testPictureFormats().encode(ImageReader::Bitmap, picture, 0, bmp));
    writeBytes(dir.path("source.bmp"), bmp);
    for (const Case& c : cases) {
        const std::string made = dir.path("made.jpg");
        Bytes file;
        if (c.maker == Maker::Convert) {
            ASSERT_TRUE(run("convert " + dir.path("source.bmp") + " -quality 90 JPEG:" + made));
            file = readBytes(made);
        } else if (c.maker == Maker::Ffmpeg) {
            ASSERT_TRUE(run("ffmpeg -v error -y -i " + dir.path("source.bmp") +
                            " -pix_fmt yuvj420p -q:v 2 -f mjpeg " + made));
            file = readBytes(made);
        } else {
            file = writeJpegAs(picture, c.kind);
        }
        if (c.exif) file = withExif(file);
        ASSERT_FALSE(file.empty()) << c.what;
        ASSERT_EQ(file[3] == 0xE0, false) << c.what << ": still a JFIF file";
        const std::string path = dir.path("test.jpg");
        writeBytes(path, file);

        ASSERT_EQ(testPictureFormats().detect(file.data(), file.size()), ImageReader::Jpeg)
            << c.what;
        const Picture ours = decodeOrFail(file);
        ASSERT_EQ(ours.width, kWidth) << c.what;
        ASSERT_EQ(ours.height, kHeight) << c.what;
        const Bytes byConvert = convertsRgb(dir, path), byFfmpeg = ffmpegsRgb(dir, path);
        ASSERT_EQ(byConvert.size(), size_t{kWidth} * kHeight * 3) << c.what;
        ASSERT_EQ(byFfmpeg.size(), size_t{kWidth} * kHeight * 3) << c.what;
        EXPECT_EQ(largestDifference(ours, byConvert), 0) << c.what;
        // FFmpeg smooths subsampled colour its own way: a few levels apart at most.
        EXPECT_LE(largestDifference(ours, byFfmpeg), 8) << c.what;
        // And the picture is the one that was written.
        Bytes original(size_t{kWidth} * kHeight * 3);
        for (int y = 0; y < kHeight; ++y)
            pictureRowToBgr(picture, y, &original[static_cast<size_t>(y) * kWidth * 3]);
        for (size_t i = 0; i < original.size(); i += 3) std::swap(original[i], original[i + 2]);
        EXPECT_LE(largestDifference(ours, original), 24) << c.what;
    }
}

}  // namespace
