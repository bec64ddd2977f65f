#include "support/engine_test.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsSupersetOf;

class LoadCommand : public EngineTest {
protected:
    void view(const std::string& file, const std::string& base, const std::string& onLoad,
              const std::string& tail = "") {
        write(file, "VIEW v BASEIMAGE " + base + " ONLOADSTART\n" + onLoad + "\nONLOADEND\n" +
                        "HOTSPOTSTART h CURSOR 1 COORD (0,0),(9,0),(9,9) ONCONDITION () "
                        "ONCLICKSTART\nONCLICKEND\nHOTSPOTEND\n" +
                        tail);
    }
};

TEST_F(LoadCommand, SuccessEndsTheScriptThatLoaded) {
    view("room2.scn", "room2.jpg", "echo 7");
    run({"load room2.scn", "echo 9"});
    EXPECT_THAT(texts(), ElementsAre("Loading room2.scn", "7", "switching to room2.jpg"));
    EXPECT_EQ(scene().view()->fileName(), "room2.scn");
}

TEST_F(LoadCommand, ReadingErrorKeepsThePartlyReadViewAndGoesOn) {
    view("broken.scn", "b.jpg", "echo 7", "HOTSPOTSTART x CURSOR");
    run({"load broken.scn", "echo 9"});
    EXPECT_THAT(texts(), ElementsAre("Loading broken.scn", "7", "Expected COORD", "9"));
    EXPECT_EQ(scene().view()->fileName(), "broken.scn");
    EXPECT_EQ(scene().view()->hotspotCount(), 1u);
}

TEST_F(LoadCommand, MissingFileOrNameChangesNothing) {
    View* before = scene().view();
    run({"load nothere.scn", "load", "echo 1"});
    EXPECT_THAT(texts(), ElementsAre("Error in Cmd: load nothere.scn", "Cannot find file",
                                     "Error in Cmd: load", "Too few arguments", "1"));
    EXPECT_EQ(scene().view(), before);
}

TEST_F(LoadCommand, LoadInsideABodyEndsOnlyTheBody) {
    view("room2.scn", "room2.jpg", "");
    run({"if a==0", "load room2.scn", "echo 1", "endif", "echo 2"});
    EXPECT_THAT(texts(), ElementsAre("Loading room2.scn", "switching to room2.jpg", "2"));
}

TEST_F(LoadCommand, NestedLoadShowsTheInnermostView) {
    view("outer.scn", "outer.jpg", "load inner.scn\necho 5");
    view("inner.scn", "inner.jpg", "");
    run({"load outer.scn"});
    EXPECT_THAT(texts(), ElementsAre("Loading outer.scn", "Loading inner.scn",
                                     "switching to inner.jpg", "switching to inner.jpg"));
    EXPECT_EQ(scene().view()->fileName(), "inner.scn");
}

TEST_F(LoadCommand, LabelFromAnOnLoadScriptNeverLeaks) {
    view("jumpy.scn", "j.jpg", "goto x");
    run({"load jumpy.scn"});
    EXPECT_TRUE(interpreter().pendingLabel().empty());
    lines.clear();
    run({"echo 1", "lab x", "echo 2"});
    EXPECT_THAT(texts(), ElementsAre("1", "2"));
}

TEST_F(LoadCommand, ViewsLoadingEachOtherStopAtTheNestingLimit) {
    view("a.scn", "a.jpg", "load b.scn");
    view("b.scn", "b.jpg", "load a.scn");
    run({"load a.scn"});
    EXPECT_THAT(reds(), ElementsAre("Error:  Scripts nested too deeply"));
    EXPECT_NE(scene().view(), nullptr);
}

TEST_F(LoadCommand, ReloadingResetsFlagsAndRunsOnLoadAgain) {
    view("r.scn", "r.jpg", "let visits=visits+1");
    run({"load r.scn"});
    run({"disablehs h"});
    EXPECT_FALSE(scene().view()->hotspot(0).enabled());
    run({"load r.scn"});
    EXPECT_TRUE(scene().view()->hotspot(0).enabled());
    EXPECT_EQ(var("visits"), 2);
}

TEST_F(LoadCommand, TransitionsArePendingUntilALoad) {
    view("r.scn", "r.jpg", "");
    run({"trans alpha 0"});
    EXPECT_EQ(scene().transition().type, "alpha");
    EXPECT_EQ(scene().transition().step, 50);
    run({"load r.scn"});
    EXPECT_EQ(scene().transition().type, "");
    run({"trans Alpha 10", "load r.scn"});
    EXPECT_EQ(scene().transition().type, "Alpha");  // not a known effect: a cut, still pending
    EXPECT_EQ(scene().transition().step, 10);
    lines.clear();
    run({"trans black"});
    EXPECT_THAT(texts(), ElementsAre("Error in Cmd: trans black", "Too few arguments"));
    EXPECT_EQ(scene().transition().type, "Alpha");
}

}  // namespace

namespace {

// Broken views whose on-load scripts each load two more would otherwise double the work
// at every level.
TEST_F(LoadCommand, BrokenViewsLoadingEachOtherTwiceStillEnd) {
    write("b.scn", "VIEW v BASEIMAGE b ONLOADSTART\nload b.scn\nload b.scn\nONLOADEND\nBAD");
    run({"load b.scn"});
    size_t refusals = 0;
    for (const std::string& text : texts())
        if (text == "Too many views loaded by one script") ++refusals;
    EXPECT_GT(refusals, 0u);
    lines.clear();
    run({"load b.scn"});  // a new script has a fresh allowance
    EXPECT_EQ(texts().front(), "Loading b.scn");
}

}  // namespace
