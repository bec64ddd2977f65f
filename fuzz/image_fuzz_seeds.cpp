// Writes small valid pictures of every supported kind into a folder, as the seed
// corpus of image_reader_fuzz. Each file is written twice: as it stands (found by
// detection) and with a leading byte that forces its decoder.
#include <cstdio>
#include <string>

#include "image/image_fixtures.h"
#include "image/jpeg_fixtures.h"
#include "platform/image/bmp_writer.h"
#include "platform/image/builtin_pictures.h"
#include "platform/image/image_reader.h"
#include "platform/jpeg/jpeg_writer.h"

namespace {

bool save(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    Picture pic;
    builtinPicture("pointidle.bmp", pic);
    pic.width = 12;
    pic.height = 10;
    struct Seed {
        const char* name;
        int type;
        Bytes bytes;
    };
    std::vector<Seed> seeds;
    Bytes bytes;
    encodeBmp24(pic, bytes);
    seeds.push_back({"bmp24.bmp", ImageReader::Bitmap, bytes});
    encodeJpeg(pic, 90, bytes);
    seeds.push_back({"small.jpg", ImageReader::Jpeg, bytes});
    // Files without a JFIF header: Exif from a camera, Adobe in RGB, YCbCr and CMYK.
    Picture colour;
    colour.width = 12;
    colour.height = 10;
    colour.bitsPerPixel = 24;
    colour.stride = 36;
    for (int i = 0; i < 360; ++i) colour.pixels.push_back(static_cast<uint8_t>(i * 7));
    seeds.push_back({"exif.jpg", ImageReader::Jpeg, withExif(writeJpegAs(colour, JpegKind::Jfif))});
    seeds.push_back({"adobe-rgb.jpg", ImageReader::Jpeg, writeJpegAs(colour, JpegKind::AdobeRgb)});
    seeds.push_back({"adobe-ycc.jpg", ImageReader::Jpeg, writeJpegAs(colour, JpegKind::AdobeYcc)});
    seeds.push_back(
        {"adobe-cmyk.jpg", ImageReader::Jpeg, writeJpegAs(colour, JpegKind::AdobeCmyk)});
    // Bit-field bitmaps in each header version that carries masks.
    const uint32_t rgb565[4] = {0xF800, 0x07E0, 0x001F, 0};
    const uint32_t argb8888[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    const uint32_t argb4444[4] = {0x0F00, 0x00F0, 0x000F, 0xF000};
    Bytes rows16(3 * 8), rows32(3 * 12);
    for (size_t i = 0; i < rows16.size(); ++i) rows16[i] = static_cast<uint8_t>(i * 29);
    for (size_t i = 0; i < rows32.size(); ++i) rows32[i] = static_cast<uint8_t>(i * 13);
    seeds.push_back(
        {"fields565-40.bmp", ImageReader::Bitmap, makeBitFieldBmp(3, 3, 16, 40, rgb565, rows16)});
    seeds.push_back({"fields4444-56.bmp", ImageReader::Bitmap,
                     makeBitFieldBmp(3, -3, 16, 56, argb4444, rows16)});
    seeds.push_back({"fields8888-108.bmp", ImageReader::Bitmap,
                     makeBitFieldBmp(3, 3, 32, 108, argb8888, rows32)});
    seeds.push_back({"fields565-124.bmp", ImageReader::Bitmap,
                     makeBitFieldBmp(3, -3, 16, 124, rgb565, rows16)});
    Bytes greys;
    for (int i = 0; i < 256; ++i)
        greys.insert(greys.end(), {uint8_t(i), uint8_t(i), uint8_t(i), 0});
    seeds.push_back({"rle8.bmp", ImageReader::Bitmap,
                     makeBmp(6, 4, 8, 1, greys, {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2,
                                                 1, 2, 5, 0, 0, 0, 4, 6, 7, 8, 9, 0, 1})});
    seeds.push_back({"pal4.bmp", ImageReader::Bitmap,
                     makeBmp(3, 2, 4, 0, Bytes(64, 7), {0x12, 0x30, 0, 0, 0x45, 0x60, 0, 0})});
    TgaLayout tga;
    tga.width = 4;
    tga.height = 2;
    tga.type = 10;
    seeds.push_back({"rle24.tga", ImageReader::Targa,
                     makeTga(tga, {0x83, 1, 2, 3, 0x03, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})});
    tga.type = 2;
    tga.depth = 16;
    tga.descriptor = 0x20;
    seeds.push_back({"raw16.tga", ImageReader::Targa, makeTga(tga, Bytes(16, 0x5A))});
    tga.type = 9;
    tga.depth = 8;
    tga.mapLength = 4;
    tga.mapBits = 24;
    tga.map = Bytes(12, 0x80);
    seeds.push_back({"mapped.tga", ImageReader::Targa, makeTga(tga, {0x87, 2})});
    // Rows stored from the right, plain and run-length.
    tga.mapLength = 0;
    tga.mapBits = 0;
    tga.map.clear();
    tga.type = 2;
    tga.depth = 24;
    tga.descriptor = 0x30;
    seeds.push_back({"right24.tga", ImageReader::Targa, makeTga(tga, Bytes(24, 0x47))});
    tga.type = 10;
    tga.descriptor = 0x10;
    seeds.push_back({"rightrle24.tga", ImageReader::Targa,
                     makeTga(tga, {0x81, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9,
                                   0x81, 9, 8, 7, 0x01, 6, 5, 4, 3, 2, 1})});
    Bytes rgb(768, 0x33);
    seeds.push_back(
        {"pic8.pcx", ImageReader::Pcx,
         makePcx(5, 3, 1, {1, 1, 1, 1, 200, 200, 200, 3, 250, 4, 4, 4, 4, 4, 192}, rgb)});
    seeds.push_back({"pic24.pcx", ImageReader::Pcx, makePcx(2, 2, 3, Bytes(12, 9), {})});
    std::vector<Bytes> planes(4, Bytes{1, 1, 1, 1, 2, 3, 4, 5, 6, 6, 6, 6});
    seeds.push_back({"raw.psd", ImageReader::Photoshop, makePsd(4, 3, planes, 0)});
    seeds.push_back({"packed.psd", ImageReader::Photoshop, makePsd(4, 3, planes, 1)});

    int failures = 0;
    for (const Seed& s : seeds) {
        Bytes forced = s.bytes;
        // The fuzz target maps a leading byte b to decoder 1 + b % 5.
        forced.insert(forced.begin(), static_cast<uint8_t>(s.type - 1));
        if (!save(dir + "/" + s.name, s.bytes) || !save(dir + "/forced-" + s.name, forced)) {
            std::fprintf(stderr, "cannot write %s\n", s.name);
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
