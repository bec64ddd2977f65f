#include "platform/clock.h"

#include <gtest/gtest.h>

namespace {

TEST(MillisecondTimer, CountsWholeMillisecondsAndKeepsTheRemainderOnReset) {
    VirtualClock clock;
    MillisecondTimer timer(clock);
    timer.start();
    clock.advanceNanos(2'700'000);  // 2.7 ms
    EXPECT_EQ(timer.elapsed(), 2u);
    timer.reset();  // keeps 0.7 ms
    clock.advanceNanos(400'000);
    EXPECT_EQ(timer.elapsed(), 1u);
}

TEST(MillisecondTimer, StartsOnFirstUse) {
    VirtualClock clock;
    clock.advanceMillis(500);
    MillisecondTimer timer(clock);
    EXPECT_EQ(timer.elapsed(), 0u);
    EXPECT_TRUE(timer.started());
    clock.advanceMillis(25);
    EXPECT_EQ(timer.elapsed(), 25u);
}

TEST(MillisecondTimer, ReadsOnlyItsOwnClock) {
    VirtualClock a, b;
    MillisecondTimer onA(a), onB(b);
    onA.start();
    onB.start();
    a.advanceMillis(40);
    EXPECT_EQ(onA.elapsed(), 40u);
    EXPECT_EQ(onB.elapsed(), 0u);
}

}  // namespace
