// Files written by an independent encoder, ImageMagick's convert, in every variant the
// decoders read, decoded by us and compared pixel by pixel with convert's own decoding
// of the same file. Our own fixture encoders cannot catch a mistake they share with the
// decoders; these files can.
//
// TGA rows: ImageMagick 6 writes a picture's rows in the order it holds them and records
// that order in the descriptor (0x20 for "TopLeft", nothing for its default
// "BottomLeft", and 0x10 more for the "Right" orders, whose rows run from the right end);
// when it reads, it hands the rows out as stored unless asked to
// -auto-orient. The picture a TGA file shows is the one -auto-orient gives (FFmpeg's
// reader agrees, see the last test), so that is what our decoding is held to.
//
// Variants convert cannot write: a TGA colour map of 32-bit entries (it writes 24-bit,
// or 16-bit at -depth 5), 16-bit grey TGA with alpha (it writes 32-bit true colour
// instead), and a 16-bit BMP without bit fields (it writes only bit fields, so that
// file's compression field is set to none afterwards: the 5-5-5 pixels are convert's).
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "image/decode_helpers.h"
#include "image/outside_tools.h"
#include "platform/image/picture_rows.h"

namespace {

// A picture with flat bands (so run-length packets run across row ends), gradients and a
// different top and bottom (so a flipped decoding cannot pass), as a binary PPM.
void writeSource(const std::string& path, int w, int h) {
    Bytes ppm;
    const std::string header = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
    ppm.assign(header.begin(), header.end());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t r, g, b;
            if (y < h / 5) {
                r = 200, g = 30, b = 40;  // flat band at the top only
            } else if (x % 16 < 3) {
                r = 20, g = static_cast<uint8_t>(y * 255 / h), b = 220;
            } else {
                r = static_cast<uint8_t>(x * 255 / w);
                g = static_cast<uint8_t>((x * 3 + y * 5) % 256);
                b = static_cast<uint8_t>(y * 255 / h);
            }
            ppm.insert(ppm.end(), {r, g, b});
        }
    writeBytes(path, ppm);
}

uint16_t le16At(const Bytes& b, size_t at) {
    return at + 2 <= b.size() ? static_cast<uint16_t>(b[at] | (b[at + 1] << 8)) : 0;
}
uint32_t le32At(const Bytes& b, size_t at) {
    return at + 4 <= b.size() ? le16At(b, at) | (static_cast<uint32_t>(le16At(b, at + 2)) << 16)
                              : 0;
}
uint32_t be16At(const Bytes& b, size_t at) {
    return at + 2 <= b.size() ? (b[at] << 8) | b[at + 1] : 0;
}
uint32_t be32At(const Bytes& b, size_t at) {
    return (be16At(b, at) << 16) | be16At(b, at + 2);
}

// The header facts that make a file the variant it claims to be.
std::string describe(int type, const Bytes& b) {
    char text[96] = "too short";
    switch (type) {
        case ImageReader::Bitmap:
            if (b.size() >= 54)
                std::snprintf(text, sizeof text, "bits=%u compression=%u", le16At(b, 28),
                              le32At(b, 30));
            break;
        case ImageReader::Targa:
            if (b.size() >= 18)
                std::snprintf(text, sizeof text, "type=%d depth=%d top=%d right=%d map=%d", b[2],
                              b[16], (b[17] & 0x20) ? 1 : 0, (b[17] & 0x10) ? 1 : 0,
                              b[1] == 1 ? b[7] : 0);
            break;
        case ImageReader::Pcx:
            if (b.size() >= 128) std::snprintf(text, sizeof text, "planes=%d bits=%d", b[65], b[3]);
            break;
        case ImageReader::Photoshop: {
            // Header, then three sections each led by its length, then the compression.
            size_t at = 26;
            for (int section = 0; section < 3 && at + 4 <= b.size(); ++section)
                at += 4 + be32At(b, at);
            if (at + 2 <= b.size())
                std::snprintf(text, sizeof text, "channels=%u compression=%u", be16At(b, 12),
                              be16At(b, at));
            break;
        }
        case ImageReader::Jpeg:
            // Markers up to the frame header: SOF0 baseline, SOF2 progressive.
            for (size_t at = 2; at + 10 <= b.size() && b[at] == 0xFF; at += 2 + be16At(b, at + 2)) {
                const int marker = b[at + 1];
                if (marker >= 0xC0 && marker <= 0xC2) {
                    std::snprintf(text, sizeof text, "sof=%d components=%d", marker - 0xC0,
                                  b[at + 9]);
                    break;
                }
            }
            break;
    }
    return text;
}

// The version-2 footer, which detection needs; convert does not write it.
void addTargaFooter(Bytes& b) {
    const char footer[] = "\0\0\0\0\0\0\0\0TRUEVISION-XFILE.";
    b.insert(b.end(), footer, footer + sizeof footer);  // with the final zero byte
}

// convert writes 16-bit bitmaps with bit fields only; the same 5-5-5 pixels with no
// compression are the plain 16-bit variant.
void clearBitmapCompression(Bytes& b) {
    if (b.size() >= 34) put32le(b, 30, 0);
}

enum class Compare {
    Exact,
    FiveBits,  // 5-bit channels: ours are the bits shifted up by 3, convert's are scaled
    Near,      // lossy: decoders may round differently
};

struct Variant {
    const char* name;
    int type;
    const char* writeOptions;
    const char* output;  // coder prefix and extension around the name
    const char* expected;
    Compare compare = Compare::Exact;
    void (*patch)(Bytes&) = nullptr;
    const char* readOptions = "";
};

struct Case {
    Variant variant;
    int width, height;
};

// Failures name the variant, not the bytes of the parameter.
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.variant.name << " at " << c.width << "x" << c.height;
}

std::vector<Variant> bitmapVariants() {
    return {
        {"bmp_1", ImageReader::Bitmap, "-type Bilevel", "BMP3:%s.bmp", "bits=1 compression=0"},
        {"bmp_4", ImageReader::Bitmap, "-colors 16 -type Palette -compress None", "BMP3:%s.bmp",
         "bits=4 compression=0"},
        {"bmp_8", ImageReader::Bitmap, "-type Palette -compress None", "BMP3:%s.bmp",
         "bits=8 compression=0"},
        {"bmp_8_rle", ImageReader::Bitmap, "-type Palette -compress RLE", "BMP3:%s.bmp",
         "bits=8 compression=1"},
        {"bmp_16", ImageReader::Bitmap, "-define bmp:subtype=RGB555", "BMP3:%s.bmp",
         "bits=16 compression=0", Compare::FiveBits, clearBitmapCompression},
        {"bmp_24", ImageReader::Bitmap, "-type TrueColor", "BMP3:%s.bmp", "bits=24 compression=0"},
        {"bmp_32", ImageReader::Bitmap,
         "-alpha set -channel A -evaluate set 60% +channel "
         "-define bmp3:alpha=true",
         "BMP3:%s.bmp", "bits=32 compression=0"},
    };
}

// Every TGA variant in both row orders, rows stored from the left or (with `right`) from
// the right.
std::vector<Variant> targaVariants(bool right) {
    struct Kind {
        const char* name;
        const char* options;
        const char* expected;  // without the top flag
        Compare compare;
    };
    const Kind kinds[] = {
        {"tga_1", "-type Palette -compress None", "type=1 depth=8 map=24", Compare::Exact},
        {"tga_1_map16", "-depth 5 -type Palette -compress None", "type=1 depth=8 map=16",
         Compare::FiveBits},
        {"tga_9", "-type Palette -compress RLE", "type=9 depth=8 map=24", Compare::Exact},
        {"tga_9_map16", "-depth 5 -type Palette -compress RLE", "type=9 depth=8 map=16",
         Compare::FiveBits},
        {"tga_2_16", "-depth 5 -type TrueColor -compress None", "type=2 depth=16 map=0",
         Compare::FiveBits},
        {"tga_2_24", "-type TrueColor -compress None", "type=2 depth=24 map=0", Compare::Exact},
        {"tga_2_32", "-alpha set -channel A -evaluate set 60% +channel -compress None",
         "type=2 depth=32 map=0", Compare::Exact},
        {"tga_10_16", "-depth 5 -type TrueColor -compress RLE", "type=10 depth=16 map=0",
         Compare::FiveBits},
        {"tga_10_24", "-type TrueColor -compress RLE", "type=10 depth=24 map=0", Compare::Exact},
        {"tga_10_32", "-alpha set -channel A -evaluate set 60% +channel -compress RLE",
         "type=10 depth=32 map=0", Compare::Exact},
        {"tga_3", "-type Grayscale -compress None", "type=3 depth=8 map=0", Compare::Exact},
        {"tga_11", "-type Grayscale -compress RLE", "type=11 depth=8 map=0", Compare::Exact},
    };
    // The strings must outlive the variants, which hold plain pointers; a deque keeps
    // them in place as it grows.
    static std::deque<std::string> texts;
    std::vector<Variant> out;
    for (const Kind& k : kinds)
        for (int top : {0, 1}) {
            texts.push_back(std::string(k.name) + (top ? "_topdown" : "_bottomup") +
                            (right ? "_righttoleft" : ""));
            const char* name = texts.back().c_str();
            texts.push_back(std::string(k.options) + (top ? " -orient Top" : " -orient Bottom") +
                            (right ? "Right" : "Left"));
            const char* options = texts.back().c_str();
            std::string e = k.expected;
            e.insert(e.find(" map="),
                     std::string(top ? " top=1" : " top=0") + (right ? " right=1" : " right=0"));
            texts.push_back(e);
            out.push_back({name, ImageReader::Targa, options, "TGA:%s.tga", texts.back().c_str(),
                           k.compare, addTargaFooter});
        }
    return out;
}

std::vector<Variant> otherVariants() {
    const char* unblended = "-define psd:alpha-unblend=off";
    return {
        {"pcx_8", ImageReader::Pcx, "-type Palette", "PCX:%s.pcx", "planes=1 bits=8"},
        {"pcx_24", ImageReader::Pcx, "-type TrueColor", "PCX:%s.pcx", "planes=3 bits=8"},
        {"psd_raw", ImageReader::Photoshop, "-type TrueColor -compress None", "PSD:%s.psd",
         "channels=3 compression=0"},
        {"psd_rle", ImageReader::Photoshop, "-type TrueColor -compress RLE", "PSD:%s.psd",
         "channels=3 compression=1"},
        {"psd_raw_alpha", ImageReader::Photoshop,
         "-alpha set -channel A -evaluate set 60% +channel -compress None", "PSD:%s.psd",
         "channels=4 compression=0", Compare::Exact, nullptr, unblended},
        {"psd_rle_alpha", ImageReader::Photoshop,
         "-alpha set -channel A -evaluate set 60% +channel -compress RLE", "PSD:%s.psd",
         "channels=4 compression=1", Compare::Exact, nullptr, unblended},
        {"jpeg_baseline", ImageReader::Jpeg, "-quality 90", "JPEG:%s.jpg", "sof=0 components=3",
         Compare::Near},
        {"jpeg_baseline_444", ImageReader::Jpeg, "-quality 90 -sampling-factor 1x1", "JPEG:%s.jpg",
         "sof=0 components=3", Compare::Near},
        {"jpeg_progressive", ImageReader::Jpeg, "-quality 90 -interlace JPEG", "JPEG:%s.jpg",
         "sof=2 components=3", Compare::Near},
        {"jpeg_grey", ImageReader::Jpeg, "-quality 90 -type Grayscale", "JPEG:%s.jpg",
         "sof=0 components=1", Compare::Near},
        {"jpeg_grey_progressive", ImageReader::Jpeg, "-quality 90 -type Grayscale -interlace JPEG",
         "JPEG:%s.jpg", "sof=2 components=1", Compare::Near},
    };
}

std::vector<Case> smallCases() {
    std::vector<Case> out;
    for (auto list : {bitmapVariants(), targaVariants(false), targaVariants(true), otherVariants()})
        for (const Variant& v : list) out.push_back({v, 61, 37});
    return out;
}

// The full screen picture the engine shows, in the format that was reported flipped.
std::vector<Case> screenCases() {
    std::vector<Case> out;
    for (const Variant& v : targaVariants(false)) out.push_back({v, 640, 480});
    return out;
}

std::string format(const char* pattern, const std::string& value) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, value.c_str());
    return text;
}

class ImageMagickFiles : public ::testing::TestWithParam<Case> {};

TEST_P(ImageMagickFiles, DecodeAsConvertDecodesThem) {
    if (!haveTool("convert")) GTEST_SKIP() << "ImageMagick's convert is not installed";
    const Variant& v = GetParam().variant;
    const int w = GetParam().width, h = GetParam().height;
    TempFolder dir;
    const std::string source = dir.path("source.ppm");
    writeSource(source, w, h);
    const std::string file = dir.path(v.name);
    const std::string written = format(v.output, file);
    const std::string path = written.substr(written.find(':') + 1);
    ASSERT_TRUE(run("convert " + source + " " + v.writeOptions + " " + written)) << v.name;

    Bytes bytes = readBytes(path);
    if (v.patch) {
        v.patch(bytes);
        writeBytes(path, bytes);
    }
    // A file that is not the variant named would test something else.
    ASSERT_EQ(describe(v.type, bytes), v.expected) << v.name;
    ASSERT_EQ(testPictureFormats().detect(bytes.data(), bytes.size()), v.type) << v.name;
    Picture ours = decodeOrFail(bytes);
    ASSERT_EQ(ours.width, w);
    ASSERT_EQ(ours.height, h);

    const std::string raw = dir.path("theirs.rgb");
    ASSERT_TRUE(run(std::string("convert ") + v.readOptions + " '" + path +
                    "[0]' -auto-orient -depth 8 rgb:" + raw));
    const Bytes theirs = readBytes(raw);
    ASSERT_EQ(theirs.size(), static_cast<size_t>(w) * h * 3);

    int mismatches = 0, worst = 0;
    std::string first;
    std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
    for (int y = 0; y < h; ++y) {
        pictureRowToBgr(ours, y, row.data());
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                const int mine = row[static_cast<size_t>(x) * 3 + 2 - c];  // B,G,R to R,G,B
                const int other = theirs[(static_cast<size_t>(y) * w + x) * 3 + c];
                const int expected = v.compare == Compare::FiveBits ? (other & 0xF8) : other;
                const int diff = std::abs(mine - expected);
                worst = std::max(worst, diff);
                if (diff > (v.compare == Compare::Near ? 4 : 0)) {
                    if (mismatches++ == 0)
                        first = "(" + std::to_string(x) + "," + std::to_string(y) + ") channel " +
                                std::to_string(c) + ": ours " + std::to_string(mine) +
                                ", convert's " + std::to_string(expected);
                }
            }
    }
    EXPECT_EQ(mismatches, 0) << v.name << ": first at " << first << "; largest difference "
                             << worst;
}

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return std::string(info.param.variant.name) + "_" + std::to_string(info.param.width);
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, ImageMagickFiles, ::testing::ValuesIn(smallCases()),
                         caseName);
INSTANTIATE_TEST_SUITE_P(ScreenSizedTarga, ImageMagickFiles, ::testing::ValuesIn(screenCases()),
                         caseName);

// A second independent reader of TGA files places the rows and columns as we do, in
// every order, plain and run-length.
TEST(TargaRowOrder, MatchesFFmpegsReader) {
    if (!haveTool("convert") || !haveTool("ffmpeg"))
        GTEST_SKIP() << "needs ImageMagick's convert and ffmpeg";
    TempFolder dir;
    const std::string source = dir.path("source.ppm");
    writeSource(source, 64, 48);
    for (const char* options :
         {"-compress None -orient BottomLeft", "-compress None -orient TopLeft",
          "-compress RLE -orient BottomLeft", "-compress RLE -orient TopLeft",
          "-compress None -orient BottomRight", "-compress RLE -orient TopRight"}) {
        const std::string path = dir.path("t.tga");
        ASSERT_TRUE(run("convert " + source + " -type TrueColor " + options + " TGA:" + path));
        Bytes bytes = readBytes(path);
        addTargaFooter(bytes);
        Picture ours = decodeOrFail(bytes);
        ASSERT_EQ(ours.width, 64);
        const std::string raw = dir.path("ffmpeg.rgb");
        ASSERT_TRUE(run("ffmpeg -v error -y -i " + path + " -f rawvideo -pix_fmt rgb24 " + raw));
        const Bytes theirs = readBytes(raw);
        ASSERT_EQ(theirs.size(), 64u * 48 * 3);
        std::vector<uint8_t> row(64 * 3);
        int mismatches = 0;
        for (int y = 0; y < 48; ++y) {
            pictureRowToBgr(ours, y, row.data());
            for (int x = 0; x < 64; ++x)
                for (int c = 0; c < 3; ++c)
                    mismatches +=
                        row[x * 3 + 2 - c] != theirs[(static_cast<size_t>(y) * 64 + x) * 3 + c];
        }
        EXPECT_EQ(mismatches, 0) << options;
    }
}

}  // namespace
