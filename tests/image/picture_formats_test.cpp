// The table of picture formats: its order, what a program adds to it, and the image
// library calls that take it.
#include "platform/image/picture_formats.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <new>
#include <vector>

#include "image/image_fixtures.h"
#include "platform/image/bmp_writer.h"
#include "platform/image/builtin_pictures.h"
#include "platform/image/image_reader.h"
#include "platform/image/imagelib.h"
#include "platform/jpeg/jpeg_format.h"
#include "platform/jpeg/jpeg_writer.h"

namespace {

std::vector<int> typesOf(const PictureFormats& formats) {
    std::vector<int> types;
    for (const PictureFormat& row : formats.rows()) types.push_back(row.type);
    return types;
}

Picture smallPicture() {
    Picture p;
    EXPECT_TRUE(builtinPicture("pointidle.bmp", p));
    return p;
}

// A made-up format: files that start "VORL", decoded as a 1x1 picture of the fifth
// byte's grey.
bool detectVorl(const uint8_t* bytes, size_t size) {
    return size >= 5 && std::memcmp(bytes, "VORL", 4) == 0;
}
bool decodeVorl(const uint8_t* bytes, size_t, Picture& out, std::string&) {
    out = Picture();
    out.width = out.height = 1;
    out.bitsPerPixel = 24;
    out.stride = 3;
    out.pixels.assign(3, bytes[4]);
    return true;
}
bool decodeThrows(const uint8_t*, size_t, Picture&, std::string&) {
    throw std::bad_alloc();
}

TEST(PictureFormats, DetectionOrderIsTgaBitmapPhotoshopPcxThenJpeg) {
    using namespace ImageReader;
    EXPECT_EQ(typesOf(corePictureFormats()), (std::vector<int>{Targa, Bitmap, Photoshop, Pcx}));
    const PictureFormats all = pictureFormatsWithJpeg();
    EXPECT_EQ(typesOf(all), (std::vector<int>{Targa, Bitmap, Photoshop, Pcx, Jpeg}));
    ASSERT_NE(all.find(Jpeg), nullptr);
    EXPECT_STREQ(all.find(Jpeg)->name, "JPEG (JFIF)");
    EXPECT_EQ(all.find(Unsupported), nullptr);
    EXPECT_EQ(all.find(6), nullptr);
}

TEST(PictureFormats, TheCoreAloneReadsAndWritesNoJpeg) {
    Bytes jpeg;
    ASSERT_TRUE(encodeJpeg(smallPicture(), 90, jpeg));
    const PictureFormats core = corePictureFormats();
    const PictureFormats all = pictureFormatsWithJpeg();
    EXPECT_EQ(core.detect(jpeg.data(), jpeg.size()), 0);
    EXPECT_EQ(all.detect(jpeg.data(), jpeg.size()), ImageReader::Jpeg);
    Picture pic;
    std::string error;
    EXPECT_FALSE(core.decode(jpeg.data(), jpeg.size(), ImageReader::Jpeg, pic, &error));
    EXPECT_EQ(error, "Unsupported Image type.");
    EXPECT_TRUE(all.decode(jpeg.data(), jpeg.size(), 0, pic));

    // The image library calls go through the table they are given.
    TempFolder dir;
    const std::string path = dir.path("p.jpg");
    ImageRecord record;
    ASSERT_TRUE(CopyBitmapToRecord(smallPicture(), record, 0));
    EXPECT_FALSE(WriteRecordJpeg(core, path, record, 100));
    EXPECT_FALSE(std::ifstream(path).good());
    ASSERT_TRUE(WriteRecordJpeg(all, path, record, 100));
    EXPECT_EQ(LoadBitmapFile(core, path, 0, 0), nullptr);
    auto loaded = LoadBitmapFile(all, path, 0, 0);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->width, 64);
}

TEST(PictureFormats, ANewFormatIsOneRow) {
    PictureFormats formats = pictureFormatsWithJpeg();
    formats.add({6, "test", detectVorl, decodeVorl});
    EXPECT_EQ(typesOf(formats).back(), 6);
    const uint8_t file[] = {'V', 'O', 'R', 'L', 200};
    EXPECT_EQ(formats.detect(file, sizeof file), 6);
    EXPECT_EQ(formats.detect(file, 4), 0);  // too short for its own rule
    Picture pic;
    ASSERT_TRUE(formats.decode(file, sizeof file, 0, pic));
    EXPECT_EQ(pic.width, 1);
    EXPECT_EQ(pic.row(0)[1], 200);

    TempFolder dir;
    std::ofstream(dir.path("x.vorl"), std::ios::binary)
        .write(reinterpret_cast<const char*>(file), sizeof file);
    ASSERT_TRUE(formats.readFile(dir.path("x.vorl"), pic));
    EXPECT_EQ(pic.row(0)[0], 200);
    EXPECT_FALSE(corePictureFormats().readFile(dir.path("x.vorl"), pic));
}

TEST(PictureFormats, RowsOfAKnownTypeReplaceItInPlaceAndIncompleteRowsAreIgnored) {
    PictureFormats formats = corePictureFormats();
    formats.add({ImageReader::Bitmap, "bitmap stand-in", detectVorl, decodeVorl});
    EXPECT_EQ(typesOf(formats), typesOf(corePictureFormats()));
    EXPECT_STREQ(formats.find(ImageReader::Bitmap)->name, "bitmap stand-in");
    const uint8_t file[] = {'V', 'O', 'R', 'L', 7};
    EXPECT_EQ(formats.detect(file, sizeof file), ImageReader::Bitmap);

    formats.add({0, "no type", detectVorl, decodeVorl});
    formats.add({7, "no detector", nullptr, decodeVorl});
    formats.add({8, "no decoder", detectVorl, nullptr});
    EXPECT_EQ(formats.rows().size(), 4u);

    Picture pic;
    EXPECT_EQ(formats.detect(nullptr, 10), 0);
    EXPECT_FALSE(formats.decode(nullptr, 0, ImageReader::Bitmap, pic));
    EXPECT_FALSE(PictureFormats().decode(file, sizeof file, 0, pic));
}

TEST(PictureFormats, ADecoderRunningOutOfMemoryFailsCleanly) {
    PictureFormats formats({{6, "greedy", detectVorl, decodeThrows}});
    const uint8_t file[] = {'V', 'O', 'R', 'L', 1};
    Picture pic;
    std::string error;
    EXPECT_FALSE(formats.decode(file, sizeof file, 0, pic, &error));
    EXPECT_EQ(error, "out of memory");
    EXPECT_TRUE(pic.pixels.empty());
}

TEST(PictureFormats, WritesTheFormatsThatHaveAWriter) {
    const PictureFormats formats = pictureFormatsWithJpeg();
    const Picture picture = smallPicture();
    Bytes bmp, direct;
    ASSERT_TRUE(formats.encode(ImageReader::Bitmap, picture, 100, bmp));
    ASSERT_TRUE(encodeBmp24(picture, direct));
    EXPECT_EQ(bmp, direct);
    Bytes none{1, 2, 3};
    EXPECT_FALSE(formats.encode(ImageReader::Pcx, picture, 100, none));  // read only
    EXPECT_TRUE(none.empty());
    EXPECT_FALSE(formats.encode(ImageReader::Bitmap, Picture(), 100, none));
    EXPECT_FALSE(formats.encode(6, picture, 100, none));

    TempFolder dir;
    ASSERT_TRUE(formats.writeFile(ImageReader::Jpeg, dir.path("w.jpg"), picture, 90));
    Picture back;
    ASSERT_TRUE(formats.readFile(dir.path("w.jpg"), back));
    EXPECT_EQ(back.width, picture.width);
    EXPECT_FALSE(formats.writeFile(ImageReader::Pcx, dir.path("w.pcx"), picture, 90));
    EXPECT_FALSE(std::ifstream(dir.path("w.pcx")).good());
}

}  // namespace
