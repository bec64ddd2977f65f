#include <gtest/gtest.h>

#include "engine/console.h"
#include "engine/game_state.h"

namespace {

class ConsoleLog : public ::testing::Test {
protected:
    void SetUp() override { resetGame(); }
};

TEST_F(ConsoleLog, NumbersLinesWithALeadingBlankBelowOneHundred) {
    consolePrint("VORLEN", kWhite);
    EXPECT_EQ(game().consoleLines.back(), " 1: VORLEN");
    for (int i = 2; i <= 100; ++i) consolePrint("x", kRed);
    EXPECT_EQ(game().consoleLines[98], " 99: x");
    EXPECT_EQ(game().consoleLines.back(), "100: x");
    EXPECT_EQ(game().consoleColours.back(), kRed);
    EXPECT_EQ(game().consoleTop, 100 - 9);
}

TEST_F(ConsoleLog, KeepsTheLastFiveHundredLinesAndKeepsCounting) {
    for (int i = 1; i <= 501; ++i) consolePrint("line", kWhite);
    ASSERT_EQ(game().consoleLines.size(), 500u);
    EXPECT_EQ(game().consoleLines.front(), " 2: line");
    EXPECT_EQ(game().consoleLines.back(), "501: line");
    EXPECT_EQ(game().consoleTop, 491);
}

TEST_F(ConsoleLog, ScrollTopIsNegativeForAShortLog) {
    consolePrint("a", kWhite);
    consolePrint("b", kWhite);
    consolePrint("c", kWhite);
    EXPECT_EQ(game().consoleTop, -6);
}

TEST_F(ConsoleLog, ListenerSeesEveryLine) {
    std::vector<std::string> seen;
    game().consoleListener = [&](const std::string& line, uint32_t) { seen.push_back(line); };
    consolePrint("hello", kWhite);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], " 1: hello");
}

}  // namespace
