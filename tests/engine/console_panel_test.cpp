#include <gtest/gtest.h>

#include "engine/console.h"
#include "engine_fixture.h"

namespace {

class ConsolePanel : public EngineFixture {
protected:
    void fill(int lines) {
        for (int i = 0; i < lines; ++i) consolePrint("line", kWhite);
    }
    void type(const std::string& text) {
        for (char c : text) {
            game().typedChar = static_cast<uint8_t>(c);
            runConsole();
        }
    }
};

TEST_F(ConsolePanel, HoldingUpScrollsOneLinePerFrameAndStopsAtTheTop) {
    fill(100);
    ASSERT_EQ(game().consoleTop, 91);
    setKey("UP ARROW", true);
    for (int i = 0; i < 20; ++i) {
        poll();
        runConsole();
    }
    EXPECT_EQ(game().consoleTop, 71);
    for (int i = 0; i < 100; ++i) {
        poll();
        runConsole();
    }
    EXPECT_EQ(game().consoleTop, 0);
    // A release still counts for the poll that sees it.
    setKey("UP ARROW", false);
    game().consoleTop = 5;
    poll();
    runConsole();
    EXPECT_EQ(game().consoleTop, 4);
    poll();
    runConsole();
    EXPECT_EQ(game().consoleTop, 4);
}

TEST_F(ConsolePanel, DownStopsAtTheEndOfTheLog) {
    fill(12);
    game().consoleTop = 1;
    setKey("DOWN ARROW", true);
    for (int i = 0; i < 5; ++i) {
        poll();
        runConsole();
    }
    EXPECT_EQ(game().consoleTop, 3);

    // A short log keeps its negative top, so its lines sit in the bottom rows.
    resetGame();
    SetUp();
    fill(3);
    setKey("DOWN ARROW", true);
    poll();
    runConsole();
    EXPECT_EQ(game().consoleTop, -6);
}

TEST_F(ConsolePanel, TypingKeepsAcceptedCharactersOnly) {
    type("look at \"it\"\\~`");
    EXPECT_EQ(game().consoleInput, "look at it");
    type(std::string(1, '\x01') + "\x80" + "!@#$%^&*()-_=+,<.>/?;:'[{]}|");
    EXPECT_EQ(game().consoleInput, "look at it!@#$%^&*()-_=+,<.>/?;:'[{]}|");
    EXPECT_EQ(game().typedChar, 0);
}

TEST_F(ConsolePanel, BackspaceRemovesTheLastCharacterAndStopsWhenEmpty) {
    type("ab");
    type("\b\b\b");
    EXPECT_EQ(game().consoleInput, "");
    type("x");
    EXPECT_EQ(game().consoleInput, "x");
}

TEST_F(ConsolePanel, EnterOnBlanksRunsNothingAndTrimsTheInput) {
    fill(20);
    game().consoleTop = 2;
    game().consoleInput = "    ";
    int counter = game().consoleCounter;
    pollWith("ENTER");
    runConsole();
    EXPECT_EQ(game().consoleInput, "");
    EXPECT_EQ(game().consoleCounter, counter);
    EXPECT_EQ(game().consoleTop, 2);
}

TEST_F(ConsolePanel, EnterRunsTheTrimmedLineAndEmptiesTheInput) {
    fill(20);
    game().consoleTop = 2;
    game().consoleInput = "  set x 5  ";
    pollWith("ENTER");
    runConsole();
    EXPECT_EQ(game().consoleInput, "");
    EXPECT_GT(game().consoleCounter, 20);  // the interpreter said something
    EXPECT_EQ(game().consoleTop, static_cast<int>(game().consoleLines.size()) - 9);
    // Held, Enter does not run the line again.
    game().consoleInput = "again";
    poll();
    runConsole();
    EXPECT_EQ(game().consoleInput, "again");
}

}  // namespace
