#include "media/frame_animation.h"

#include "sheet_fixture.h"

namespace {

class FrameAnimationTest : public SheetFixture {
protected:
    // Draws once at (0, 0), then `ms` pass; the frame index shown.
    int step(FrameAnimation& anim, int ms = 10) {
        clearBack();
        anim.draw(0, 0, g().screen->back(), DrawMode::Keyed);
        clock().advanceMillis(ms);
        return anim.current();
    }
    static AnimationSettings sheet(int frames, uint16_t delay, bool looping, bool reverse,
                                   int frameSize = 64) {
        AnimationSettings settings;
        settings.frameWidth = settings.frameHeight = frameSize;
        settings.frameCount = frames;
        settings.frameDelay = delay;
        settings.looping = looping;
        settings.reverse = reverse;
        settings.depth = 1;
        return settings;
    }
    int load(FrameAnimation& anim, const char* file, int frames, uint16_t delay, bool looping,
             bool reverse, int frameSize = 64) {
        return anim.load(g().screen.get(), path(file),
                         sheet(frames, delay, looping, reverse, frameSize));
    }
};

TEST_F(FrameAnimationTest, FramesAreReadLeftToRightThenTopToBottom) {
    writeSheet("strip.bmp", 6);
    FrameAnimation strip;
    ASSERT_EQ(load(strip, "strip.bmp", 0, 10, false, false), 1);
    ASSERT_EQ(strip.frameCount(), 6);
    EXPECT_EQ(strip.frameRects()[5].left, 320);
    EXPECT_EQ(strip.frameRects()[5].bottom, 64);

    writeSheet("grid.bmp", 6, 3);
    FrameAnimation grid;
    ASSERT_EQ(load(grid, "grid.bmp", 5, 10, false, false), 1);
    ASSERT_EQ(grid.frameCount(), 5);
    EXPECT_EQ(grid.frameRects()[2].left, 128);
    EXPECT_EQ(grid.frameRects()[3].left, 0);
    EXPECT_EQ(grid.frameRects()[3].top, 64);
    EXPECT_EQ(grid.frameRects()[4].right, 128);
    EXPECT_EQ(grid.getDepth(), 1);
}

TEST_F(FrameAnimationTest, ANonLoopingAnimationStopsOnItsLastFrame) {
    writeSheet("s.bmp", 6);
    FrameAnimation forward, backward;
    load(forward, "s.bmp", 6, 0, false, false);
    load(backward, "s.bmp", 6, 0, false, true);
    std::vector<int> f, b;
    for (int i = 0; i < 8; ++i) {
        f.push_back(step(forward, 0));
        b.push_back(step(backward, 0));
    }
    EXPECT_EQ(f, (std::vector<int>{1, 2, 3, 4, 5, 5, 5, 5}));
    EXPECT_EQ(b, (std::vector<int>{4, 3, 2, 1, 0, 0, 0, 0}));
    EXPECT_TRUE(forward.isFinished());
    EXPECT_TRUE(backward.isFinished());
}

TEST_F(FrameAnimationTest, ALoopingAnimationWrapsBothWays) {
    writeSheet("s.bmp", 3);
    FrameAnimation forward, backward;
    load(forward, "s.bmp", 3, 0, true, false);
    load(backward, "s.bmp", 3, 0, true, true);
    std::vector<int> f, b;
    for (int i = 0; i < 5; ++i) {
        f.push_back(step(forward, 0));
        b.push_back(step(backward, 0));
    }
    EXPECT_EQ(f, (std::vector<int>{1, 2, 0, 1, 2}));
    EXPECT_EQ(b, (std::vector<int>{1, 0, 2, 1, 0}));
    EXPECT_FALSE(forward.isFinished());
}

TEST_F(FrameAnimationTest, EachFrameStaysForItsDelay) {
    writeSheet("s.bmp", 6);
    FrameAnimation anim;
    load(anim, "s.bmp", 6, 25, true, false);
    std::vector<int> shown;
    for (int i = 0; i < 9; ++i) shown.push_back(step(anim));
    // Drawn every 10 ms, a 25 ms frame shows for three draws.
    EXPECT_EQ(shown, (std::vector<int>{0, 0, 0, 1, 1, 1, 2, 2, 2}));
}

// Steps follow the clock of the screen the sheet was loaded with, and no other.
TEST_F(FrameAnimationTest, StepsFollowTheLoadingScreensClock) {
    writeSheet("s.bmp", 6);
    VirtualClock own;
    Screen other(std::make_unique<NullDisplay>(), own, nullptr, pictures());
    ASSERT_EQ(other.createWindowed(640, 480), 0);
    FrameAnimation anim;
    ASSERT_EQ(anim.load(&other, path("s.bmp"), sheet(6, 25, true, false)), 1);
    Surface& back = g().screen->back();
    anim.draw(0, 0, back, DrawMode::Keyed);
    clock().advanceMillis(100);  // the fixture's screen's clock
    anim.draw(0, 0, back, DrawMode::Keyed);
    EXPECT_EQ(anim.current(), 0);
    own.advanceMillis(25);
    anim.draw(0, 0, back, DrawMode::Keyed);
    EXPECT_EQ(anim.current(), 1);
}

TEST_F(FrameAnimationTest, KeyedDrawingSkipsTheKeyColour) {
    writeSheet("s.bmp", 2);
    FrameAnimation anim;
    load(anim, "s.bmp", 2, 100, true, false);
    Surface& back = g().screen->back();
    back.fill(0x1234);
    anim.drawFrame(10, 10, 1, back, DrawMode::Keyed);
    EXPECT_EQ(back.getPixel(10, 10), 0x1234u);  // the frame's key pixel
    EXPECT_EQ(frameShownAt(11, 11), 1);
    anim.drawFrame(10, 10, 0, back, DrawMode::Plain);  // a plain copy keeps the key pixel
    EXPECT_NE(back.getPixel(10, 10), 0x1234u);
    back.fill(0x1234);
    for (int unnamed : {7, 1, 99, 101, 112, -1}) {  // numbers without a mode draw nothing
        anim.drawFrame(10, 10, 1, back, drawModeOf(unnamed));
        EXPECT_EQ(back.getPixel(11, 11), 0x1234u) << unnamed;
    }
    EXPECT_EQ(drawModeOf(100), DrawMode::Keyed);
}

TEST_F(FrameAnimationTest, UnusableSheetsHaveNoFramesAndDrawNothing) {
    writeSheet("small.bmp", 1);
    FrameAnimation missing, tooBig, zero, neverLoaded;
    EXPECT_EQ(load(missing, "nothing-here.bmp", 6, 10, true, false), 0);
    EXPECT_EQ(load(tooBig, "small.bmp", 0, 10, true, false, 128), 0);
    EXPECT_EQ(load(zero, "small.bmp", 0, 10, true, false, 0), 0);
    EXPECT_EQ(missing.load(nullptr, "", sheet(1, 10, true, false)), 0);
    // A stored picture would load without a screen, but there is no clock to play it on.
    FrameAnimation noScreen;
    EXPECT_EQ(noScreen.load(nullptr, "pointidle.bmp", sheet(1, 10, true, false)), 0);
    EXPECT_EQ(noScreen.frameCount(), 0);
    Surface& back = g().screen->back();
    for (FrameAnimation* anim : {&missing, &tooBig, &zero, &neverLoaded}) {
        back.fill(0x1234);
        EXPECT_EQ(anim->frameCount(), 0);
        anim->draw(0, 0, back, DrawMode::Keyed);
        anim->drawFrame(0, 0, 3, back, DrawMode::Plain);
        anim->drawAtOwnPosition(back, DrawMode::Plain);
        EXPECT_EQ(back.getPixel(1, 1), 0x1234u);
    }
}

TEST_F(FrameAnimationTest, MoreFramesThanTheSheetHoldsAreNotDrawnFromOutsideIt) {
    writeSheet("s.bmp", 2);
    FrameAnimation anim;
    ASSERT_EQ(load(anim, "s.bmp", 1000000000, 10, true, false), 1);
    EXPECT_EQ(anim.frameCount(), 2);
    Surface& back = g().screen->back();
    back.fill(0x1234);
    anim.drawFrame(0, 0, 5, back, DrawMode::Plain);
    anim.drawFrame(0, 0, -1, back, DrawMode::Plain);
    EXPECT_EQ(back.getPixel(1, 1), 0x1234u);
}

TEST_F(FrameAnimationTest, NamedAnimationsDrawAtTheirOwnPosition) {
    writeSheet("s.bmp", 2);
    FrameAnimation anim;
    AnimationSettings settings = sheet(0, 10, true, false);
    settings.depth = 3;
    ASSERT_EQ(anim.loadNamed("bird", 200, 150, g().screen.get(), path("s.bmp"), settings), 1);
    EXPECT_EQ(anim.getName(), "bird");
    EXPECT_EQ(anim.getDepth(), 3);
    clearBack();
    anim.drawAtOwnPosition(g().screen->back(), DrawMode::Plain);
    EXPECT_EQ(frameShownAt(210, 160), 0);
    EXPECT_EQ(frameShownAt(190, 160), -1);
}

}  // namespace
