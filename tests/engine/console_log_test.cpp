#include <gtest/gtest.h>

#include "engine/console.h"

namespace {

class ConsoleLog : public ::testing::Test {
protected:
    Console console;
};

TEST_F(ConsoleLog, NumbersLinesWithALeadingBlankBelowOneHundred) {
    console.print("VORLEN", kWhite);
    EXPECT_EQ(console.lines.back(), " 1: VORLEN");
    for (int i = 2; i <= 100; ++i) console.print("x", kRed);
    EXPECT_EQ(console.lines[98], " 99: x");
    EXPECT_EQ(console.lines.back(), "100: x");
    EXPECT_EQ(console.colours.back(), kRed);
    EXPECT_EQ(console.top, 100 - 9);
}

TEST_F(ConsoleLog, KeepsTheLastFiveHundredLinesAndKeepsCounting) {
    for (int i = 1; i <= 501; ++i) console.print("line", kWhite);
    ASSERT_EQ(console.lines.size(), 500u);
    EXPECT_EQ(console.lines.front(), " 2: line");
    EXPECT_EQ(console.lines.back(), "501: line");
    EXPECT_EQ(console.top, 491);
}

TEST_F(ConsoleLog, ScrollTopIsNegativeForAShortLog) {
    console.print("a", kWhite);
    console.print("b", kWhite);
    console.print("c", kWhite);
    EXPECT_EQ(console.top, -6);
}

TEST_F(ConsoleLog, ListenerSeesEveryLine) {
    std::vector<std::string> seen;
    console.listener = [&](const std::string& line, uint32_t) { seen.push_back(line); };
    console.print("hello", kWhite);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], " 1: hello");
}

}  // namespace
