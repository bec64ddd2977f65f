// Two rules at their limits: a label line is exactly "lab NAME", and an unknown command
// gets a suggestion only when it is at most two edits from a known one.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "checker_test_support.h"

namespace {

using namespace checker_test;

struct Case {
    const char* script;
    std::vector<std::string> lines;  // the checker's lines for init.scn
};

TEST(CheckerLimits, LabelLinesAndNearMissSuggestions) {
    const Case cases[] = {
        // Two words: a label "goto" finds.
        {"goto end\nbeep\nlab end\n",
         {"init.scn:5: warning: this line never runs: the 'goto' on "
          "line 4 jumps away"}},
        // Three words: not a label, so "goto" finds none and the line after it never runs.
        {"goto end\nlab end now\n",
         {"init.scn:4: error: 'goto' to label 'end', which this script does not define",
          "init.scn:5: warning: this line never runs: the 'goto' on line 4 jumps away",
          "init.scn:5: warning: a label line is 'lab NAME': 'goto' never finds this one"}},
        // One edit, two edits: suggested; three: not.
        {"playsond a.wav\n",
         {"init.scn:4: error: unknown command 'playsond'; did you mean 'playsound'?"}},
        {"plysond a.wav\n",
         {"init.scn:4: error: unknown command 'plysond'; did you mean 'playsound'?"}},
        {"plysnd a.wav\n", {"init.scn:4: error: unknown command 'plysnd'"}},
        {"stpmusc\n", {"init.scn:4: error: unknown command 'stpmusc'; did you mean 'stopmusic'?"}},
        {"stpmsc\n", {"init.scn:4: error: unknown command 'stpmsc'"}},
    };
    for (const Case& c : cases) {
        headless_test::GameFolder game;
        writeEngineFiles(game);
        game.write("init.scn", view(c.script));
        EXPECT_EQ(checkGame(game, "init.scn"), c.lines) << c.script;
    }
}

}  // namespace
