#include "media/mixer.h"
#include "platform/image/imagelib.h"
#include "platform/null_display.h"
#include "support/engine_test.h"

namespace {

using ::testing::ElementsAre;
using DebugCommands = EngineTest;

TEST_F(DebugCommands, DebugToggles) {
    run({"debug", "debug"});
    EXPECT_THAT(texts(), ElementsAre("Debug mode ON", "Debug mode OFF"));
    EXPECT_FALSE(g().debugMode);
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
    g().mixer = std::make_unique<Mixer>();
    run({"setvol 150"});
    EXPECT_EQ(g().mixer->getVolume(), 0xFFFFFFFFu);
    run({"setvol 50"});
    EXPECT_EQ(g().mixer->getVolume(), (32767u << 16) | 32767u);
    run({"setvol -5"});
    EXPECT_EQ(g().mixer->getVolume(), 0u);
    run({"setvol 100", "setvol abc"});
    EXPECT_EQ(g().mixer->getVolume(), 0u);
    run({"setvol"});
    EXPECT_THAT(texts(), ElementsAre("Error in Cmd: setvol", "Too few arguments"));
}

TEST_F(DebugCommands, ScreenshotNamesAndCounter) {
    addScreen();
    run({"screenshot", "screenshot room", "screenshot room.JpG", "screenshot .jpg", "screenshot"});
    EXPECT_THAT(texts(),
                ElementsAre("Wrote Screenshot to shot0.jpg", "Wrote Screenshot to room.jpg",
                            "Wrote Screenshot to room.JpG", "Wrote Screenshot to .jpg.jpg",
                            "Wrote Screenshot to shot4.jpg"));
    for (const char* name : {"shot0.jpg", "room.jpg", "room.JpG", ".jpg.jpg", "shot4.jpg"})
        EXPECT_TRUE(std::filesystem::exists(path(name))) << name;
    EXPECT_EQ(EngineTestAccess::screenshots(*engine).counter(), 5);
    lines.clear();
    run({"screenshot nofolder/x"});
    EXPECT_THAT(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "Could not write screenshot nofolder/x.jpg");
    EXPECT_EQ(lines[0].colour, kRed);
}

}  // namespace

namespace {

// The written picture keeps the screen's colours, channel order included.
TEST_F(DebugCommands, ScreenshotKeepsColours) {
    addScreen();
    Surface& back = g().screen->back();
    back.fill(back.format().map(255, 0, 0));
    run({"screenshot red"});
    std::unique_ptr<Picture> picture = LoadBitmapFile(*pictures(), path("red.jpg"), 0, 0);
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->width, 640);
    ASSERT_EQ(picture->height, 480);
    ASSERT_GE(picture->bitsPerPixel, 24);
    const uint8_t* pixel = picture->row(240) + 320 * (picture->bitsPerPixel / 8);
    EXPECT_LT(pixel[0], 24);   // blue
    EXPECT_LT(pixel[1], 24);   // green
    EXPECT_GT(pixel[2], 230);  // red
}

}  // namespace
