#include "platform/null_display.h"
#include "support/engine_test.h"

namespace {

class TransitionTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        auto display = std::make_unique<NullDisplay>();
        display_ = display.get();
        g().screen = std::make_unique<Screen>(std::move(display), clock(), text(), pictures());
        ASSERT_EQ(g().screen->createWindowed(640, 480), 0);
        engine->assets().setScreen(g().screen.get());
        scene().setBackdrop(std::make_unique<Surface>());
        scene().backdrop()->create(g().screen.get(), 640, 480, kPlacementAny);
        write("r.scn", "VIEW r BASEIMAGE r.jpg ONLOADSTART\nONLOADEND\n");
    }
    // Frames shown while "load" runs.
    int framesOfLoad() {
        int before = display_->shows();
        run({"load r.scn"});
        return display_->shows() - before;
    }
    NullDisplay* display_ = nullptr;
};

TEST_F(TransitionTest, CrossFadeFramesFollowTheStep) {
    run({"trans alpha 0"});
    EXPECT_EQ(framesOfLoad(), 6);  // levels 255, 205, 155, 105, 55, 5
    EXPECT_EQ(framesOfLoad(), 0);  // used up: the next change is a cut
    run({"trans alpha 300"});
    EXPECT_EQ(framesOfLoad(), 1);
    run({"trans Alpha 10"});
    EXPECT_EQ(framesOfLoad(), 0);
    EXPECT_EQ(scene().transition().type, "Alpha");
}

TEST_F(TransitionTest, FadeThroughBlackEndsOnTheNewPicture) {
    run({"trans black 30"});
    EXPECT_GT(framesOfLoad(), 2);
    EXPECT_EQ(scene().transition().type, "");
    ASSERT_NE(scene().backdrop(), nullptr);
    EXPECT_EQ(scene().backdrop()->width(), 640);
}

}  // namespace
