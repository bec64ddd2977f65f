// The overlay commands: their checks in order with their messages, insertion by depth,
// the drawing order, and the animation flags.
#include "scene_fixture.h"
#include "support/painted_picture.h"

namespace {

constexpr uint32_t kRedPicture = 0xC02020, kGreenPicture = 0x20C020, kBluePicture = 0x2020C0;

class OverlayCommands : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        writePicture("red.bmp", 40, 40, kRedPicture);
        writePicture("green.bmp", 40, 40, kGreenPicture);
        writePicture("blue.bmp", 40, 40, kBluePicture);
    }
    std::vector<std::string> images() { return scene().overlays().imageNames(); }
    std::vector<std::string> anims() { return scene().overlays().animNames(); }
    void drawOverlays() {
        g().screen->back().fill(0);
        scene().drawOverlays(g().screen->back());
    }
};

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(OverlayCommands, EqualDepthsKeepTheirOrderAndTheSmallestDepthIsInFront) {
    run({"addoverlayimage a red.bmp 100 100 5", "addoverlayimage b green.bmp 100 100 1",
         "addoverlayimage c blue.bmp 100 100 5"});
    EXPECT_THAT(reds(), IsEmpty());
    // Sequence b, a, c; drawn from the end: c at the back, then a, then b in front.
    EXPECT_THAT(images(), ElementsAre("c", "a", "b"));
    drawOverlays();
    EXPECT_EQ(at(120, 120), pixel(kGreenPicture));
    run({"deloverlayimage b"});
    drawOverlays();
    EXPECT_EQ(at(120, 120), pixel(kRedPicture));  // a was added before c
    run({"deloverlayimage a"});
    drawOverlays();
    EXPECT_EQ(at(120, 120), pixel(kBluePicture));
}

TEST_F(OverlayCommands, DepthsFiveOneThreeDrawFiveFirstAndOneLast) {
    run({"addoverlayimage five red.bmp 0 0 5", "addoverlayimage one green.bmp 0 0 1",
         "addoverlayimage three blue.bmp 0 0 3"});
    EXPECT_THAT(images(), ElementsAre("five", "three", "one"));
}

TEST_F(OverlayCommands, ImagesAreColourKeyedOnTheirTopLeftPixel) {
    Picture p;
    p.width = p.height = 8;
    p.bitsPerPixel = 24;
    p.stride = 24;
    p.pixels.assign(p.stride * 8, 0x80);
    p.row(0)[0] = p.row(0)[2] = 0xFF;  // magenta key
    p.row(0)[1] = 0;
    p.row(3)[9] = p.row(3)[11] = 0xFF;  // one more key pixel at (3, 3)
    p.row(3)[10] = 0;
    ASSERT_TRUE(writeBmp24(path("keyed.bmp"), p));
    run({"addoverlayimage k keyed.bmp 10 20 0"});
    g().screen->back().fill(pixel(0x0000FF));
    scene().drawOverlays(g().screen->back());
    EXPECT_EQ(at(10, 20), pixel(0x0000FF));
    EXPECT_EQ(at(13, 23), pixel(0x0000FF));
    EXPECT_EQ(at(14, 23), pixel(0x808080));
}

TEST_F(OverlayCommands, AnAnimationCoversAnImageWhateverTheirDepths) {
    writePicture("sheet.bmp", 128, 64, kBluePicture);
    run({"addoverlayanim spin sheet.bmp 100 100 64 64 0 100 99",
         "addoverlayimage front red.bmp 110 110 -5"});
    drawOverlays();
    EXPECT_EQ(at(120, 120), pixel(kBluePicture));
}

TEST_F(OverlayCommands, ChecksRunInOrderAndTheFirstFailureIsReported) {
    run({"addoverlayimage a red.bmp 0 0", "addoverlayimage a nothere.bmp 0 0 1",
         "addoverlayimage a red.bmp 0 0 1", "addoverlayimage a red.bmp 5 5 1",
         "addoverlayimage a nothere.bmp 5 5 1", "deloverlayimage", "deloverlayimage zz"});
    EXPECT_THAT(reds(),
                ElementsAre("Error in Cmd: addoverlayimage a red.bmp 0 0", "Too few arguments",
                            "Error in Cmd: addoverlayimage a nothere.bmp 0 0 1", "Cannot find file",
                            "Error in Cmd: addoverlayimage a red.bmp 5 5 1", "Name in use",
                            // A missing file is found before the name is looked at.
                            "Error in Cmd: addoverlayimage a nothere.bmp 5 5 1", "Cannot find file",
                            "Error in Cmd: deloverlayimage", "Too few arguments",
                            "Error in Cmd: deloverlayimage zz", "Name not found"));
    EXPECT_THAT(images(), ElementsAre("a"));
}

TEST_F(OverlayCommands, AnimationChecksAndNames) {
    writePicture("sheet.bmp", 128, 64, kBluePicture);
    run({"addoverlayanim f sheet.bmp 0 0 64 64 0 100",
         "addoverlayanim f gone.bmp 0 0 64 64 0 100 1",
         "addoverlayanim f sheet.bmp 0 0 64 64 0 100 1",
         "addoverlayanim f sheet.bmp 0 0 64 64 0 100 2", "deloverlayanim g", "deloverlayanim"});
    EXPECT_THAT(
        reds(),
        ElementsAre("Error in Cmd: addoverlayanim f sheet.bmp 0 0 64 64 0 100", "Too few arguments",
                    "Error in Cmd: addoverlayanim f gone.bmp 0 0 64 64 0 100 1", "Cannot find file",
                    "Error in Cmd: addoverlayanim f sheet.bmp 0 0 64 64 0 100 2", "Name in use",
                    "Error in Cmd: deloverlayanim g", "Name not found",
                    "Error in Cmd: deloverlayanim", "Too few arguments"));
    // The same name may be used once in each collection.
    run({"addoverlayimage f red.bmp 0 0 0"});
    EXPECT_THAT(anims(), ElementsAre("f"));
    EXPECT_THAT(images(), ElementsAre("f"));
    run({"deloverlayanim f"});
    EXPECT_THAT(anims(), IsEmpty());
    EXPECT_THAT(images(), ElementsAre("f"));
}

TEST_F(OverlayCommands, APictureThatDoesNotLoadStillTakesItsNameAndDrawsNothing) {
    write("broken.bmp", "BM not really a picture");
    run({"addoverlayimage b broken.bmp 0 0 0", "addoverlayanim b broken.bmp 0 0 64 64 0 10 0"});
    EXPECT_THAT(reds(), ElementsAre("Could not load broken.bmp"));
    EXPECT_THAT(images(), ElementsAre("b"));
    EXPECT_THAT(anims(), ElementsAre("b"));
    drawOverlays();
    EXPECT_EQ(at(0, 0), 0u);
    run({"addoverlayimage b red.bmp 0 0 0"});
    EXPECT_THAT(reds(),
                ElementsAre("Could not load broken.bmp",
                            "Error in Cmd: addoverlayimage b red.bmp 0 0 0", "Name in use"));
}

// Frame i of an 8-frame sheet in colour frameColour(i); which one shows after each step.
class AnimationFlags : public OverlayCommands {
protected:
    static uint32_t frameColour(int i) { return 0x102030u + 0x100000u * (i + 1); }
    void SetUp() override {
        OverlayCommands::SetUp();
        Picture p = paintedPicture(64 * 4, 64 * 2, [](int x, int y) {
            return x == 0 && y == 0 ? 0xFF00FFu : frameColour((y / 64) * 4 + x / 64);
        });
        ASSERT_TRUE(writeBmp24(path("fire.bmp"), p));
    }
    // The frames shown by `draws` draws 100 ms apart.
    std::vector<int> frames(int draws) {
        std::vector<int> shown;
        for (int i = 0; i < draws; ++i) {
            drawOverlays();
            int frame = -1;
            for (int f = 0; f < 8; ++f)
                if (at(40, 40) == pixel(frameColour(f))) frame = f;
            shown.push_back(frame);
            clock().advanceMillis(100);
        }
        return shown;
    }
};

TEST_F(AnimationFlags, RevLoopAndLoopRevAreTheSame) {
    for (const char* flags : {"REV LOOP", "LOOP REV"}) {
        scene().overlays().clear();
        run({std::string("addoverlayanim fire fire.bmp 10 10 64 64 0 100 3 ") + flags});
        EXPECT_THAT(frames(10), ElementsAre(7, 6, 5, 4, 3, 2, 1, 0, 7, 6)) << flags;
    }
}

TEST_F(AnimationFlags, ALowerCaseFlagIsIgnoredAndTheAnimationPlaysOnceForward) {
    run({"addoverlayanim fire fire.bmp 10 10 64 64 0 100 3 loop"});
    EXPECT_THAT(frames(10), ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 7, 7));
}

TEST_F(AnimationFlags, FlagsAreReadOnlyWithOneOrTwoOfThem) {
    run({"addoverlayanim one fire.bmp 10 10 64 64 0 100 3 LOOP"});
    EXPECT_THAT(frames(10), ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 0, 1));
    scene().overlays().clear();
    run({"addoverlayanim three fire.bmp 10 10 64 64 0 100 3 REV LOOP LOOP"});
    EXPECT_THAT(frames(10), ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 7, 7));
}

TEST_F(AnimationFlags, AFrameCountLimitsTheCellsAndZeroTakesEveryCell) {
    run({"addoverlayanim some fire.bmp 10 10 64 64 3 100 3 LOOP"});
    EXPECT_THAT(frames(5), ElementsAre(0, 1, 2, 0, 1));
    scene().overlays().clear();
    run({"addoverlayanim all fire.bmp 10 10 64 64 0 100 3 LOOP"});
    EXPECT_THAT(frames(9), ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 0));
}

}  // namespace
