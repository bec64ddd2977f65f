// Screen set-up, presenting, the frame counter and fades, on the null display with the
// virtual clock it is given.
#include "platform/screen.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/clock.h"
#include "platform/null_display.h"
#include "platform/sdl/sdl_text_renderer.h"

namespace {

// A screen whose every show advances the virtual clock by `frameMillis`, and which
// records the top-left pixel of every frame shown.
struct ScreenRig {
    VirtualClock clock;
    SdlTextRenderer text;
    uint64_t frameMillis = 10;
    std::unique_ptr<Screen> screen;
    std::vector<uint32_t> shown;

    explicit ScreenRig(int bits = 16) {
        auto display = std::make_unique<NullDisplay>();
        NullDisplay* raw = display.get();
        screen = std::make_unique<Screen>(std::move(display), clock, &text);
        raw->setOnShow([this] {
            clock.advanceMillis(frameMillis);
            shown.push_back(screen->back().getPixel(0, 0));
        });
        EXPECT_EQ(screen->createFullScreen(640, 480, bits, 0), 0);
    }
};

TEST(Screen, ModesAndSetUp) {
    VirtualClock clock;
    Screen screen(std::make_unique<NullDisplay>(), clock);
    EXPECT_TRUE(screen.hasMode(640, 480, 16));
    EXPECT_TRUE(screen.hasMode(640, 480, 15));
    EXPECT_FALSE(screen.hasMode(640, 480, 32));
    EXPECT_LT(screen.present(Present::Wait), 0);  // nothing to present before a mode is set
    EXPECT_EQ(screen.createFullScreen(640, 480, 32, 0), kDisplayModeNotSet);
    EXPECT_EQ(screen.createFullScreen(640, 480, 15, 0), 0);
    EXPECT_EQ(screen.format().type, 15);
    EXPECT_EQ(screen.back().format().type, 15);
    EXPECT_EQ(screen.back().width(), 640);
    EXPECT_EQ(screen.createFullScreen(640, 480, 16, 0), kDisplayNoService);  // only once

    Screen none(nullptr, clock);
    EXPECT_EQ(none.createWindowed(640, 480), kDisplayNoService);
}

TEST(Screen, SurfacesTakeTheScreensFormatAndSerials) {
    ScreenRig rig(15);
    Surface a, b;
    ASSERT_EQ(a.create(rig.screen.get(), 10, 10, kPlacementAny), 0);
    ASSERT_EQ(b.create(rig.screen.get(), 10, 10, kPlacementAny), 0);
    EXPECT_EQ(a.format().type, 15);
    EXPECT_EQ(a.serial(), 1);
    EXPECT_EQ(b.serial(), 2);
}

TEST(Screen, FrontHoldsWhatWasPresentedAndBackKeepsItsContent) {
    ScreenRig rig;
    rig.screen->back().fill(0x1234);
    EXPECT_EQ(rig.screen->present(Present::Wait), 0);
    EXPECT_EQ(rig.screen->front().getPixel(100, 100), 0x1234u);
    EXPECT_EQ(rig.screen->back().getPixel(100, 100), 0x1234u);
    rig.screen->back().fill(0x4321);
    EXPECT_EQ(rig.screen->front().getPixel(100, 100), 0x1234u);
}

TEST(Screen, FirstFpsFigureComesAfterMoreThanASecond) {
    ScreenRig rig;
    for (int i = 0; i < 100; ++i) {
        rig.clock.advanceMillis(10);
        rig.frameMillis = 0;
        rig.screen->present(Present::Wait);
    }
    EXPECT_EQ(rig.screen->lastFps(), 0);  // exactly 1000 ms so far
    rig.clock.advanceMillis(10);
    rig.screen->present(Present::Wait);
    EXPECT_EQ(rig.screen->lastFps(), 100 * 1000 / 1010);
}

TEST(Screen, ShowFpsDrawsTheFigureInItsColour) {
    ScreenRig rig;
    rig.screen->back().fill(0);
    rig.screen->present(Present::Wait | Present::ShowFps);
    const uint32_t colour = rig.screen->format().map(240, 255, 0);
    int inked = 0;
    for (int y = 15; y < 50; ++y)
        for (int x = 5; x < 120; ++x) {
            uint32_t p = rig.screen->back().getPixel(x, y);
            if (p) {
                ++inked;
                EXPECT_EQ(p, colour);
            }
        }
    EXPECT_GT(inked, 20);
}

TEST(ScreenFade, SpeedFiveHundredAtTenMillisecondsPerFrame) {
    ScreenRig rig;
    rig.screen->back().fill(0xFFFF);
    rig.screen->present(Present::Wait);
    rig.shown.clear();
    EXPECT_EQ(rig.screen->fadeOut(500), 0);
    // (500 + 1) / 10 = 50 -> 10 level units a frame: 26 faded frames, then black.
    ASSERT_EQ(rig.shown.size(), 27u);
    EXPECT_EQ(rig.shown.front(), 0xFFFFu);  // level 256 first
    EXPECT_EQ(rig.shown[1],
              PixelFormat::ofType(16).map(0, 0, 0) |
                  ((31u * 246 >> 8) << 11 | (63u * 246 >> 8) << 5 | (31u * 246 >> 8)));
    EXPECT_EQ(rig.shown.back(), 0u);

    // fadeIn restores the picture that was on the back surface.
    rig.screen->back().fill(0x07E0);
    rig.shown.clear();
    EXPECT_EQ(rig.screen->fadeIn(500), 0);
    ASSERT_EQ(rig.shown.size(), 1u + 26u + 1u);
    EXPECT_EQ(rig.shown[0], 0u);
    EXPECT_EQ(rig.shown[1], 0u);  // level 0
    EXPECT_EQ(rig.shown.back(), 0x07E0u);
    EXPECT_EQ(rig.screen->back().getPixel(639, 479), 0x07E0u);
}

TEST(ScreenFade, StepRuleLimits) {
    {
        // A clock that never moves: the smallest step (2), so the fade still ends.
        ScreenRig rig;
        rig.frameMillis = 0;
        rig.screen->fadeOut(500);
        EXPECT_EQ(rig.shown.size(), 128u + 1u);
    }
    {
        // Very slow frames: one frame goes all the way (512 units).
        ScreenRig rig;
        rig.frameMillis = 1000;
        rig.screen->fadeIn(0);
        EXPECT_EQ(rig.shown.size(), 1u + 1u + 1u);
    }
}

TEST(Screen, PresentOptionsReachTheDisplay) {
    struct Recorder : NullDisplay {
        std::vector<std::pair<bool, bool>> shows;
        int show(const Surface& back, bool wait, bool whole) override {
            shows.emplace_back(wait, whole);
            return NullDisplay::show(back, wait, whole);
        }
    };
    VirtualClock clock;
    auto owned = std::make_unique<Recorder>();
    Recorder& display = *owned;
    Screen screen(std::move(owned), clock);
    ASSERT_EQ(screen.createWindowed(640, 480), 0);
    screen.present(Present::NoWait);
    screen.present(Present::Wait);
    screen.present(Present::NoWait | Present::Whole);
    screen.present(Present::Wait | Present::Whole | Present::ShowFps);
    EXPECT_EQ(display.shows, (std::vector<std::pair<bool, bool>>{
                                 {false, false}, {true, false}, {false, true}, {true, true}}));
}

TEST(Screen, WithoutATextRendererTheFpsFigureIsLeftOut) {
    VirtualClock clock;
    Screen screen(std::make_unique<NullDisplay>(), clock);
    ASSERT_EQ(screen.createFullScreen(640, 480, 16, 0), 0);
    screen.back().fill(0);
    EXPECT_EQ(screen.present(Present::Wait | Present::ShowFps), 0);
    for (int y = 15; y < 50; ++y)
        for (int x = 5; x < 120; ++x) ASSERT_EQ(screen.back().getPixel(x, y), 0u);
}

// Two screens on two clocks keep separate time: nothing is shared through a global.
TEST(Screen, EachScreenReadsItsOwnClock) {
    ScreenRig fast, slow;
    fast.frameMillis = 0;
    slow.frameMillis = 0;
    for (int i = 0; i < 11; ++i) {
        fast.clock.advanceMillis(100);
        fast.screen->present(Present::Wait);
        slow.screen->present(Present::Wait);
    }
    EXPECT_EQ(fast.screen->lastFps(), 10 * 1000 / 1100);
    EXPECT_EQ(slow.screen->lastFps(), 0);
}

}  // namespace
