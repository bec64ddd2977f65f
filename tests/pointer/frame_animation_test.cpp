#include "media/frame_animation.h"

#include "sheet_fixture.h"

namespace {

class FrameAnimationTest : public SheetFixture {
protected:
    // Draws once at (0, 0), then `ms` pass; the frame index shown.
    int step(FrameAnimation& anim, int ms = 10) {
        clearBack();
        anim.draw(0, 0, g().screen->back(), 100);
        clock().advanceMillis(ms);
        return anim.current();
    }
    int load(FrameAnimation& anim, const char* file, int frames, uint16_t delay, int looping,
             int reverse, int frameSize = 64) {
        return anim.load(g().screen.get(), path(file), frameSize, frameSize, frames, delay,
                         static_cast<uint8_t>(looping), static_cast<uint8_t>(reverse), 1,
                         kPlacementAny);
    }
};

TEST_F(FrameAnimationTest, FramesAreReadLeftToRightThenTopToBottom) {
    writeSheet("strip.bmp", 6);
    FrameAnimation strip;
    ASSERT_EQ(load(strip, "strip.bmp", 0, 10, 0, 0), 1);
    ASSERT_EQ(strip.frameCount(), 6);
    EXPECT_EQ(strip.frameRects()[5].left, 320);
    EXPECT_EQ(strip.frameRects()[5].bottom, 64);

    writeSheet("grid.bmp", 6, 3);
    FrameAnimation grid;
    ASSERT_EQ(load(grid, "grid.bmp", 5, 10, 0, 0), 1);
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
    load(forward, "s.bmp", 6, 0, 0, 0);
    load(backward, "s.bmp", 6, 0, 0, 1);
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
    load(forward, "s.bmp", 3, 0, 1, 0);
    load(backward, "s.bmp", 3, 0, 1, 1);
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
    load(anim, "s.bmp", 6, 25, 1, 0);
    std::vector<int> shown;
    for (int i = 0; i < 9; ++i) shown.push_back(step(anim));
    // Drawn every 10 ms, a 25 ms frame shows for three draws.
    EXPECT_EQ(shown, (std::vector<int>{0, 0, 0, 1, 1, 1, 2, 2, 2}));
}

TEST_F(FrameAnimationTest, KeyedDrawingSkipsTheKeyColour) {
    writeSheet("s.bmp", 2);
    FrameAnimation anim;
    load(anim, "s.bmp", 2, 100, 1, 0);
    Surface& back = g().screen->back();
    back.fill(0x1234);
    anim.drawFrame(10, 10, 1, back, 100);
    EXPECT_EQ(back.getPixel(10, 10), 0x1234u);  // the frame's key pixel
    EXPECT_EQ(frameShownAt(11, 11), 1);
    anim.drawFrame(10, 10, 0, back, 0);  // a plain copy keeps the key pixel
    EXPECT_NE(back.getPixel(10, 10), 0x1234u);
    back.fill(0x1234);
    anim.drawFrame(10, 10, 1, back, 7);  // an unknown mode draws nothing
    EXPECT_EQ(back.getPixel(11, 11), 0x1234u);
}

TEST_F(FrameAnimationTest, UnusableSheetsHaveNoFramesAndDrawNothing) {
    writeSheet("small.bmp", 1);
    FrameAnimation missing, tooBig, zero, neverLoaded;
    EXPECT_EQ(load(missing, "nothing-here.bmp", 6, 10, 1, 0), 0);
    EXPECT_EQ(load(tooBig, "small.bmp", 0, 10, 1, 0, 128), 0);
    EXPECT_EQ(load(zero, "small.bmp", 0, 10, 1, 0, 0), 0);
    EXPECT_EQ(missing.load(nullptr, "", 64, 64, 1, 10, 1, 0, 1, kPlacementAny), 0);
    Surface& back = g().screen->back();
    for (FrameAnimation* anim : {&missing, &tooBig, &zero, &neverLoaded}) {
        back.fill(0x1234);
        EXPECT_EQ(anim->frameCount(), 0);
        anim->draw(0, 0, back, 100);
        anim->drawFrame(0, 0, 3, back, 0);
        anim->drawAtOwnPosition(back, 0);
        EXPECT_EQ(back.getPixel(1, 1), 0x1234u);
    }
}

TEST_F(FrameAnimationTest, MoreFramesThanTheSheetHoldsAreNotDrawnFromOutsideIt) {
    writeSheet("s.bmp", 2);
    FrameAnimation anim;
    ASSERT_EQ(load(anim, "s.bmp", 1000000000, 10, 1, 0), 1);
    EXPECT_EQ(anim.frameCount(), 2);
    Surface& back = g().screen->back();
    back.fill(0x1234);
    anim.drawFrame(0, 0, 5, back, 0);
    anim.drawFrame(0, 0, -1, back, 0);
    EXPECT_EQ(back.getPixel(1, 1), 0x1234u);
}

TEST_F(FrameAnimationTest, NamedAnimationsDrawAtTheirOwnPosition) {
    writeSheet("s.bmp", 2);
    FrameAnimation anim;
    ASSERT_EQ(anim.loadNamed("bird", 200, 150, g().screen.get(), path("s.bmp"), 64, 64, 0, 10, 1, 0,
                             3, kPlacementAny),
              1);
    EXPECT_EQ(anim.getName(), "bird");
    EXPECT_EQ(anim.getDepth(), 3);
    clearBack();
    anim.drawAtOwnPosition(g().screen->back(), 0);
    EXPECT_EQ(frameShownAt(210, 160), 0);
    EXPECT_EQ(frameShownAt(190, 160), -1);
}

}  // namespace
