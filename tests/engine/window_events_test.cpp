#include "engine/window_events.h"

#include <gtest/gtest.h>

#include "engine/console.h"
#include "engine/main_loop.h"
#include "engine_fixture.h"

namespace {

using WindowProcedure = EngineFixture;

TEST_F(WindowProcedure, EscapeInPlayShowsTheEndingAndAnyKeyThereCloses) {
    handleWindowEvent({WindowEvent::KeyDown, 'a'});
    EXPECT_EQ(game().mode, Play);
    handleWindowEvent({WindowEvent::KeyDown, 27});
    EXPECT_EQ(game().mode, Ending);
    int code = -1;
    EXPECT_FALSE(pumpMessages(code));  // the Escape itself does not close
    handleWindowEvent({WindowEvent::KeyDown, 27});
    EXPECT_TRUE(pumpMessages(code));
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(game().shutDown);
    EXPECT_FALSE(game().screen);
    EXPECT_FALSE(game().input);
}

TEST_F(WindowProcedure, EscapeOnTheSaveOrLoadPageDoesNothing) {
    for (int mode : {SaveScreen, LoadScreen}) {
        game().mode = mode;
        handleWindowEvent({WindowEvent::KeyDown, 27});
        EXPECT_EQ(game().mode, mode);
        EXPECT_FALSE(events->quitPosted());
    }
}

TEST_F(WindowProcedure, CharactersReachTheConsoleOnlyWhenItIsShownInPlay) {
    handleWindowEvent({WindowEvent::Character, 'x'});
    EXPECT_EQ(game().typedChar, 0);
    game().consoleVisible = true;
    handleWindowEvent({WindowEvent::Character, 'y'});
    EXPECT_EQ(game().typedChar, 'y');
    game().typedChar = 0;
    game().mode = Ending;
    handleWindowEvent({WindowEvent::Character, 'z'});
    EXPECT_EQ(game().typedChar, 0);
}

TEST_F(WindowProcedure, ActivationStopsFramesOnlyInTheFullScreenBuild) {
    handleWindowEvent({WindowEvent::Activate, 0});
    EXPECT_EQ(game().appActive, 0);
    handleWindowEvent({WindowEvent::Activate, 1});
    EXPECT_EQ(game().appActive, 1);
    game().windowed = true;
    handleWindowEvent({WindowEvent::Activate, 0});
    EXPECT_EQ(game().appActive, 1);
}

TEST_F(WindowProcedure, MouseMovesAndWindowMovesAreRecorded) {
    WindowEvent move{WindowEvent::MouseMove};
    move.x = 123;
    move.y = 456;
    handleWindowEvent(move);
    EXPECT_EQ(game().realMouseX, 123);
    EXPECT_EQ(game().realMouseY, 456);
    handleWindowEvent({WindowEvent::ExitMove});
    EXPECT_EQ(game().consoleLines.back(), " 1: Window Moved");
}

TEST_F(WindowProcedure, FrameRateIsTheCountOfTheLastFullSecond) {
    game().windowed = true;
    game().frameTimer.start();
    // 10 ms frames for the first second, then 4 ms frames.
    for (int i = 0; i <= 100; ++i) {
        playFrame(0, 0);
        clock.advanceMillis(i < 100 ? 10 : 4);
    }
    EXPECT_EQ(game().fps, 101);  // the frame at the full second closes its period
    for (int i = 0; i < 250; ++i) {
        playFrame(0, 0);
        clock.advanceMillis(4);
    }
    EXPECT_EQ(game().fps, 250);
    EXPECT_EQ(game().framesThisPeriod, 0);
}

}  // namespace
