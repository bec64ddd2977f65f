// Every reader, given any prefix of a valid file, fails cleanly: nothing decoded,
// nothing read past the bytes given (the sanitizer builds check that part).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "image/image_fixtures.h"
#include "platform/image/bmp_writer.h"
#include "platform/image/builtin_pictures.h"
#include "platform/jpeg/jpeg_writer.h"
#include "support/test_pictures.h"

namespace {

struct Sample {
    const char* name;
    int type;
    Bytes file;
};

std::vector<Sample> samples() {
    std::vector<Sample> s;
    Picture pic;
    builtinPicture("pointidle.bmp", pic);
    pic.width = 13;  // a corner, odd sized
    pic.height = 9;
    Bytes bmp, jpg;
    encodeBmp24(pic, bmp);
    encodeJpeg(pic, 75, jpg);
    s.push_back({"bmp24", ImageReader::Bitmap, bmp});
    s.push_back({"jpeg", ImageReader::Jpeg, jpg});
    Bytes pal(1024, 3);
    s.push_back({"bmp-rle", ImageReader::Bitmap,
                 makeBmp(4, 3, 8, 1, pal, {4, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 2, 1, 1, 0, 1})});
    TgaLayout tga;
    tga.type = 10;
    tga.width = 4;
    tga.height = 3;
    tga.footer = false;
    s.push_back({"tga-rle", ImageReader::Targa,
                 makeTga(tga, {0x85, 1, 2,  3,  0x05, 1,  2,  3,  4,  5,  6, 7,
                               8,    9, 10, 11, 12,   13, 14, 15, 16, 17, 18})});
    tga.type = 1;
    tga.depth = 8;
    tga.mapLength = 3;
    tga.mapBits = 24;
    tga.map = Bytes(9, 50);
    s.push_back({"tga-mapped", ImageReader::Targa, makeTga(tga, Bytes(12, 2))});
    Bytes rgb(768, 9);
    s.push_back({"pcx8", ImageReader::Pcx, makePcx(5, 3, 1, Bytes(15, 200), rgb)});
    s.push_back({"pcx24", ImageReader::Pcx, makePcx(3, 2, 3, Bytes(18, 7), {})});
    std::vector<Bytes> planes(4, Bytes(12, 6));
    s.push_back({"psd-raw", ImageReader::Photoshop, makePsd(4, 3, planes, 0)});
    s.push_back({"psd-rle", ImageReader::Photoshop, makePsd(4, 3, planes, 1)});
    return s;
}

TEST(MalformedFiles, EveryPrefixOfAValidFileFails) {
    for (const Sample& sample : samples()) {
        Picture pic;
        std::string error;
        ASSERT_TRUE(testPictureFormats().decode(sample.file.data(), sample.file.size(), sample.type,
                                                pic, &error))
            << sample.name << ": " << error;
        for (size_t cut = 0; cut < sample.file.size(); ++cut) {
            // A copy of exactly `cut` bytes, so a read past it is a real overrun.
            std::unique_ptr<uint8_t[]> prefix(new uint8_t[cut + 1]);
            std::memcpy(prefix.get(), sample.file.data(), cut);
            EXPECT_FALSE(testPictureFormats().decode(prefix.get(), cut, sample.type, pic))
                << sample.name << " cut at " << cut;
            ASSERT_TRUE(pic.pixels.empty());
        }
    }
}

TEST(MalformedFiles, ReadFileReportsMissingAndEmptyFiles) {
    TempFolder dir;
    Picture pic;
    std::string error;
    EXPECT_FALSE(testPictureFormats().readFile(dir.path("none.bmp"), pic, 0, &error));
    EXPECT_FALSE(error.empty());
    std::FILE* f = std::fopen(dir.path("empty.bmp").c_str(), "wb");
    ASSERT_TRUE(f);
    std::fclose(f);
    EXPECT_FALSE(testPictureFormats().readFile(dir.path("empty.bmp"), pic));
    EXPECT_FALSE(testPictureFormats().readFile(dir.path(""), pic));  // a folder
}

}  // namespace
