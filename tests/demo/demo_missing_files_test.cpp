// The demo folder with any one file removed still starts, says what is missing, and
// stays playable where it can.
#include <gtest/gtest.h>

#include <set>

#include "support/headless_run.h"

namespace fs = std::filesystem;
using headless_test::GameFolder;
using headless_test::runHeadless;

namespace {

TEST(DemoMissingFiles, EveryFileCanGoMissing) {
    fs::path demo = headless_test::buildDir() / "demo-game";
    ASSERT_TRUE(fs::exists(demo / "init.scn")) << "the demo game was not generated";
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(demo))
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
            names.push_back(entry.path().filename().string());
    ASSERT_GT(names.size(), 20u);

    // Files the start-up and a walk into the garden read.
    const std::set<std::string> readOnTheWay = {
        "init.scn",          "gate.jpg",      "court.scn",      "court.jpg",
        "garden.scn",        "garden.jpg",    "pointidle.bmp",  "pointforward.bmp",
        "pointbackward.bmp", "pointleft.bmp", "pointright.bmp", "interact.bmp",
        "take.bmp",          "console.bmp",   "idle2left.bmp",  "idle2forward.bmp"};

    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        GameFolder game;
        game.copyFrom(demo);
        fs::remove(game.path() / name);
        auto run = runHeadless(game,
                               "frames 2\nmove 320 260\nframes 3\ntap MOUSE LEFT\nframes 10\n"
                               "move 60 260\nframes 3\ntap MOUSE LEFT\n"
                               "frames 10\ntap GRAVE\nframes 2\nstate\nclose\n");
        const std::string out = run.all();
        EXPECT_EQ(run.status, 0) << out;
        EXPECT_EQ(out.find("BOX "), std::string::npos) << out;
        if (name != "init.scn" && name != "court.scn" && name != "garden.scn") {
            EXPECT_EQ(run.state("view"), "garden.scn") << out;
        }
        if (readOnTheWay.count(name)) {
            EXPECT_NE(out.find(name), std::string::npos) << "not reported: " << out;
        }
    }
}

}  // namespace
