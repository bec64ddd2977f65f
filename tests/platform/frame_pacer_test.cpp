// Pacing frames to refresh intervals on the millisecond clock.
#include "platform/sdl/frame_pacer.h"

#include <gtest/gtest.h>

namespace {

TEST(FramePacer, IntervalsAreWholeMillisecondsOfTheRefreshRate) {
    EXPECT_EQ(FramePacer::intervalFor(60), 16u);
    EXPECT_EQ(FramePacer::intervalFor(0), 16u);  // the display does not say
    EXPECT_EQ(FramePacer::intervalFor(-5), 16u);
    EXPECT_EQ(FramePacer::intervalFor(144), 6u);
    EXPECT_EQ(FramePacer::intervalFor(1000), 1u);
    EXPECT_EQ(FramePacer::intervalFor(2000), 0u);
}

TEST(FramePacer, FramesKeepToIntervalBoundariesInStepWithTheFirst) {
    FramePacer pacer(16);
    EXPECT_EQ(pacer.delayAt(1000), 0u);  // the first frame never waits
    pacer.frameShown(1000);
    EXPECT_EQ(pacer.delayAt(1005), 11u);
    EXPECT_EQ(pacer.delayAt(1015), 1u);
    EXPECT_EQ(pacer.delayAt(1016), 0u);
    pacer.frameShown(1016);
    EXPECT_EQ(pacer.delayAt(1020), 12u);
    // A late frame (20 ms after the boundary at 1016) is let through at once and the next
    // is due at the following boundary, not an interval after the late one.
    pacer.frameShown(1036);
    EXPECT_EQ(pacer.delayAt(1040), 8u);
    EXPECT_EQ(pacer.delayAt(1048), 0u);
}

TEST(FramePacer, AStallOfOverASecondStartsTheRhythmAfresh) {
    FramePacer pacer(16);
    pacer.frameShown(0);
    pacer.frameShown(1000);  // exactly a second: still in step (1000 = 62 * 16 + 8)
    EXPECT_EQ(pacer.delayAt(1000), 8u);
    pacer.frameShown(2993);  // 2001 ms after the last boundary, at 992
    EXPECT_EQ(pacer.delayAt(2993), 16u);
    // A clock that went back does not make the pacer wait for ever.
    pacer.frameShown(500);
    EXPECT_EQ(pacer.delayAt(400), 0u);
    EXPECT_EQ(pacer.delayAt(510), 6u);
}

TEST(FramePacer, NoIntervalNeverWaits) {
    FramePacer pacer(0);
    pacer.frameShown(10);
    EXPECT_EQ(pacer.delayAt(10), 0u);
    pacer.setInterval(10);
    pacer.frameShown(12);  // still in step with the frame at 10
    EXPECT_EQ(pacer.delayAt(15), 5u);
}

}  // namespace
