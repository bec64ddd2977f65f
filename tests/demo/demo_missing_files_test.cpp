// The demo folder with any one file removed still starts, says what is missing, and
// stays playable where it can.
#include <gtest/gtest.h>

#include <set>

#include "run_engine.h"

namespace fs = std::filesystem;
using demo_test::copyDemo;
using demo_test::runHeadless;

namespace {

TEST(DemoMissingFiles, EveryFileCanGoMissing) {
    fs::path master = copyDemo("missing-master");
    if (master.empty()) GTEST_SKIP() << "the demo game was not generated";
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(master))
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
        fs::path dir = master.parent_path() / (master.filename().string() + "-" + name);
        fs::remove_all(dir);
        fs::copy(master, dir, fs::copy_options::recursive);
        fs::remove(dir / name);
        auto run = runHeadless(dir,
                               "frames 2\nmove 320 260\nframes 3\ntap MOUSE LEFT\nframes 10\n"
                               "move 60 260\nframes 3\ntap MOUSE LEFT\n"
                               "frames 10\ntap GRAVE\nframes 2\nstate\nclose\n");
        EXPECT_EQ(run.status, 0) << run.out;
        EXPECT_EQ(run.out.find("BOX "), std::string::npos) << run.out;
        if (name != "init.scn" && name != "court.scn" && name != "garden.scn") {
            EXPECT_EQ(run.state("view"), "garden.scn") << run.out;
        }
        if (readOnTheWay.count(name)) {
            EXPECT_NE(run.out.find(name), std::string::npos) << "not reported: " << run.out;
        }
        fs::remove_all(dir);
    }
    fs::remove_all(master);
}

}  // namespace
