#include <gtest/gtest.h>

#include "support/engine_test.h"

namespace {

class WindowProcedure : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        addInput();
    }
};

TEST_F(WindowProcedure, EscapeInPlayShowsTheEndingAndAnyKeyThereCloses) {
    engine->handleWindowEvent({WindowEvent::KeyDown, 'a'});
    EXPECT_EQ(g().mode, Play);
    engine->handleWindowEvent({WindowEvent::KeyDown, 27});
    EXPECT_EQ(g().mode, Ending);
    int code = -1;
    EXPECT_FALSE(engine->pumpMessages(code));  // the Escape itself does not close
    engine->handleWindowEvent({WindowEvent::KeyDown, 27});
    EXPECT_TRUE(engine->pumpMessages(code));
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(EngineTestAccess::isShutDown(*engine));
    EXPECT_FALSE(g().screen);
    EXPECT_FALSE(g().input);
}

TEST_F(WindowProcedure, EscapeOnTheSaveOrLoadPageDoesNothing) {
    for (int mode : {SaveScreen, LoadScreen}) {
        g().mode = mode;
        engine->handleWindowEvent({WindowEvent::KeyDown, 27});
        EXPECT_EQ(g().mode, mode);
        EXPECT_FALSE(events->quitPosted());
    }
}

TEST_F(WindowProcedure, CharactersReachTheConsoleOnlyWhenItIsShownInPlay) {
    engine->handleWindowEvent({WindowEvent::Character, 'x'});
    EXPECT_EQ(g().console.typedChar, 0);
    g().console.visible = true;
    engine->handleWindowEvent({WindowEvent::Character, 'y'});
    EXPECT_EQ(g().console.typedChar, 'y');
    g().console.typedChar = 0;
    g().mode = Ending;
    engine->handleWindowEvent({WindowEvent::Character, 'z'});
    EXPECT_EQ(g().console.typedChar, 0);
}

TEST_F(WindowProcedure, ActivationStopsFramesOnlyInTheFullScreenBuild) {
    engine->handleWindowEvent({WindowEvent::Activate, 0});
    EXPECT_EQ(g().appActive, 0);
    engine->handleWindowEvent({WindowEvent::Activate, 1});
    EXPECT_EQ(g().appActive, 1);
    g().windowed = true;
    engine->handleWindowEvent({WindowEvent::Activate, 0});
    EXPECT_EQ(g().appActive, 1);
}

TEST_F(WindowProcedure, MouseMovesAndWindowMovesAreRecorded) {
    WindowEvent move{WindowEvent::MouseMove};
    move.x = 123;
    move.y = 456;
    engine->handleWindowEvent(move);
    EXPECT_EQ(g().realMouseX, 123);
    EXPECT_EQ(g().realMouseY, 456);
    engine->handleWindowEvent({WindowEvent::ExitMove});
    EXPECT_EQ(g().console.lines.back(), " 1: Window Moved");
}

TEST_F(WindowProcedure, FrameRateIsTheCountOfTheLastFullSecond) {
    g().windowed = true;
    g().frameTimer.start();
    // 10 ms frames for the first second, then 4 ms frames.
    for (int i = 0; i <= 100; ++i) {
        EngineTestAccess::frames(*engine).play(0, 0);
        clock().advanceMillis(i < 100 ? 10 : 4);
    }
    EXPECT_EQ(g().fps, 101);  // the frame at the full second closes its period
    for (int i = 0; i < 250; ++i) {
        EngineTestAccess::frames(*engine).play(0, 0);
        clock().advanceMillis(4);
    }
    EXPECT_EQ(g().fps, 250);
    EXPECT_EQ(g().framesThisPeriod, 0);
}

}  // namespace

namespace {

// Entering a window move turns the back buffer's picture grey; leaving it says so.
TEST_F(WindowProcedure, AWindowMoveGreysThePictureAndIsReported) {
    addScreen();
    Surface& back = g().screen->back();
    back.fill(back.format().map(200, 40, 40));
    back.putPixel(5, 5, back.format().map(0, 0, 255));
    engine->handleWindowEvent({WindowEvent::EnterMove});
    for (auto [x, y] : {std::pair{100, 100}, {5, 5}, {639, 479}}) {
        uint32_t p = back.getPixel(x, y);
        const PixelFormat& f = back.format();
        int r = (p >> f.redShift) & f.redMask, gr = (p >> f.greenShift) & f.greenMask,
            b = (p >> f.blueShift) & f.blueMask;
        // 5-6-5: green has one bit more than red and blue.
        EXPECT_NEAR(r, gr >> 1, 1) << x << "," << y;
        EXPECT_NEAR(b, gr >> 1, 1) << x << "," << y;
    }
    EXPECT_NE(back.getPixel(5, 5), back.getPixel(100, 100));  // still a picture, in grey
    engine->handleWindowEvent({WindowEvent::ExitMove});
    EXPECT_EQ(texts().back(), "Window Moved");
}

}  // namespace
