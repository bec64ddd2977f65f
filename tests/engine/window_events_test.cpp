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
    EXPECT_TRUE(engine->isShutDown());
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
        engine->playFrame(0, 0);
        clock().advanceMillis(i < 100 ? 10 : 4);
    }
    EXPECT_EQ(g().fps, 101);  // the frame at the full second closes its period
    for (int i = 0; i < 250; ++i) {
        engine->playFrame(0, 0);
        clock().advanceMillis(4);
    }
    EXPECT_EQ(g().fps, 250);
    EXPECT_EQ(g().framesThisPeriod, 0);
}

}  // namespace
