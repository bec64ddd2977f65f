#include "engine/pointer.h"

#include "sheet_fixture.h"

namespace {

class PointerTest : public SheetFixture {
protected:
    void SetUp() override {
        SheetFixture::SetUp();
        for (const char* name : {"idle2forward.bmp", "idle2backward.bmp", "idle2left.bmp",
                                 "idle2right.bmp", "idle2take.bmp"}) {
            writeSheet(name, 6);
        }
    }

    // One frame: the pointer for `kind` drawn at (100, 100), then 10 ms pass.
    void frame(int kind) {
        clearBack();
        drawPointer(kind, 100, 100);
        clock().advanceMillis(10);
    }

    // Frames of `kind` until no transition is under way; the transition frames seen.
    std::vector<int> runTransition(int kind, int limit = 100) {
        std::vector<int> shown;
        for (int i = 0; i < limit; ++i) {
            frame(kind);
            shown.push_back(frameShownAt(110, 110));
            if (!g().pointer.transition) break;
        }
        return shown;
    }

    // Each frame index once, in the order first shown.
    static std::vector<int> distinct(const std::vector<int>& frames) {
        std::vector<int> out;
        for (int f : frames) {
            if (out.empty() || out.back() != f) out.push_back(f);
        }
        return out;
    }
};

TEST_F(PointerTest, OntoAForwardExitPlaysTheSheetForwardsThenShowsTheArrow) {
    frame(2);
    ASSERT_TRUE(g().pointer.transition);
    EXPECT_EQ(g().pointer.shape, 0);
    EXPECT_EQ(g().pointer.target, 2);
    EXPECT_EQ(g().pointer.transition->sheet().fileName(), path("idle2forward.bmp"));
    std::vector<int> shown = runTransition(2);
    shown.insert(shown.begin(), 0);
    EXPECT_EQ(distinct(shown), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    // Six frames of 50 ms, and the step that finds the end shows the last once more.
    EXPECT_EQ(shown.size(), 31u);
    EXPECT_EQ(g().pointer.shape, 2);
    EXPECT_EQ(g().pointer.target, -1);

    // And off it again: the same sheet backwards, then idle.
    frame(-1);
    EXPECT_EQ(g().pointer.target, 1);
    shown = runTransition(-1);
    EXPECT_EQ(distinct(shown), (std::vector<int>{5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(g().pointer.shape, 1);
}

// A transition lasts its six frames whatever its sheet holds: the frames without a cell
// show nothing, and the arrow comes only after the sixth.
TEST_F(PointerTest, ATransitionOnAShortSheetStillTakesSixFrames) {
    writeSheet("idle2forward.bmp", 2);
    frame(2);
    std::vector<int> shown = runTransition(2);
    shown.insert(shown.begin(), 0);
    EXPECT_EQ(distinct(shown), (std::vector<int>{0, 1, -1}));
    EXPECT_EQ(shown.size(), 31u);  // as long as on a full sheet
    EXPECT_EQ(g().pointer.shape, 2);
}

TEST_F(PointerTest, LeftToRightPassesThroughIdleAndRightStepsEvery75ms) {
    g().pointer.shape = 4;
    frame(5);
    ASSERT_TRUE(g().pointer.transition);
    EXPECT_EQ(g().pointer.transition->sheet().fileName(), path("idle2left.bmp"));
    EXPECT_EQ(g().pointer.target, 1);
    runTransition(5);
    EXPECT_EQ(g().pointer.shape, 1);

    frame(5);
    ASSERT_TRUE(g().pointer.transition);
    EXPECT_EQ(g().pointer.transition->sheet().fileName(), path("idle2right.bmp"));
    std::vector<int> shown = runTransition(5);
    shown.insert(shown.begin(), 0);
    EXPECT_EQ(distinct(shown), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    // Drawn every 10 ms, a 75 ms frame shows for eight draws.
    EXPECT_EQ(shown.size(), 49u);
    EXPECT_EQ(g().pointer.shape, 5);
}

TEST_F(PointerTest, InteractComesAndGoesAtOnce) {
    frame(6);
    EXPECT_EQ(g().pointer.shape, 6);
    EXPECT_FALSE(g().pointer.transition);
    frame(-1);
    EXPECT_EQ(g().pointer.shape, 1);
    EXPECT_FALSE(g().pointer.transition);

    // From take or a direction, the sheet runs backwards with interact as the target.
    g().pointer.shape = 7;
    frame(6);
    EXPECT_EQ(g().pointer.transition->sheet().fileName(), path("idle2take.bmp"));
    EXPECT_EQ(g().pointer.target, 6);
    runTransition(6);
    EXPECT_EQ(g().pointer.shape, 6);

    // Interact to take goes to idle at once, then plays the take sheet.
    frame(7);
    EXPECT_EQ(g().pointer.shape, 1);
    EXPECT_FALSE(g().pointer.transition);
    frame(7);
    EXPECT_EQ(g().pointer.target, 7);
}

TEST_F(PointerTest, LeftOrRightToInteractReturnsToIdleFirst) {
    g().pointer.shape = 5;
    frame(6);
    EXPECT_EQ(g().pointer.target, 1);
    runTransition(6);
    EXPECT_EQ(g().pointer.shape, 1);
    frame(6);
    EXPECT_EQ(g().pointer.shape, 6);
}

TEST_F(PointerTest, CursorOneOrOutOfRangeShowsNothingButLetsATransitionFinish) {
    g().pointer.idle = std::make_unique<Surface>();
    g().pointer.idle->create(g().screen.get(), 32, 32, kPlacementAny);
    g().pointer.idle->fill(g().screen->format().map(0, 255, 0));
    frame(-1);
    EXPECT_EQ(g().screen->back().getPixel(101, 101), g().screen->format().map(0, 255, 0));
    for (int kind : {1, 8, -2, 1000}) {
        frame(kind);
        EXPECT_EQ(g().screen->back().getPixel(101, 101), 0u) << kind;
        EXPECT_EQ(g().pointer.shape, 1);
    }
    frame(3);
    ASSERT_TRUE(g().pointer.transition);
    std::vector<int> shown = runTransition(1);
    EXPECT_EQ(distinct(shown).back(), 5);
    EXPECT_EQ(g().pointer.shape, 3);
}

TEST_F(PointerTest, AHeldItemReplacesThePointerAndClearsTheTransition) {
    writeSheet("item.bmp", 4);
    g().inventory.anim = std::make_unique<FrameAnimation>();
    AnimationSettings settings;
    settings.frameWidth = settings.frameHeight = 64;
    settings.frameCount = 4;
    settings.frameDelay = 10;
    settings.looping = true;
    settings.depth = 1;
    ASSERT_EQ(g().inventory.anim->load(g().screen.get(), path("item.bmp"), settings), 1);
    frame(2);
    ASSERT_TRUE(g().pointer.transition);
    g().inventory.selection = 0;
    // Over anything but a take hotspot the item stays on its first frame.
    for (int i = 0; i < 5; ++i) {
        frame(2);
        EXPECT_EQ(frameShownAt(110, 110), 0);
    }
    EXPECT_FALSE(g().pointer.transition);
    EXPECT_EQ(g().pointer.shape, 1);
    frame(7);
    frame(7);
    frame(7);
    EXPECT_GT(frameShownAt(110, 110), 0);  // animated over a take hotspot
    // Dropping the item shows the idle arrow at once.
    g().inventory.selection = -1;
    frame(-1);
    EXPECT_EQ(g().pointer.shape, 1);
    EXPECT_FALSE(g().pointer.transition);
}

TEST_F(PointerTest, AMissingSheetFinishesAtOnce) {
    std::filesystem::remove(path("idle2backward.bmp"));
    frame(3);
    EXPECT_FALSE(g().pointer.transition);
    EXPECT_EQ(g().pointer.shape, 3);
    frame(-1);
    EXPECT_FALSE(g().pointer.transition);
    EXPECT_EQ(g().pointer.shape, 1);
}

TEST_F(PointerTest, ResetReturnsToIdleWithNoTransition) {
    frame(4);
    ASSERT_TRUE(g().pointer.transition);
    g().pointer.reset();
    EXPECT_EQ(g().pointer.shape, 1);
    EXPECT_EQ(g().pointer.target, 0);
    EXPECT_FALSE(g().pointer.transition);
}

}  // namespace

namespace {

TEST_F(PointerTest, AMissingSheetIsNamedOnceOnTheConsole) {
    std::filesystem::remove(path("idle2left.bmp"));
    for (int i = 0; i < 3; ++i) {
        frame(4);
        frame(-1);
    }
    int named = 0;
    for (const std::string& line : g().console.lines) {
        named += line.find("Could not load idle2left.bmp") != std::string::npos;
    }
    EXPECT_EQ(named, 1);
}

}  // namespace
