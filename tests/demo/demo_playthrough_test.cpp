// Plays the generated demo game from its first view to the ending through the
// headless runner, as a player would with the mouse.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/headless_run.h"
#include "support/test_pictures.h"

namespace fs = std::filesystem;
using headless_test::GameFolder;
using headless_test::runHeadless;

namespace {

// Moves onto a point, lets the pointer settle, clicks, and reports state.
std::string clickAt(int x, int y) {
    return "move " + std::to_string(x) + " " + std::to_string(y) +
           "\nframes 3\ntap MOUSE LEFT\nframes 2\nstate\n";
}

// The generated demo, painted by the build into the build tree.
fs::path demoSource() {
    return headless_test::buildDir() / "demo-game";
}

class DemoGame : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(demoSource() / "init.scn")) << "the demo game was not generated";
        game.copyFrom(demoSource());
        dir = game.path();
    }
    GameFolder game;
    fs::path dir;
};

TEST_F(DemoGame, WalksFromTheCourtyardToTheEnding) {
    std::string input = "frames 2\nstate\n";
    input += clickAt(320, 260);                     // through the gateway
    input += clickAt(60, 260);                      // the garden arch
    input += clickAt(500, 330);                     // take the figurine
    input += clickAt(320, 460);                     // back to the courtyard
    input += "tap MOUSE RIGHT\nframes 2\nstate\n";  // hold the figurine
    input += clickAt(220, 370);                     // set it on its pedestal
    input += clickAt(320, 260);                     // through the door, now open
    input += clickAt(80, 280);                      // the library on the left
    input += clickAt(318, 240);                     // the red book
    input += clickAt(320, 230);                     // up the hidden stair
    input += clickAt(470, 350);                     // towards the horizon: the end
    input += "tap A\nframes 1\n";                   // any key leaves the ending
    auto run = runHeadless(game, input);

    EXPECT_EQ(run.status, 0) << run.all();
    EXPECT_TRUE(run.has("W  1: VORLEN")) << run.all();
    EXPECT_TRUE(run.printed("Loading court.scn"));
    EXPECT_TRUE(run.printed("Loading garden.scn"));
    EXPECT_TRUE(run.printed("Loading garden_empty.scn"));
    EXPECT_TRUE(run.printed("Loading court_open.scn"));
    EXPECT_TRUE(run.printed("Loading hall.scn"));
    EXPECT_TRUE(run.printed("Loading library.scn"));
    EXPECT_TRUE(run.printed("Loading library_open.scn"));
    EXPECT_TRUE(run.printed("Loading tower.scn"));
    EXPECT_TRUE(run.printed("switching to tower.jpg"));
    EXPECT_EQ(run.state("mode"), "2");
    EXPECT_EQ(run.state("view"), "tower.scn");
    EXPECT_EQ(run.state("inventory"), "");
    EXPECT_EQ(run.state("selection"), "-1");
    EXPECT_EQ(run.state("var=placed"), "1");
    EXPECT_EQ(run.state("var=passage"), "1");
    // Not one error on the way.
    int errors = 0;
    for (const std::string& line : run.lines) errors += line.rfind("R ", 0) == 0;
    EXPECT_EQ(errors, 0) << run.all();
}

TEST_F(DemoGame, TheDoorStaysShutUntilTheFigurineIsHome) {
    auto run = runHeadless(game, clickAt(320, 260) + clickAt(320, 260) + "close\n");
    EXPECT_EQ(run.state("view"), "court.scn");
    EXPECT_FALSE(run.printed("Loading hall.scn"));
    // Only the locked door answers under the pointer there.
    EXPECT_EQ(run.state("var=cursor"), "6");
}

TEST_F(DemoGame, TheCrankLetsTheBucketDown) {
    std::string input = clickAt(320, 260) + clickAt(560, 260);  // the well
    input += clickAt(320, 285);                                 // the bucket: not yet reachable
    input += clickAt(440, 224);                                 // turn the crank
    input += clickAt(320, 285);                                 // now the bucket answers
    input += "close\n";
    auto run = runHeadless(game, input);
    EXPECT_EQ(run.state("view"), "well.scn");
    EXPECT_EQ(run.state("var=wishes"), "1");
    EXPECT_TRUE(run.has("S hotspot=crank 0 1 6"));
    EXPECT_TRUE(run.has("S hotspot=bucket 1 1 6"));
}

// The back buffer after a view change shows that view's picture (away from the pointer).
TEST_F(DemoGame, ShotsShowTheViewOnScreen) {
    std::string input = clickAt(320, 260);
    input += "move 600 20\nframes 2\nshot court.bmp\n";
    input += clickAt(60, 260);
    input += "move 600 20\nframes 2\nshot garden.bmp\nclose\n";
    auto run = runHeadless(game, input);
    ASSERT_EQ(run.status, 0) << run.all();

    auto near = [](const Picture& shot, const Picture& view, int x, int y) {
        const uint8_t* a = shot.row(y) + x * (shot.bitsPerPixel / 8);
        const uint8_t* b = view.row(y) + x * (view.bitsPerPixel / 8);
        for (int i = 0; i < 3; ++i)
            if (std::abs(int(a[i]) - int(b[i])) > 12) return false;
        return true;
    };
    for (auto [shotName, viewName, otherName] :
         {std::tuple{"court.bmp", "court.jpg", "garden.jpg"},
          std::tuple{"garden.bmp", "garden.jpg", "court.jpg"}}) {
        Picture shot, view, other;
        ASSERT_TRUE(testPictureFormats().readFile((dir / shotName).string(), shot)) << shotName;
        ASSERT_TRUE(testPictureFormats().readFile((dir / viewName).string(), view));
        ASSERT_TRUE(testPictureFormats().readFile((dir / otherName).string(), other));
        ASSERT_EQ(shot.width, 640);
        ASSERT_EQ(shot.height, 480);
        int same = 0, sameAsOther = 0;
        for (int y = 100; y < 460; y += 37)
            for (int x = 13; x < 560; x += 41) {
                same += near(shot, view, x, y);
                sameAsOther += near(shot, other, x, y);
            }
        EXPECT_GT(same, 120) << shotName;  // of 150 samples
        EXPECT_LT(sameAsOther, 60) << shotName;
    }
}

}  // namespace
