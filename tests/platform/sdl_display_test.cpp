// The SDL display on the dummy video driver: windows open, frames reach the renderer.
#include "platform/sdl/sdl_display.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

uint32_t renderedPixel(SdlDisplay& display, int x, int y) {
    SDL_Rect r{x, y, 1, 1};
    uint32_t pixel = 0;
    SDL_RenderReadPixels(display.renderer(), &r, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
    return pixel & 0xFFFFFF;
}

TEST(SdlDisplay, WindowedFramesReachTheRenderer) {
    VirtualClock clock;
    auto owned = std::make_unique<SdlDisplay>();
    SdlDisplay& display = *owned;
    Screen screen(std::move(owned), clock);
    ASSERT_TRUE(screen.hasMode(640, 480, 16));
    ASSERT_EQ(screen.createWindowed(640, 480), 0);
    ASSERT_NE(display.window(), nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(display.window()), "Vorlen");
    EXPECT_NE(display.windowId(), 0u);

    screen.back().fill(0xF800);  // red
    screen.back().putPixel(5, 5, 0x001F);
    EXPECT_EQ(screen.present(Present::Wait | Present::Whole), 0);
    EXPECT_EQ(renderedPixel(display, 100, 100), 0xFF0000u);
    EXPECT_EQ(renderedPixel(display, 5, 5), 0x0000FFu);
    EXPECT_EQ(screen.present(Present::NoWait | Present::ShowFps), 0);
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
    screen.back().fill(0x03E0);  // green in 5-5-5
    EXPECT_EQ(screen.present(Present::Wait), 0);
    EXPECT_EQ(screen.createFullScreen(640, 480, 15, 0), kDisplayNoService);
    display.releaseForMessage();
}

}  // namespace
