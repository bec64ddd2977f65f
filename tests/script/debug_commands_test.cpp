#include "media/mixer.h"
#include "script/script_test_fixture.h"

namespace {

using ::testing::ElementsAre;
using DebugCommands = ScriptTest;

TEST_F(DebugCommands, DebugToggles) {
    run({"debug", "debug"});
    EXPECT_THAT(texts(), ElementsAre("Debug mode ON", "Debug mode OFF"));
    EXPECT_FALSE(game().debugMode);
}

TEST_F(DebugCommands, EchoListsAndEvaluates) {
    run({"echo"});
    EXPECT_TRUE(lines.empty());
    run({"echo 2+3", "echo x", "let b=-4", "echo", "echo 1 +", "echooff"});
    EXPECT_THAT(texts(), ElementsAre("5", "0", "b = -4", "x = 0", "Error in Cmd: echo 1 +",
                                     "Could not parse expression"));
    lines.clear();
    run({"echoon", "echo 1"});
    EXPECT_THAT(texts(), ElementsAre("-> echo 1", "1"));
}

TEST_F(DebugCommands, SetvolClampsAndSetsBothChannels) {
    game().mixer = std::make_unique<Mixer>();
    run({"setvol 150"});
    EXPECT_EQ(game().mixer->getVolume(), 0xFFFFFFFFu);
    run({"setvol 50"});
    EXPECT_EQ(game().mixer->getVolume(), (32767u << 16) | 32767u);
    run({"setvol -5"});
    EXPECT_EQ(game().mixer->getVolume(), 0u);
    run({"setvol 100", "setvol abc"});
    EXPECT_EQ(game().mixer->getVolume(), 0u);
    run({"setvol"});
    EXPECT_THAT(texts(), ElementsAre("Error in Cmd: setvol", "Too few arguments"));
}

class NullDisplay : public DisplayBackend {
public:
    std::vector<DisplayMode> modes() override { return {{640, 480, 16}}; }
    int openFullScreen(int, int, int) override { return 0; }
    int openWindowed(int, int) override { return 0; }
    int show(const Surface&, bool, bool) override { return 0; }
};

// The file part of a screenshot line, whether or not the picture could be written.
std::string shotName(const std::string& line) {
    for (const char* prefix : {"Wrote Screenshot to ", "Could not write screenshot "}) {
        std::string p = prefix;
        if (line.compare(0, p.size(), p) == 0) return line.substr(p.size());
    }
    return "?" + line;
}

TEST_F(DebugCommands, ScreenshotNamesAndCounter) {
    game().screen = std::make_unique<Screen>(std::make_unique<NullDisplay>());
    game().screen->createWindowed(640, 480);
    run({"screenshot", "screenshot room", "screenshot room.JpG", "screenshot .jpg", "screenshot"});
    std::vector<std::string> names;
    for (const std::string& text : texts()) names.push_back(shotName(text));
    EXPECT_THAT(names, ElementsAre("shot0.jpg", "room.jpg", "room.JpG", ".jpg.jpg", "shot4.jpg"));
    EXPECT_EQ(game().screenshotCounter, 5);
    lines.clear();
    run({"screenshot nofolder/x"});
    EXPECT_THAT(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "Could not write screenshot nofolder/x.jpg");
    EXPECT_EQ(lines[0].colour, kRed);
}

}  // namespace
