#include <gtest/gtest.h>

#include "engine/console.h"
#include "support/engine_test.h"

namespace {

class ConsolePanel : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        addInput();
    }
    void fill(int lines) {
        for (int i = 0; i < lines; ++i) g().console.print("line", kWhite);
    }
    void type(const std::string& text) {
        for (char c : text) {
            g().console.typedChar = static_cast<uint8_t>(c);
            runConsole();
        }
    }
};

TEST_F(ConsolePanel, HoldingUpScrollsOneLinePerFrameAndStopsAtTheTop) {
    fill(100);
    ASSERT_EQ(g().console.top, 91);
    setKey("UP ARROW", true);
    for (int i = 0; i < 20; ++i) {
        poll();
        runConsole();
    }
    EXPECT_EQ(g().console.top, 71);
    for (int i = 0; i < 100; ++i) {
        poll();
        runConsole();
    }
    EXPECT_EQ(g().console.top, 0);
    // A release still counts for the poll that sees it.
    setKey("UP ARROW", false);
    g().console.top = 5;
    poll();
    runConsole();
    EXPECT_EQ(g().console.top, 4);
    poll();
    runConsole();
    EXPECT_EQ(g().console.top, 4);
}

TEST_F(ConsolePanel, DownStopsAtTheEndOfTheLog) {
    fill(12);
    g().console.top = 1;
    setKey("DOWN ARROW", true);
    for (int i = 0; i < 5; ++i) {
        poll();
        runConsole();
    }
    EXPECT_EQ(g().console.top, 3);

    // A short log keeps its negative top, so its lines sit in the bottom rows.
    TearDown();
    SetUp();
    fill(3);
    setKey("DOWN ARROW", true);
    poll();
    runConsole();
    EXPECT_EQ(g().console.top, -6);
}

// The rows a short log is drawn in, before and after the arrows move it.
TEST_F(ConsolePanel, AShortLogSitsAtTheBottomUntilUpMovesItToTheTop) {
    addScreen();
    const uint32_t colours[] = {0x0000FF, 0x00FF00, 0xFF0000};  // 0x00BBGGRR
    for (uint32_t colour : colours) g().console.print("line", colour);
    Surface& back = g().screen->back();
    // The panel row (0 to 8) whose text is in `colour`, or -1.
    auto rowOf = [&back](uint32_t colour) {
        const uint32_t pixel =
            back.format().map(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
        for (int y = 1; y < 130; ++y)
            for (int x = 1; x < 639; ++x)
                if (back.getPixel(x, y) == pixel) return (y - 5) / 13;
        return -1;
    };
    auto rows = [&] {
        back.fill(0);
        poll();
        runConsole();
        std::vector<int> out;
        for (uint32_t colour : colours) out.push_back(rowOf(colour));
        return out;
    };
    EXPECT_EQ(rows(), (std::vector<int>{6, 7, 8}));
    setKey("UP ARROW", true);
    EXPECT_EQ(rows(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(g().console.top, 0);
    EXPECT_EQ(rows(), (std::vector<int>{0, 1, 2}));  // held: stays at the top
    setKey("UP ARROW", false);
    rows();  // the release
    setKey("DOWN ARROW", true);
    EXPECT_EQ(rows(), (std::vector<int>{6, 7, 8}));
    EXPECT_EQ(g().console.top, -6);
}

TEST_F(ConsolePanel, TypingKeepsAcceptedCharactersOnly) {
    type("look at \"it\"\\~`");
    EXPECT_EQ(g().console.input, "look at it");
    type(std::string(1, '\x01') + "\x80" + "!@#$%^&*()-_=+,<.>/?;:'[{]}|");
    EXPECT_EQ(g().console.input, "look at it!@#$%^&*()-_=+,<.>/?;:'[{]}|");
    EXPECT_EQ(g().console.typedChar, 0);
}

TEST_F(ConsolePanel, BackspaceRemovesTheLastCharacterAndStopsWhenEmpty) {
    type("ab");
    type("\b\b\b");
    EXPECT_EQ(g().console.input, "");
    type("x");
    EXPECT_EQ(g().console.input, "x");
}

TEST_F(ConsolePanel, EnterOnBlanksRunsNothingAndTrimsTheInput) {
    fill(20);
    g().console.top = 2;
    g().console.input = "    ";
    int counter = g().console.counter;
    pollWith("ENTER");
    runConsole();
    EXPECT_EQ(g().console.input, "");
    EXPECT_EQ(g().console.counter, counter);
    EXPECT_EQ(g().console.top, 2);
}

TEST_F(ConsolePanel, EnterRunsTheTrimmedLineAndEmptiesTheInput) {
    fill(20);
    g().console.top = 2;
    g().console.input = "  set x 5  ";
    pollWith("ENTER");
    runConsole();
    EXPECT_EQ(g().console.input, "");
    EXPECT_GT(g().console.counter, 20);  // the interpreter said something
    EXPECT_EQ(g().console.top, static_cast<int>(g().console.lines.size()) - 9);
    // Held, Enter does not run the line again.
    g().console.input = "again";
    poll();
    runConsole();
    EXPECT_EQ(g().console.input, "again");
}

}  // namespace
