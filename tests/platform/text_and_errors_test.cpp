// Text through the SDL_ttf renderer and registered font files, and the fatal error
// reporters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/error_reporter.h"
#include "platform/null_display.h"
#include "platform/screen.h"
#include "platform/sdl/sdl_text_renderer.h"
#include "platform/surface.h"
#include "platform/text_renderer.h"

namespace {

// A screen that lends its surfaces the renderer.
struct TextRig {
    VirtualClock clock;
    SdlTextRenderer text;
    Screen screen{std::make_unique<NullDisplay>(), clock, &text};
};

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
    TextRig rig;
    for (int type : {15, 16, 24, 32}) {
        Surface s;
        ASSERT_EQ(s.create(PixelFormat::ofType(type), 200, 40, &rig.screen), 0);
        const uint32_t background = s.format().map(10, 20, 30);
        s.fill(background);
        ASSERT_EQ(s.createFont("", 0, 16, 400), 0);                    // the fallback, DejaVu
        EXPECT_EQ(s.drawText(5, 5, 0x0000FF, "Loading init.scn"), 0);  // 0x00BBGGRR: red
        bool other = false;
        EXPECT_GT(countInk(s, background, s.format().map(255, 0, 0), &other), 50) << type;
        EXPECT_FALSE(other) << "antialiased or wrong colour in type " << type;
    }
}

// A face that is not registered is reported as a failure, yet the fallback face still
// writes the text; a registered one is found without complaint.
TEST(Text, AMissingFaceFailsButTheTextStillShows) {
    TextRig rig;
    Surface s;
    ASSERT_EQ(s.create(PixelFormat::ofType(16), 200, 40, &rig.screen), 0);
    EXPECT_EQ(s.createFont("pookie", 10, 20, 400), -2);
    EXPECT_EQ(s.drawText(5, 5, 0xFFFFFF, "SAVE GAME"), 0);
    bool other = false;
    EXPECT_GT(countInk(s, 0, 0xFFFF, &other), 30);
    ASSERT_TRUE(rig.text.registerFontFile(kFallbackFontPath));
    EXPECT_EQ(s.createFont("DejaVu Sans", 10, 20, 400), 0);
    EXPECT_EQ(s.createFont("dejavusans", 10, 20, 400), 0);
    EXPECT_EQ(s.createFont("pookie", 10, 20, 400), -2);
}

TEST(Text, EmptyTextAndClippedTextAreHarmless) {
    TextRig rig;
    Surface s;
    ASSERT_EQ(s.create(PixelFormat::ofType(16), 60, 20, &rig.screen), 0);
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

// Surfaces of a screen without a renderer, or of no screen, draw no text and say so.
TEST(Text, WithoutARendererNothingIsDrawn) {
    VirtualClock clock;
    Screen bare(std::make_unique<NullDisplay>(), clock);
    Surface onBare, alone;
    ASSERT_EQ(onBare.create(PixelFormat::ofType(16), 60, 20, &bare), 0);
    ASSERT_EQ(alone.create(PixelFormat::ofType(16), 60, 20), 0);
    for (Surface* s : {&onBare, &alone}) {
        EXPECT_EQ(s->createFont("DejaVu Sans", 0, 16, 400), -2);
        EXPECT_EQ(s->drawText(0, 0, 0xFFFFFF, "W"), -1);
        EXPECT_EQ(s->drawText(0, 0, 0xFFFFFF, ""), 0);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 60; ++x) ASSERT_EQ(s->getPixel(x, y), 0u);
    }
}

// A font whose every line is a solid 4x3 block.
class BlockFont : public TextFont {
public:
    BlockFont() { mask_.ink.assign(12, 1); }
    const TextMask* render(const std::string&) override { return &mask_; }
    int lineHeight() const override { return 3; }

private:
    TextMask mask_{4, 3, {}};
};

// A font handed to drawText is painted only inside the clip rectangle, whatever screen
// the surface has (here none); each clip edge with the block just inside and one over.
TEST(Text, AGivenFontDrawsWithinTheClip) {
    BlockFont block;
    struct Row {
        TextFont* font;
        int x, y;
        const char* text;
        int result, ink;
    } rows[] = {
        {&block, 11, 4, "W", 0, 12},  // right edge: x + 4 == clip right
        {&block, 12, 4, "W", 0, 9},   // one column over
        {&block, 1, 4, "W", 0, 0},    // left edge: x + 4 == clip left
        {&block, 2, 4, "W", 0, 3},    // one column in
        {&block, 8, 5, "W", 0, 12},   // bottom edge: y + 3 == clip bottom
        {&block, 8, 6, "W", 0, 8},    // one row over
        {&block, 8, -1, "W", 0, 0},   // top edge: y + 3 == clip top
        {&block, 8, 0, "W", 0, 4},    // one row in
        {nullptr, 8, 4, "W", -1, 0},  // no font
        {nullptr, 8, 4, "", 0, 0},    // nothing to draw
    };
    for (const Row& row : rows) {
        Surface s;
        ASSERT_EQ(s.create(PixelFormat::ofType(16), 20, 10), 0);
        s.setClipRect({5, 2, 15, 8});
        EXPECT_EQ(s.drawText(row.font, row.x, row.y, 0xFFFFFF, row.text), row.result)
            << row.x << "," << row.y;
        bool other = false;
        EXPECT_EQ(countInk(s, 0, 0xFFFF, &other), row.ink) << row.x << "," << row.y;
        EXPECT_FALSE(other);
    }
}

// A surface of no screen that is given a renderer makes its own font, and the game's
// shorthand then draws with it.
TEST(Text, ARendererGivenMakesTheSurfacesFont) {
    SdlTextRenderer text;
    Surface s;
    ASSERT_EQ(s.create(PixelFormat::ofType(16), 60, 20), 0);
    EXPECT_EQ(s.createFont(nullptr, "", 0, 16, 400), -2);
    EXPECT_EQ(s.drawText(0, 0, 0xFFFFFF, "W"), -1);
    ASSERT_EQ(s.createFont(&text, "", 0, 16, 400), 0);
    EXPECT_EQ(s.drawText(0, 0, 0xFFFFFF, "W"), 0);
    bool other = false;
    EXPECT_GT(countInk(s, 0, 0xFFFF, &other), 5);
}

TEST(Fonts, RegisteredFacesAreFoundByFamilyAndStemAndSizedInPixels) {
    SdlTextRenderer text;
    const std::string path = kFallbackFontPath;
    EXPECT_FALSE(text.hasFace("DejaVu Sans"));
    ASSERT_TRUE(text.registerFontFile(path));
    EXPECT_TRUE(text.hasFace("DejaVu Sans"));
    EXPECT_TRUE(text.hasFace("dejavusans"));
    EXPECT_FALSE(text.hasFace("DejaVu"));
    EXPECT_EQ(text.pathOf("DejaVu Sans"), path);
    EXPECT_EQ(text.pathOf("DEJAVUSANS"), path);
    auto byFamily = text.openFont("DejaVu Sans", 0, 40, 400);
    auto byStem = text.openFont("dejavusans", 0, 40, 400);
    ASSERT_TRUE(byFamily && byStem);
    EXPECT_EQ(byFamily.get(), byStem.get());  // same face and size: shared
    EXPECT_EQ(byFamily->lineHeight(), 40);
    EXPECT_NE(text.openFont("DejaVu Sans", 0, 40, 700), byFamily);  // bold is another font
    EXPECT_TRUE(text.unregisterFontFile(path));
    EXPECT_FALSE(text.unregisterFontFile(path));
    EXPECT_EQ(text.pathOf("DejaVu Sans"), "");
    EXPECT_FALSE(text.hasFace("DejaVu Sans"));
    EXPECT_FALSE(text.registerFontFile("/nonexistent/font.ttf"));
}

// Each renderer keeps its own registrations: nothing is shared through a global.
TEST(Fonts, RegistrationsBelongToTheirRenderer) {
    SdlTextRenderer one, other;
    ASSERT_TRUE(one.registerFontFile(kFallbackFontPath));
    EXPECT_EQ(one.pathOf("DejaVu Sans"), kFallbackFontPath);
    EXPECT_EQ(other.pathOf("DejaVu Sans"), "");
}

// A missing face falls back to the fallback face; a renderer whose fallback file is
// missing too has no font at all.
TEST(Fonts, MissingFacesFallBack) {
    SdlTextRenderer text;
    auto font = text.openFont("no such face", 0, 16, 400);
    ASSERT_TRUE(font);
    EXPECT_EQ(font.get(), text.defaultFont());
    const TextMask* mask = font->render("Hello");
    ASSERT_NE(mask, nullptr);
    EXPECT_GT(mask->width, 10);
    EXPECT_EQ(mask->height, font->lineHeight());
    EXPECT_EQ(font->render(""), nullptr);

    SdlTextRenderer nothing("/nonexistent/fallback.ttf");
    EXPECT_EQ(nothing.openFont("no such face", 0, 16, 400), nullptr);
    EXPECT_EQ(nothing.defaultFont(), nullptr);
}

// A surface may hold its font after the renderer is gone; the font still draws.
TEST(Fonts, AFontOutlivesItsRenderer) {
    std::shared_ptr<TextFont> font;
    {
        SdlTextRenderer text;
        font = text.openFont("", 0, 20, 400);
    }
    ASSERT_TRUE(font);
    EXPECT_NE(font->render("still here"), nullptr);
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
