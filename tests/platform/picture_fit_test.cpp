// The picture's place in windows of any size, the size new windows open at, and the
// picture pixel under a pointer position (bars, outside the window, HiDPI).
#include "platform/sdl/picture_fit.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

auto placed(const PictureFit& f) {
    return std::make_tuple(f.x, f.y, f.width, f.height, f.scale);
}

TEST(PictureFit, LargestFourThreeRectangleCentredBetweenBars) {
    EXPECT_EQ(placed(fitPicture(640, 480, 640, 480)), std::make_tuple(0, 0, 640, 480, 1));
    EXPECT_EQ(placed(fitPicture(1280, 960, 640, 480)), std::make_tuple(0, 0, 1280, 960, 2));
    EXPECT_EQ(placed(fitPicture(1920, 1440, 640, 480)), std::make_tuple(0, 0, 1920, 1440, 3));
    // Full screens: bars above and below on 5:4, left and right on 16:9.
    EXPECT_EQ(placed(fitPicture(1280, 1024, 640, 480)), std::make_tuple(0, 32, 1280, 960, 2));
    EXPECT_EQ(placed(fitPicture(1920, 1080, 640, 480)), std::make_tuple(240, 0, 1440, 1080, 0));
    EXPECT_EQ(placed(fitPicture(3840, 2160, 640, 480)), std::make_tuple(480, 0, 2880, 2160, 0));
    // A resized window between two multiples, and one pixel off a multiple.
    EXPECT_EQ(placed(fitPicture(1000, 600, 640, 480)), std::make_tuple(100, 0, 800, 600, 0));
    EXPECT_EQ(placed(fitPicture(1281, 960, 640, 480)), std::make_tuple(0, 0, 1280, 960, 2));
    EXPECT_EQ(placed(fitPicture(1279, 960, 640, 480)), std::make_tuple(0, 0, 1279, 959, 0));
    // Smaller than the picture, and nothing to fit into.
    EXPECT_EQ(placed(fitPicture(320, 240, 640, 480)), std::make_tuple(0, 0, 320, 240, 0));
    EXPECT_EQ(placed(fitPicture(0, 480, 640, 480)), std::make_tuple(0, 0, 0, 0, 0));
    EXPECT_EQ(placed(fitPicture(640, 480, 0, 480)), std::make_tuple(0, 0, 0, 0, 0));
}

TEST(PictureFit, WindowsOpenAtTheLargestMultipleWithinNinetyPercentOfTheDesktop) {
    EXPECT_EQ(windowScaleFor(1920, 1080, 640, 480), 2);
    EXPECT_EQ(windowScaleFor(3840, 2160, 640, 480), 4);
    EXPECT_EQ(windowScaleFor(2560, 1440, 640, 480), 2);  // the height decides
    EXPECT_EQ(windowScaleFor(1024, 768, 640, 480), 1);
    EXPECT_EQ(windowScaleFor(640, 480, 640, 480), 1);  // at least 1x, even when too big
    EXPECT_EQ(windowScaleFor(320, 200, 640, 480), 1);
    // 2x needs 1280 <= 0.9 * width and 960 <= 0.9 * height.
    EXPECT_EQ(windowScaleFor(1423, 1067, 640, 480), 2);
    EXPECT_EQ(windowScaleFor(1422, 1067, 640, 480), 1);
    EXPECT_EQ(windowScaleFor(1423, 1066, 640, 480), 1);
}

PointerGeometry geometry(int windowW, int windowH, int outputW, int outputH) {
    PointerGeometry g;
    g.windowWidth = windowW;
    g.windowHeight = windowH;
    g.outputWidth = outputW;
    g.outputHeight = outputH;
    g.fit = fitPicture(outputW, outputH, 640, 480);
    g.pictureWidth = 640;
    g.pictureHeight = 480;
    return g;
}

std::pair<int, int> at(const PointerGeometry& g, int wx, int wy) {
    int x = -1, y = -1;
    windowToPicture(g, wx, wy, x, y);
    return {x, y};
}

TEST(PictureFit, PointerAtWholeMultiplesLandsOnThePixelShownThere) {
    const PointerGeometry one = geometry(640, 480, 640, 480);
    EXPECT_EQ(at(one, 0, 0), std::make_pair(0, 0));
    EXPECT_EQ(at(one, 639, 479), std::make_pair(639, 479));
    const PointerGeometry two = geometry(1280, 960, 1280, 960);
    EXPECT_EQ(at(two, 500, 360), std::make_pair(250, 180));
    EXPECT_EQ(at(two, 501, 361), std::make_pair(250, 180));
    EXPECT_EQ(at(two, 502, 362), std::make_pair(251, 181));
    EXPECT_EQ(at(two, 1279, 959), std::make_pair(639, 479));
    const PointerGeometry three = geometry(1920, 1440, 1920, 1440);
    EXPECT_EQ(at(three, 5, 5), std::make_pair(1, 1));
    EXPECT_EQ(at(three, 6, 8), std::make_pair(2, 2));
}

TEST(PictureFit, PointerOverTheBarsOrOutsideTheWindowGivesTheNearestEdgePixel) {
    const PointerGeometry g = geometry(1000, 600, 1000, 600);  // picture 800x600 at x 100
    EXPECT_EQ(at(g, 99, 300).first, 0);
    EXPECT_EQ(at(g, 100, 300).first, 0);
    EXPECT_EQ(at(g, 101, 300).first, 1);  // centre 101.5 is picture x 1.2
    EXPECT_EQ(at(g, 899, 300).first, 639);
    EXPECT_EQ(at(g, 900, 300).first, 639);
    EXPECT_EQ(at(g, 475, 312), std::make_pair(300, 250));
    // Captured pointers report positions outside the window.
    EXPECT_EQ(at(g, -7, -3), std::make_pair(0, 0));
    EXPECT_EQ(at(g, 5000, 5000), std::make_pair(639, 479));
    const PointerGeometry tall = geometry(1280, 1024, 1280, 1024);  // bars of 32 above, below
    EXPECT_EQ(at(tall, 10, 31).second, 0);
    EXPECT_EQ(at(tall, 10, 33).second, 0);
    EXPECT_EQ(at(tall, 10, 34).second, 1);
    EXPECT_EQ(at(tall, 10, 991).second, 479);
}

TEST(PictureFit, HighDensityWindowsCountPointsNotPixels) {
    // A window of 640x480 points drawn with 1280x960 pixels: the picture at 2x pixels
    // fills it, and each point is one picture pixel.
    const PointerGeometry g = geometry(640, 480, 1280, 960);
    EXPECT_EQ(at(g, 10, 20), std::make_pair(10, 20));
    EXPECT_EQ(at(g, 639, 479), std::make_pair(639, 479));
    // 800x480 points on 1600x960 pixels: bars of 160 pixels, 80 points.
    const PointerGeometry wide = geometry(800, 480, 1600, 960);
    EXPECT_EQ(at(wide, 79, 0).first, 0);
    EXPECT_EQ(at(wide, 80, 0).first, 0);
    EXPECT_EQ(at(wide, 81, 0).first, 1);
    EXPECT_EQ(at(wide, 719, 0).first, 639);
    // A window whose pixels are 1.5 times its points.
    const PointerGeometry odd = geometry(640, 480, 960, 720);
    EXPECT_EQ(at(odd, 100, 100), std::make_pair(100, 100));
}

TEST(PictureFit, WithoutAGeometryPositionsAreOnlyClamped) {
    PointerGeometry none;
    none.pictureWidth = 640;
    none.pictureHeight = 480;
    EXPECT_EQ(at(none, 700, -1), std::make_pair(639, 0));
    EXPECT_EQ(at(none, 12, 34), std::make_pair(12, 34));
}

}  // namespace

// The pointer put over a picture pixel reads back as that pixel, at whole and uneven
// scales, between bars and on a HiDPI window (points fewer than pixels).
TEST(PictureFit, PointerPutOverAPixelReadsBackAsThatPixel) {
    const PointerGeometry geometries[] = {
        geometry(640, 480, 640, 480),   geometry(1280, 960, 1280, 960),
        geometry(1000, 600, 1000, 600), geometry(1366, 768, 1366, 768),
        geometry(700, 900, 700, 900),   geometry(640, 480, 1280, 960)};
    for (const PointerGeometry& g : geometries) {
        for (int p = 0; p < 640; ++p) {
            int wx = -1, wy = -1;
            pictureToWindow(g, p, p * 479 / 639, wx, wy);
            EXPECT_EQ(at(g, wx, wy), std::make_pair(p, p * 479 / 639))
                << g.windowWidth << "x" << g.windowHeight << " at " << p;
        }
    }
}
