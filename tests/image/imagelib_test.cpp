#include "platform/image/imagelib.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "image/image_fixtures.h"
#include "platform/image/bmp_writer.h"
#include "platform/image/builtin_pictures.h"
#include "support/test_pictures.h"

namespace {

Picture palettedPicture() {
    Picture p;
    p.width = 5;  // odd, so BMP rows need padding
    p.height = 3;
    p.bitsPerPixel = 8;
    p.stride = 8;
    p.topDown = false;
    p.pixels.assign(p.stride * p.height, 0);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) p.row(y)[x] = static_cast<uint8_t>(y * 5 + x);
    for (int i = 0; i < 15; ++i)
        p.palette.insert(p.palette.end(), {uint8_t(i), uint8_t(i * 10), uint8_t(255 - i), 0});
    return p;
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(BmpWriter, RoundTripsAnyPictureAsTwentyFourBit) {
    TempFolder dir;
    Picture src = palettedPicture();
    ASSERT_TRUE(writeBmp24(dir.path("out.bmp"), src));
    auto loaded = LoadBitmapFile(testPictureFormats(), dir.path("out.bmp"), 0, 0);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->bitsPerPixel, 24);
    EXPECT_FALSE(loaded->topDown);
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x) ASSERT_EQ(pixelAt(*loaded, x, y), pixelAt(src, x, y));

    EXPECT_FALSE(writeBmp24(dir.path("bad.bmp"), Picture()));
    Picture short_ = src;
    short_.pixels.resize(10);
    EXPECT_FALSE(writeBmp24(dir.path("bad.bmp"), short_));
    EXPECT_FALSE(writeBmp24(dir.path("no/such/folder.bmp"), src));
    EXPECT_EQ(dir.files(), std::vector<std::string>{"out.bmp"});
}

TEST(ImageLibrary, RecordsCarryPixelsBothWays) {
    Picture src = palettedPicture();
    ImageRecord record;
    InitImageRecord(record);
    ASSERT_TRUE(CopyBitmapToRecord(src, record, 0));
    EXPECT_EQ(record.width, 5);
    EXPECT_EQ(record.height, 3);
    EXPECT_EQ(record.bitCount, 24);
    auto back = CopyRecordToBitmap(record);
    ASSERT_TRUE(back);
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x) ASSERT_EQ(pixelAt(*back, x, y), pixelAt(src, x, y));
    FreeImageRecord(record);
    EXPECT_TRUE(record.pixels.empty());
    EXPECT_FALSE(CopyRecordToBitmap(record));
    EXPECT_FALSE(CopyBitmapToRecord(Picture(), record, 0));
    EXPECT_FALSE(LoadBitmapFile(testPictureFormats(), "/nonexistent/file.bmp", 0, 0));
}

TEST(ImageLibrary, AllocateChecksTheRequestedSize) {
    ImageRecord record;
    record.width = 160;
    record.height = 120;
    record.bitCount = 24;
    ASSERT_TRUE(AllocateImageRecord(record));
    EXPECT_GE(record.pixels.size(), record.stride * 120);
    EXPECT_GE(record.stride, 160u * 3);
    for (auto [w, h, bits] :
         {std::tuple{0, 10, 24}, {10, -1, 24}, {10, 10, 16}, {kMaxPictureSide + 1, 1, 32}}) {
        ImageRecord bad;
        bad.width = w;
        bad.height = h;
        bad.bitCount = bits;
        EXPECT_FALSE(AllocateImageRecord(bad)) << w << "x" << h << "x" << bits;
        EXPECT_TRUE(bad.pixels.empty());
    }
}

TEST(ImageLibrary, GreyKeepsSizeAndBrightness) {
    for (int bits : {24, 32}) {
        ImageRecord record;
        record.width = 3;
        record.height = 2;
        record.bitCount = bits;
        ASSERT_TRUE(AllocateImageRecord(record));
        const size_t bpp = bits / 8;
        uint8_t* p = record.pixels.data();
        const uint8_t colours[3][3] = {{255, 255, 255}, {0, 0, 255}, {0, 255, 0}};  // B,G,R
        for (int i = 0; i < 3; ++i) std::memcpy(p + i * bpp, colours[i], 3);
        const std::vector<uint8_t> before = record.pixels;
        ASSERT_TRUE(ConvertRecordToGrey(record));
        EXPECT_EQ(record.width, 3);
        EXPECT_EQ(record.height, 2);
        EXPECT_EQ(record.pixels.size(), before.size());
        EXPECT_EQ(p[0], 255);  // white stays white
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(p[i * bpp], p[i * bpp + 1]);
            EXPECT_EQ(p[i * bpp], p[i * bpp + 2]);
        }
        EXPECT_LT(p[bpp], p[2 * bpp]);  // red is darker than green
        EXPECT_NEAR(p[bpp], 76, 1);
    }
    ImageRecord empty;
    EXPECT_FALSE(ConvertRecordToGrey(empty));
}

TEST(ImageLibrary, JpegWritingReplacesOrLeavesNothing) {
    TempFolder dir;
    const std::string path = dir.path("slot1.jpg");
    ImageRecord record;
    record.width = 160;
    record.height = 120;
    record.bitCount = 32;
    ASSERT_TRUE(AllocateImageRecord(record));
    ASSERT_TRUE(WriteRecordJpeg(testPictureFormats(), path, record, 100));
    Picture pic;
    ASSERT_TRUE(testPictureFormats().readFile(path, pic));
    EXPECT_EQ(pic.width, 160);
    EXPECT_EQ(pic.height, 120);

    // Replacing works; a failed write keeps the old file and leaves no temporary.
    record.width = 80;
    record.height = 60;
    ASSERT_TRUE(AllocateImageRecord(record));
    ASSERT_TRUE(WriteRecordJpeg(testPictureFormats(), path, record, 100));
    const std::string written = slurp(path);
    ImageRecord broken = record;
    broken.pixels.resize(5);
    EXPECT_FALSE(WriteRecordJpeg(testPictureFormats(), path, broken, 100));
    EXPECT_EQ(slurp(path), written);
    EXPECT_FALSE(WriteRecordJpeg(testPictureFormats(), dir.path("missing/x.jpg"), record, 100));
    EXPECT_EQ(dir.files(), std::vector<std::string>{"slot1.jpg"});
    ASSERT_TRUE(testPictureFormats().readFile(path, pic));
    EXPECT_EQ(pic.width, 80);
}

// A saved picture that replaces one keeps that file's permissions (a player may have
// made a slot read-only for others); a new one gets 0666 less the umask.
TEST(ImageLibrary, ReplacingAPictureKeepsItsPermissions) {
    TempFolder dir;
    const std::string path = dir.path("slot2.jpg");
    ImageRecord record;
    record.width = 16;
    record.height = 8;
    record.bitCount = 32;
    ASSERT_TRUE(AllocateImageRecord(record));
    const mode_t oldMask = ::umask(027);
    ASSERT_TRUE(WriteRecordJpeg(testPictureFormats(), path, record, 90));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    ::umask(022);
    for (mode_t mode : {0600u, 0604u, 0664u}) {
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        ASSERT_TRUE(WriteRecordJpeg(testPictureFormats(), path, record, 90));
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
    }
    ::umask(oldMask);
    EXPECT_EQ(dir.files(), std::vector<std::string>{"slot2.jpg"});
}

TEST(BuiltinPictures, StandInsForMissingGameFiles) {
    Picture pattern;
    ASSERT_TRUE(builtinPicture("testpat.jpg", pattern));
    ASSERT_TRUE(pattern.isValid());
    EXPECT_EQ(pattern.width, 640);
    EXPECT_EQ(pattern.height, 480);
    EXPECT_FALSE(pixelAt(pattern, 100, 100) == pixelAt(pattern, 500, 100));

    for (const char* name : {"pointidle.bmp", "pointforward.bmp", "pointbackward.bmp",
                             "pointleft.bmp", "pointright.bmp"}) {
        Picture arrow;
        ASSERT_TRUE(builtinPicture(name, arrow)) << name;
        ASSERT_TRUE(arrow.isValid());
        const Bgr key = pixelAt(arrow, 0, 0);
        int keyed = 0, outline = 0;
        for (int y = 0; y < arrow.height; ++y)
            for (int x = 0; x < arrow.width; ++x) {
                Bgr c = pixelAt(arrow, x, y);
                keyed += c == key;
                outline += c == Bgr{0, 0, 0};
            }
        EXPECT_EQ(key, (Bgr{255, 0, 255})) << name;
        EXPECT_GT(keyed, arrow.width * arrow.height / 3) << name;
        EXPECT_GT(outline, 20) << name;
    }
    Picture pic;
    EXPECT_TRUE(builtinPicture("game/pointidle.bmp", pic));
    EXPECT_FALSE(builtinPicture("PointIdle.bmp", pic));
    EXPECT_FALSE(builtinPicture("nothing.bmp", pic));
    EXPECT_TRUE(pic.pixels.empty());
}

}  // namespace
