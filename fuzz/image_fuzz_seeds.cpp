// Writes small valid pictures of every supported kind into a folder, as the seed
// corpus of image_reader_fuzz. Each file is written twice: as it stands (found by
// detection) and with a leading byte that forces its decoder.
#include <cstdio>
#include <string>

#include "image/image_fixtures.h"
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
