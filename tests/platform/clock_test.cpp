#include <gtest/gtest.h>

#include "platform/clock.h"

namespace {

struct ClockScope {
    VirtualClock clock;
    ClockScope() { installClock(&clock); }
    ~ClockScope() { installClock(nullptr); }
};

TEST(MillisecondTimer, CountsWholeMillisecondsAndKeepsTheRemainderOnReset) {
    ClockScope scope;
    MillisecondTimer timer;
    timer.start();
    scope.clock.advanceNanos(2'700'000);  // 2.7 ms
    EXPECT_EQ(timer.elapsed(), 2u);
    timer.reset();  // keeps 0.7 ms
    scope.clock.advanceNanos(400'000);
    EXPECT_EQ(timer.elapsed(), 1u);
}

TEST(MillisecondTimer, StartsOnFirstUse) {
    ClockScope scope;
    scope.clock.advanceMillis(500);
    MillisecondTimer timer;
    EXPECT_EQ(timer.elapsed(), 0u);
    EXPECT_TRUE(timer.started());
    scope.clock.advanceMillis(25);
    EXPECT_EQ(timer.elapsed(), 25u);
}

}  // namespace
