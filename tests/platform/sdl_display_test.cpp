// The SDL display on the dummy video driver: windows open at a whole multiple of the
// picture, frames reach the window's pixels at any window size between black bars, frames
// the same as the last are not drawn again, Alt+Enter's switch, and mouse positions.
#include "platform/sdl/sdl_display.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

uint32_t shownPixel(SdlDisplay& display, int x, int y) {
    SDL_Surface* s = SDL_GetWindowSurface(display.window());
    if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h) return 0xDEADBEEF;
    uint32_t raw = 0;
    std::memcpy(&raw, static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * 4, 4);
    uint8_t r, g, b;
    SDL_GetRGB(raw, s->format, &r, &g, &b);
    return static_cast<uint32_t>(r) << 16 | g << 8 | b;
}

// Pumps SDL's queue so the display sees the window's events (resizes).
void pump() {
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

struct WindowRig {
    VirtualClock clock;
    SdlDisplay* display = nullptr;
    std::unique_ptr<Screen> screen;
    explicit WindowRig(std::shared_ptr<SdlDisplayLink> link = nullptr) {
        auto owned = std::make_unique<SdlDisplay>(std::move(link));
        display = owned.get();
        screen = std::make_unique<Screen>(std::move(owned), clock);
    }
    void resize(int w, int h) {
        SDL_SetWindowSize(display->window(), w, h);
        pump();
    }
};

TEST(SdlDisplay, WindowedFramesReachTheWindow) {
    WindowRig rig;
    Screen& screen = *rig.screen;
    SdlDisplay& display = *rig.display;
    ASSERT_TRUE(screen.hasMode(640, 480, 16));
    ASSERT_EQ(screen.createWindowed(640, 480), 0);
    ASSERT_NE(display.window(), nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(display.window()), "Vorlen");
    EXPECT_NE(display.windowId(), 0u);
    // The dummy desktop is 1024x768: 2x would not fit within 90 % of it.
    int w = 0, h = 0;
    SDL_GetWindowSize(display.window(), &w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    EXPECT_NE(SDL_GetWindowFlags(display.window()) & SDL_WINDOW_RESIZABLE, 0u);

    screen.back().fill(0xF800);  // red
    screen.back().putPixel(5, 5, 0x001F);
    EXPECT_EQ(screen.present(Present::Wait | Present::Whole), 0);
    EXPECT_EQ(shownPixel(display, 100, 100), 0xFF0000u);
    EXPECT_EQ(shownPixel(display, 5, 5), 0x0000FFu);
    EXPECT_EQ(screen.present(Present::NoWait | Present::ShowFps), 0);
}

TEST(SdlDisplay, ScaledWindowsRepeatPixelsAtMultiplesAndKeepTheShapeBetweenBars) {
    WindowRig rig;
    ASSERT_EQ(rig.screen->createWindowed(640, 480), 0);
    SdlDisplay& display = *rig.display;
    Surface& back = rig.screen->back();
    back.fill(0x07E0);  // green
    back.putPixel(10, 20, 0xFFFF);

    rig.resize(1280, 960);
    ASSERT_EQ(rig.screen->present(Present::NoWait), 0);
    EXPECT_EQ(display.pictureFit().scale, 2);
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) EXPECT_EQ(shownPixel(display, 20 + dx, 40 + dy), 0xFFFFFFu);
    EXPECT_EQ(shownPixel(display, 22, 40), 0x00FF00u);
    EXPECT_EQ(shownPixel(display, 1279, 959), 0x00FF00u);

    // 1000x600: the picture 800x600 in the middle, black bars of 100 at each side.
    rig.resize(1000, 600);
    ASSERT_EQ(rig.screen->present(Present::NoWait), 0);
    const PictureFit& fit = display.pictureFit();
    EXPECT_EQ(fit.x, 100);
    EXPECT_EQ(fit.width, 800);
    EXPECT_EQ(fit.scale, 0);
    EXPECT_EQ(shownPixel(display, 99, 300), 0x000000u);
    EXPECT_EQ(shownPixel(display, 900, 300), 0x000000u);
    EXPECT_EQ(shownPixel(display, 100, 300), 0x00FF00u);
    EXPECT_EQ(shownPixel(display, 899, 300), 0x00FF00u);
}

TEST(SdlDisplay, UnchangedFramesAreOnlyPacedAndChangedRowsAreDrawn) {
    WindowRig rig;
    ASSERT_EQ(rig.screen->createWindowed(640, 480), 0);
    SdlDisplay& display = *rig.display;
    Surface& back = rig.screen->back();
    back.fill(0x001F);
    rig.screen->present(Present::NoWait);
    const uint64_t drawn = display.framesDrawn();
    EXPECT_EQ(display.framesUnchanged(), 0u);
    for (int i = 0; i < 3; ++i) rig.screen->present(Present::NoWait | Present::Whole);
    EXPECT_EQ(display.framesDrawn(), drawn);
    EXPECT_EQ(display.framesUnchanged(), 3u);
    // Every frame still counts for the frame-rate figure.
    back.putPixel(320, 479, 0xF800);
    rig.screen->present(Present::NoWait);
    EXPECT_EQ(display.framesDrawn(), drawn + 1);
    EXPECT_EQ(shownPixel(display, 320, 479), 0xFF0000u);
    // Anything that may have spoilt the window's content draws the frame again.
    rig.resize(640, 480);
    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    exposed.window.windowID = display.windowId();
    SDL_PushEvent(&exposed);
    pump();
    rig.screen->present(Present::NoWait);
    EXPECT_EQ(display.framesDrawn(), drawn + 2);
    EXPECT_EQ(display.framesUnchanged(), 3u);
}

TEST(SdlDisplay, FullScreenSwitchesBackAndForth) {
    WindowRig rig;
    ASSERT_EQ(rig.screen->createWindowed(640, 480), 0);
    SdlDisplay& display = *rig.display;
    EXPECT_FALSE(display.showsFullScreen());
    display.toggleFullScreen();
    EXPECT_TRUE(display.showsFullScreen());
    rig.screen->back().fill(0xFFFF);
    EXPECT_EQ(rig.screen->present(Present::NoWait), 0);
    display.toggleFullScreen();
    EXPECT_FALSE(display.showsFullScreen());
    int w = 0, h = 0;
    SDL_GetWindowSize(display.window(), &w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    EXPECT_EQ(rig.screen->present(Present::NoWait), 0);
    EXPECT_EQ(shownPixel(display, 639, 479), 0xFFFFFFu);
}

TEST(SdlDisplay, MousePositionsBecomePicturePixels) {
    auto link = std::make_shared<SdlDisplayLink>();
    {
        WindowRig rig(link);
        EXPECT_EQ(link->display, rig.display);
        ASSERT_EQ(rig.screen->createWindowed(640, 480), 0);
        rig.resize(1280, 960);
        rig.screen->present(Present::NoWait);
        int x = -1, y = -1;
        rig.display->windowToPicture(641, 959, x, y);
        EXPECT_EQ(x, 320);
        EXPECT_EQ(y, 479);
        // Before the next frame is drawn the new size already counts.
        rig.resize(1000, 600);
        rig.display->windowToPicture(475, 312, x, y);
        EXPECT_EQ(x, 300);
        EXPECT_EQ(y, 250);
        rig.display->windowToPicture(20, 20, x, y);
        EXPECT_EQ(x, 0);
    }
    EXPECT_EQ(link->display, nullptr);  // gone with the display
}

TEST(SdlDisplay, FullScreenFifteenBitAndIcon) {
    VirtualClock clock;
    auto owned = std::make_unique<SdlDisplay>();
    SdlDisplay& display = *owned;
    Surface icon;
    ASSERT_EQ(icon.create(PixelFormat::ofType(16), 32, 32), 0);
    icon.fill(0x07E0);
    display.setIcon(icon);  // kept until the window exists
    Screen screen(std::move(owned), clock);
    ASSERT_EQ(screen.createFullScreen(640, 480, 15, 0), 0);
    EXPECT_TRUE(display.showsFullScreen());
    screen.back().fill(0x03E0);  // green in 5-5-5
    EXPECT_EQ(screen.present(Present::Wait), 0);
    const PictureFit& fit = display.pictureFit();
    EXPECT_EQ(shownPixel(display, fit.x + fit.width / 2, fit.y + fit.height / 2), 0x00FF00u);
    EXPECT_EQ(screen.createFullScreen(640, 480, 15, 0), kDisplayNoService);
    display.releaseForMessage();
    EXPECT_FALSE(display.showsFullScreen());
}

TEST(SdlDisplay, ForeignBackBuffersAreRefused) {
    WindowRig rig;
    ASSERT_EQ(rig.screen->createWindowed(640, 480), 0);
    Surface other;
    ASSERT_EQ(other.create(PixelFormat::ofType(16), 320, 240), 0);
    EXPECT_EQ(rig.display->show(other, false, true), kDisplayIncompatibleFormats);
    Surface fifteen;
    ASSERT_EQ(fifteen.create(PixelFormat::ofType(15), 640, 480), 0);
    EXPECT_EQ(rig.display->show(fifteen, false, true), kDisplayIncompatibleFormats);
}

}  // namespace
