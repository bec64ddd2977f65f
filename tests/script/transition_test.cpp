#include "platform/null_display.h"
#include "script/script_test_fixture.h"
#include "support/test_pictures.h"

namespace {

class Transitions : public ScriptTest {
protected:
    void SetUp() override {
        ScriptTest::SetUp();
        auto display = std::make_unique<NullDisplay>();
        display_ = display.get();
        game().screen =
            std::make_unique<Screen>(std::move(display), clock_, nullptr, &testPictureFormats());
        ASSERT_EQ(game().screen->createWindowed(640, 480), 0);
        game().backdrop = std::make_unique<Surface>();
        game().backdrop->create(game().screen.get(), 640, 480, kPlacementAny);
        write("r.scn", "VIEW r BASEIMAGE r.jpg ONLOADSTART\nONLOADEND\n");
    }
    // Frames shown while "load" runs.
    int framesOfLoad() {
        int before = display_->shows();
        run({"load r.scn"});
        return display_->shows() - before;
    }
    NullDisplay* display_ = nullptr;
    SteadyClock clock_;
};

TEST_F(Transitions, CrossFadeFramesFollowTheStep) {
    run({"trans alpha 0"});
    EXPECT_EQ(framesOfLoad(), 6);  // levels 255, 205, 155, 105, 55, 5
    EXPECT_EQ(framesOfLoad(), 0);  // used up: the next change is a cut
    run({"trans alpha 300"});
    EXPECT_EQ(framesOfLoad(), 1);
    run({"trans Alpha 10"});
    EXPECT_EQ(framesOfLoad(), 0);
    EXPECT_EQ(game().transitionType, "Alpha");
}

TEST_F(Transitions, FadeThroughBlackEndsOnTheNewPicture) {
    run({"trans black 30"});
    EXPECT_GT(framesOfLoad(), 2);
    EXPECT_EQ(game().transitionType, "");
    ASSERT_NE(game().backdrop, nullptr);
    EXPECT_EQ(game().backdrop->width(), 640);
}

}  // namespace
