// Text through registered font files, and the fatal error reporters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/error_reporter.h"
#include "platform/font.h"
#include "platform/screen.h"
#include "platform/surface.h"

namespace {

int countInk(const Surface& s, uint32_t background, uint32_t colour, bool* otherColour) {
    int n = 0;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            uint32_t p = s.getPixel(x, y);
            if (p == background) continue;
            ++n;
            if (p != colour) *otherColour = true;
        }
    return n;
}

TEST(Text, DrawsSolidInkInTheGivenColourOverATransparentBackground) {
    for (int type : {15, 16, 24, 32}) {
        Surface s;
        ASSERT_EQ(s.create(PixelFormat::ofType(type), 200, 40), 0);
        const uint32_t background = s.format().map(10, 20, 30);
        s.fill(background);
        ASSERT_EQ(s.createFont("no such face", 0, 16, 400), 0);        // falls back to DejaVu
        EXPECT_EQ(s.drawText(5, 5, 0x0000FF, "Loading init.scn"), 0);  // 0x00BBGGRR: red
        bool other = false;
        EXPECT_GT(countInk(s, background, s.format().map(255, 0, 0), &other), 50) << type;
        EXPECT_FALSE(other) << "antialiased or wrong colour in type " << type;
    }
}

TEST(Text, EmptyTextAndClippedTextAreHarmless) {
    Surface s;
    ASSERT_EQ(s.create(PixelFormat::ofType(16), 60, 20), 0);
    EXPECT_EQ(s.drawText(0, 0, 0xFFFFFF, ""), 0);
    s.setClipRect({10, 5, 30, 15});
    EXPECT_EQ(s.drawText(-7, -3, 0xFFFFFF, "WWWWWWWWWWWWWWWW"), 0);
    EXPECT_EQ(s.drawText(2000000000, 2000000000, 0xFFFFFF, "W"), 0);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            if (s.getPixel(x, y) == 0xFFFF) {
                EXPECT_TRUE(x >= 10 && x < 30 && y >= 5 && y < 15) << x << "," << y;
            }
}

TEST(Fonts, RegisteredFacesAreFoundByFamilyAndStemAndSizedInPixels) {
    const std::string path = kFallbackFontPath;
    ASSERT_TRUE(registerFontFile(path));
    auto byFamily = Font::create("DejaVu Sans", 0, 40, 400);
    auto byStem = Font::create("dejavusans", 0, 40, 400);
    ASSERT_TRUE(byFamily && byStem);
    EXPECT_EQ(byFamily->path(), path);
    EXPECT_EQ(byFamily.get(), byStem.get());  // same face and size: shared
    EXPECT_EQ(byFamily->lineHeight(), 40);
    EXPECT_TRUE(unregisterFontFile(path));
    EXPECT_FALSE(unregisterFontFile(path));
    EXPECT_FALSE(registerFontFile("/nonexistent/font.ttf"));
}

struct Captured : ErrorReporter {
    std::vector<std::string> titles, texts;
    int quits = 0;
    void showError(const std::string& t, const std::string& m) override {
        titles.push_back(t);
        texts.push_back(m);
    }
    void requestQuit(int) override { ++quits; }
};

TEST(ErrorReport, FormatsShowsAndAsksToQuit) {
    struct {
        Captured captured;
    } scope;
    reportError(scope.captured, nullptr, "could not set video mode %dx%dx%d", 640, 480, 16);
    ASSERT_EQ(scope.captured.texts.size(), 1u);
    EXPECT_EQ(scope.captured.titles[0], "Error");
    EXPECT_EQ(scope.captured.texts[0], "could not set video mode 640x480x16");
    EXPECT_EQ(scope.captured.quits, 1);

    std::string longText(5000, 'x');
    reportError(scope.captured, nullptr, "%s", longText.c_str());
    EXPECT_EQ(scope.captured.texts[1].size(), 1023u);  // at most 1024 with the terminator
}

TEST(ErrorReport, DisplayErrorsAreNamed) {
    struct {
        Captured captured;
    } scope;
    reportDisplayError(scope.captured, kDisplayNoBackBuffer, "movie.cpp", 42);
    reportDisplayError(scope.captured, 12345, "movie.cpp", 43);
    ASSERT_EQ(scope.captured.texts.size(), 2u);
    EXPECT_EQ(scope.captured.texts[0], std::string("DirectDraw Error ") +
                                           displayErrorName(kDisplayNoBackBuffer) +
                                           "\nFILE: movie.cpp\nLINE: 42");
    EXPECT_EQ(scope.captured.texts[1], "DirectDraw Error Unknown Error\nFILE: movie.cpp\nLINE: 43");
    EXPECT_EQ(scope.captured.titles[1], "Error");
    EXPECT_EQ(scope.captured.quits, 2);
}

}  // namespace
