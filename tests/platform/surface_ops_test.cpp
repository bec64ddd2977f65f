// Surface set-up, clipping, colour keys, lines, pixels, scaling and picture conversion.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>

#include "platform/image/bmp_writer.h"
#include "platform/image/picture.h"
#include "platform/image/picture_formats.h"
#include "platform/null_display.h"
#include "platform/screen.h"
#include "platform/surface.h"

namespace {

void init(Surface& s, int type, int w, int h, uint32_t fillWith = 0) {
    EXPECT_EQ(s.create(PixelFormat::ofType(type), w, h), 0);
    s.fill(fillWith);
}
#define MAKE(name, ...) \
    Surface name;       \
    init(name, __VA_ARGS__)

std::set<std::pair<int, int>> litPixels(const Surface& s) {
    std::set<std::pair<int, int>> lit;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.getPixel(x, y)) lit.insert({x, y});
    return lit;
}

TEST(PixelFormat, TypeFromBitsAndMasks) {
    EXPECT_EQ(PixelFormat::fromMasks(16, 0x7C00, 0x03E0, 0x001F).type, 15);
    EXPECT_EQ(PixelFormat::fromMasks(16, 0xF800, 0x07E0, 0x001F).type, 16);
    EXPECT_EQ(PixelFormat::fromMasks(8, 0, 0, 0).type, 8);
    EXPECT_EQ(PixelFormat::fromMasks(32, 0xFF0000, 0xFF00, 0xFF).type, 32);
    EXPECT_EQ(PixelFormat::fromMasks(16, 0xF800, 0x07E0, 0x001F, false).type, 0);
    EXPECT_EQ(PixelFormat::fromMasks(12, 0xF00, 0xF0, 0xF).type, 0);
    PixelFormat f = PixelFormat::ofType(16);
    EXPECT_EQ(f.greenMask, 63u);
    EXPECT_EQ(f.redShift, 11);
    EXPECT_EQ(f.map(255, 255, 255), 0xFFFFu);
    EXPECT_EQ(PixelFormat::ofType(15).map(255, 0, 0), 0x7C00u);
    EXPECT_EQ(PixelFormat::ofType(24).map(1, 2, 3), 0x010203u);
}

TEST(Surface, CreateRejectsBadSizesAndFormats) {
    Surface s;
    EXPECT_LT(s.create(PixelFormat::ofType(16), 0, 10), 0);
    EXPECT_LT(s.create(PixelFormat::ofType(16), 10, -1), 0);
    EXPECT_LT(s.create(PixelFormat::ofType(16), 1 << 20, 1 << 20), 0);
    EXPECT_LT(s.create(PixelFormat{}, 10, 10), 0);
    EXPECT_FALSE(s.valid());
    MAKE(other, 16, 4, 4);
    EXPECT_LT(s.draw(other, 0, 0), 0);  // drawing from nothing is an error, not a crash
}

TEST(Surface, ClipRectIsClampedToTheSurface) {
    MAKE(s, 16, 20, 10);
    s.setClipRect({-5, -5, 50, 50});
    EXPECT_EQ(s.clipRect().left, 0);
    EXPECT_EQ(s.clipRect().right, 20);
    EXPECT_EQ(s.clipRect().bottom, 10);
    s.setClipRect({15, 8, 5, 2});  // inverted: nothing can be drawn
    s.putPixel(10, 5, 1);
    EXPECT_TRUE(litPixels(s).empty());
}

TEST(Surface, CopiesOutsideTheDestinationClipDrawNothing) {
    MAKE(src, 16, 8, 8, 0x1111);
    MAKE(dst, 16, 20, 20);
    dst.setClipRect({5, 5, 15, 15});
    EXPECT_EQ(src.draw(dst, 15, 0), 0);
    EXPECT_EQ(src.draw(dst, -3, 5), 0);
    EXPECT_EQ(src.draw(dst, 0, 2000000000), 0);  // far away, no wrap-around
    EXPECT_TRUE(litPixels(dst).empty());
    // Overlapping the top-left corner: only the overlap, source shifted with it.
    src.putPixel(3, 3, 0x2222);
    EXPECT_EQ(src.draw(dst, 2, 2), 0);
    EXPECT_EQ(dst.getPixel(5, 5), 0x2222u);
    EXPECT_EQ(dst.getPixel(9, 9), 0x1111u);
    EXPECT_EQ(dst.getPixel(10, 10), 0u);
    EXPECT_EQ(litPixels(dst).size(), 25u);
}

TEST(Surface, CopiesBetweenDifferentFormatsAreRefused) {
    MAKE(a, 16, 4, 4, 1);
    MAKE(b, 32, 4, 4);
    EXPECT_LT(a.draw(b, 0, 0), 0);
    EXPECT_TRUE(litPixels(b).empty());
}

TEST(Surface, DrawingOntoAnOverlappingPartOfItselfReadsTheOriginal) {
    MAKE(s, 16, 8, 1);
    for (int x = 0; x < 8; ++x) s.putPixel(x, 0, x + 1);
    Rect first{0, 0, 6, 1};
    s.draw(s, 2, 0, &first);
    for (int x = 2; x < 8; ++x) EXPECT_EQ(s.getPixel(x, 0), static_cast<uint32_t>(x - 1));
}

TEST(Surface, ColourKeyFromTopLeftKeepsTheFormatsBits) {
    MAKE(s, 16, 4, 4);
    s.putPixel(0, 0, 0xABCD);
    s.putPixel(1, 0, 0x1234);  // the other half of the first 32-bit word
    EXPECT_EQ(s.setColourKeyFromTopLeft(), 0);
    EXPECT_EQ(s.colourKey(), 0xABCDu);
    MAKE(t, 24, 4, 4);
    t.putPixel(0, 0, 0x00FEDCBA);
    t.putPixel(1, 0, 0x00777777);
    t.setColourKeyFromTopLeft();
    EXPECT_EQ(t.colourKey(), 0xFEDCBAu);
    // 32 bits are the whole word, the fourth byte included; 15 bits keep 16.
    MAKE(u, 32, 4, 4);
    u.putPixel(0, 0, 0xA1FEDCBA);
    u.putPixel(1, 0, 0x00777777);
    EXPECT_EQ(u.setColourKeyFromTopLeft(), 0);
    EXPECT_EQ(u.colourKey(), 0xA1FEDCBAu);
    MAKE(v, 15, 4, 4);
    v.putPixel(0, 0, 0xFFFF);
    v.putPixel(1, 0, 0x1234);
    v.setColourKeyFromTopLeft();
    EXPECT_EQ(v.colourKey(), 0xFFFFu);
    MAKE(w, 8, 4, 4);
    w.putPixel(0, 0, 0xAB);
    w.putPixel(1, 0, 0xCD);
    w.setColourKeyFromTopLeft();
    EXPECT_EQ(w.colourKey(), 0xABu);
    // One pixel wide: the key still comes from that pixel alone.
    MAKE(narrow, 8, 1, 2);
    narrow.putPixel(0, 0, 0x42);
    narrow.putPixel(0, 1, 0x99);
    narrow.setColourKeyFromTopLeft();
    EXPECT_EQ(narrow.colourKey(), 0x42u);
    Surface none;
    EXPECT_EQ(none.setColourKeyFromTopLeft(), -1);
}

TEST(SurfaceLine, StraightLinesDrawOnlyTheirPartInsideTheClip) {
    MAKE(s, 16, 10, 10);
    s.setClipRect({2, 2, 8, 8});
    s.line(5, -100, 5, 100, 1);  // vertical
    s.line(9, 3, 0, 3, 1);       // horizontal, right to left
    auto lit = litPixels(s);
    EXPECT_EQ(lit.size(), 6u + 6u - 1u);
    EXPECT_TRUE(lit.count({5, 2}) && lit.count({5, 7}) && lit.count({2, 3}) && lit.count({7, 3}));
}

TEST(SurfaceLine, SlopedLinesStepTheLongAxisAndTruncate) {
    MAKE(s, 16, 10, 10);
    s.line(0, 0, 6, 2, 1);  // shallow: y = i / 3, truncated
    std::set<std::pair<int, int>> shallow{{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 1}, {6, 2}};
    EXPECT_EQ(litPixels(s), shallow);

    s.fill(0);
    s.line(3, 6, 0, 0, 1);  // steep, given bottom end first
    std::set<std::pair<int, int>> steep{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}, {3, 6}};
    EXPECT_EQ(litPixels(s), steep);

    // Both ends are reached even where repeated addition of the slope would fall short.
    s.fill(0);
    s.line(0, 9, 9, 6, 1);
    EXPECT_TRUE(litPixels(s).count({9, 6}));
    EXPECT_TRUE(litPixels(s).count({0, 9}));
}

TEST(SurfaceLine, HugeCoordinatesOnlyVisitTheClip) {
    MAKE(s, 16, 10, 10);
    s.line(-2000000000, -2000000000, 2000000000, 2000000000, 1);  // returns promptly
    EXPECT_EQ(litPixels(s).size(), 10u);
}

TEST(SurfaceScaled, QuarterSizeKeepsTheCentreAndSamplesTheSource) {
    MAKE(src, 16, 64, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) src.putPixel(x, y, static_cast<uint32_t>(y * 64 + x + 1));
    MAKE(dst, 16, 64, 48);
    EXPECT_EQ(src.drawScaled(dst, 0, 0, nullptr, 0.25f), 0);
    // 16x12 target centred where the unscaled copy would be: (24, 18) .. (40, 30).
    auto lit = litPixels(dst);
    EXPECT_EQ(lit.size(), 16u * 12u);
    EXPECT_TRUE(lit.count({24, 18}) && lit.count({39, 29}));
    EXPECT_EQ(dst.getPixel(24, 18), 1u);
    EXPECT_EQ(dst.getPixel(25, 19), static_cast<uint32_t>(4 * 64 + 4 + 1));

    // A thumbnail: the quarter-size copy of a whole surface lands on a small surface's
    // origin when the unscaled copy would be centred on it.
    MAKE(thumb, 16, 16, 12);
    EXPECT_EQ(src.drawScaled(thumb, -24, -18, nullptr, 0.25f), 0);
    EXPECT_EQ(litPixels(thumb).size(), 16u * 12u);
    EXPECT_EQ(thumb.getPixel(15, 11), static_cast<uint32_t>(44 * 64 + 60 + 1));

    // A zero or negative factor draws nothing.
    dst.fill(0);
    EXPECT_EQ(src.drawScaled(dst, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(src.drawScaled(dst, 0, 0, nullptr, -2.0f), 0);
    EXPECT_TRUE(litPixels(dst).empty());
}

TEST(SurfaceScaled, ClippedTargetsStayInsideBothSurfaces) {
    MAKE(src, 16, 20, 20, 5);
    MAKE(dst, 16, 30, 30);
    dst.setClipRect({3, 3, 25, 25});
    EXPECT_EQ(src.drawScaled(dst, 0, 0, nullptr, 3.0f), 0);
    for (auto [x, y] : litPixels(dst)) {
        EXPECT_GE(x, 3);
        EXPECT_LT(x, 25);
        EXPECT_GE(y, 3);
        EXPECT_LT(y, 25);
    }
    EXPECT_EQ(litPixels(dst).size(), 22u * 22u);
}

TEST(SurfacePicture, ConvertsPicturesAndBack) {
    Picture p;
    p.width = 3;
    p.height = 2;
    p.bitsPerPixel = 24;
    p.stride = 12;
    p.topDown = false;  // bottom-up storage: row 0 is the bottom row
    p.pixels.assign(24, 0);
    p.pixels[0] = 255;       // bottom-left blue
    p.pixels[12 + 5] = 255;  // top-middle red
    Surface s;
    ASSERT_EQ(s.fromPicture(p, PixelFormat::ofType(16)), 0);
    EXPECT_EQ(s.getPixel(0, 1), 0x001Fu);
    EXPECT_EQ(s.getPixel(1, 0), 0xF800u);

    Picture back;
    ASSERT_TRUE(s.toPicture(back));
    EXPECT_EQ(back.bitsPerPixel, 24);
    EXPECT_TRUE(back.topDown);
    EXPECT_EQ(back.row(0)[3 + 2], 255);  // full intensity stays 255
    EXPECT_EQ(back.row(1)[0], 255);
    EXPECT_EQ(back.row(1)[1], 0);
}

TEST(SurfacePicture, PalettePicturesAndBadPicturesAreHandled) {
    Picture p;
    p.width = 2;
    p.height = 1;
    p.bitsPerPixel = 8;
    p.stride = 2;
    p.pixels = {0, 200};         // index 200 lies beyond the palette
    p.palette = {0, 255, 0, 0};  // entry 0: green
    Surface s;
    ASSERT_EQ(s.fromPicture(p, PixelFormat::ofType(16)), 0);
    EXPECT_EQ(s.getPixel(0, 0), 0x07E0u);
    EXPECT_EQ(s.getPixel(1, 0), 0u);

    MAKE(keep, 16, 2, 2, 0x1234);
    Picture shortData = p;
    shortData.height = 5;  // claims more rows than it holds
    EXPECT_LT(keep.fromPicture(shortData, PixelFormat::ofType(16)), 0);
    Picture narrow = p;
    narrow.stride = 1;
    EXPECT_LT(keep.fromPicture(narrow, PixelFormat::ofType(16)), 0);
    EXPECT_EQ(keep.width(), 2);
    EXPECT_EQ(keep.getPixel(1, 1), 0x1234u);  // untouched after a refusal
}

// A 15-bit screen that reads the core picture formats.
struct LoadRig {
    VirtualClock clock;
    PictureFormats formats = corePictureFormats();
    Screen screen{std::make_unique<NullDisplay>(), clock, nullptr, &formats};
    LoadRig() { EXPECT_EQ(screen.createFullScreen(640, 480, 15, 0), 0); }
};

TEST(SurfaceLoad, MissingNamesAndFilesGiveTheirCodes) {
    LoadRig rig;
    Surface s;
    EXPECT_EQ(s.loadImage(&rig.screen, "", kPlacementAny), -1);
    EXPECT_EQ(s.loadImage(&rig.screen, "no-such-picture-anywhere.bmp", kPlacementAny), -2);
    EXPECT_FALSE(s.valid());
}

// A file of no known type is named on standard error (the debugging channel); a missing
// file and a known type that fails to decode are not.
TEST(SurfaceLoad, OnlyUnknownFileTypesAreReportedOnStandardError) {
    LoadRig rig;
    const std::string base = "/tmp/vorlen-surface-type-" + std::to_string(getpid());
    struct Case {
        const char* suffix;
        std::string content;
        bool reported;
    };
    const Case cases[] = {
        {".txt", "not a picture at all", true},
        {".empty", "", true},
        {".bmp", "BM but nothing after it", false},
        {".missing", "", false},
    };
    for (const Case& c : cases) {
        const std::string path = base + c.suffix;
        if (std::string(c.suffix) != ".missing") {
            std::FILE* f = std::fopen(path.c_str(), "wb");
            ASSERT_NE(f, nullptr);
            std::fwrite(c.content.data(), 1, c.content.size(), f);
            std::fclose(f);
        }
        Surface s;
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(s.loadImage(&rig.screen, path, kPlacementAny), -2) << c.suffix;
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(said, c.reported ? "Error: ImageReader - Unsupported Image type.\n" : "")
            << c.suffix;
        std::remove(path.c_str());
    }
}

TEST(SurfaceLoad, FilesAndStoredPicturesLoadInTheScreensFormat) {
    LoadRig rig;
    Picture p;
    p.width = 5;
    p.height = 3;
    p.bitsPerPixel = 24;
    p.stride = 16;
    p.pixels.assign(48, 0);
    p.row(2)[4 * 3 + 1] = 255;  // bottom-right green
    const std::string path = "/tmp/vorlen-surface-load-" + std::to_string(getpid()) + ".bmp";
    ASSERT_TRUE(writeBmp24(path, p));
    Surface s;
    EXPECT_EQ(s.loadImage(&rig.screen, path, kPlacementAny), 1);
    EXPECT_EQ(s.width(), 5);
    EXPECT_EQ(s.format().type, 15);
    EXPECT_EQ(s.getPixel(4, 2), 0x03E0u);
    EXPECT_EQ(s.fileName(), path);
    EXPECT_EQ(s.screen(), &rig.screen);
    // The formats and the pixel format given directly: the surface belongs to no screen.
    Surface direct;
    EXPECT_EQ(direct.loadImage(&rig.formats, PixelFormat::ofType(16), path, kPlacementAny), 1);
    EXPECT_EQ(direct.getPixel(4, 2), 0x07E0u);
    EXPECT_EQ(direct.screen(), nullptr);

    // Without picture formats (no screen, or a screen given none) files are not read,
    // but the pictures stored in the program still stand in.
    Surface unread;
    EXPECT_EQ(unread.loadImage(nullptr, path, kPlacementAny), -2);
    VirtualClock clock;
    Screen bare(std::make_unique<NullDisplay>(), clock);
    EXPECT_EQ(unread.loadImage(&bare, path, kPlacementAny), -2);
    std::remove(path.c_str());

    // A game folder without the pointer picture still gets one.
    Surface pointer;
    EXPECT_EQ(pointer.loadImage(&rig.screen, "pointidle.bmp", kPlacementAny), 1);
    EXPECT_TRUE(pointer.valid());
    EXPECT_EQ(pointer.format().type, 15);
    Surface alone;
    EXPECT_EQ(alone.loadImage(nullptr, "pointidle.bmp", kPlacementAny), 1);
}

}  // namespace
