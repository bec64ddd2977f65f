// The demo played without a mouse: the focus keys walk to each hotspot of the route and
// Enter clicks it. The same route clicked with mouse moves must leave every state line
// as the keys do.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>

#include "platform/game_folder.h"
#include "platform/message_sink.h"
#include "support/headless_run.h"
#include "view/clickable_points.h"
#include "view/view.h"

namespace fs = std::filesystem;
using headless_test::runHeadless;

namespace {

// One `state` block: its lines from "S mode=" to "S end".
using Block = std::vector<std::string>;

std::vector<Block> blocksOf(const headless_test::RunResult& run) {
    std::vector<Block> blocks;
    bool inside = false;
    for (const std::string& line : run.lines) {
        if (line.rfind("S mode=", 0) == 0) {
            blocks.emplace_back();
            inside = true;
        }
        if (inside) blocks.back().push_back(line);
        if (line == "S end") inside = false;
    }
    return blocks;
}

std::string valueIn(const Block& block, const std::string& key) {
    const std::string prefix = "S " + key + "=";
    for (const std::string& line : block)
        if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
    return "<missing>";
}

// The demo's route: hotspot names, "*" for a press of the inventory key.
const std::vector<std::string> kRoute = {"gateway", "garden",   "horse",  "back",
                                         "*",       "pedestal", "enter",  "library",
                                         "book",    "stair",    "horizon"};

class DemoByKeys : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path demo = headless_test::buildDir() / "demo-game";
        ASSERT_TRUE(fs::exists(demo / "labels.txt")) << "the demo game was not generated";
        game.copyFrom(demo);
        // No settings of the person running the tests.
        config = game.path() / "config-home";
        fs::create_directories(config / "vorlen");
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    }
    void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }

    // Where a click on hotspot `name` of the block's view lands: the focus point for the
    // variables the block lists.
    Point pointOf(const Block& block, const std::string& name) {
        Variables variables;
        for (const std::string& line : block)
            if (line.rfind("S var=", 0) == 0) {
                const size_t equals = line.find('=', 6);
                variables[line.substr(6, equals - 6)] = std::atoi(line.c_str() + equals + 1);
            }
        SilentSink quiet;
        View view(variables, quiet);
        std::string error;
        EXPECT_TRUE(view.load(valueIn(block, "view"), ::GameFolder(game.path().string()), error));
        for (const ClickablePoint& p : findClickablePoints(view))
            if (view.hotspot(static_cast<size_t>(p.index)).name() == name) return p.point;
        ADD_FAILURE() << name << " cannot be clicked in " << valueIn(block, "view");
        return {};
    }

    // Builds the key input for the route (finding each hotspot by tabbing in a trial run)
    // and the matching mouse input; both print state after every click. A Tab always
    // is a mouse move onto the point it focuses, resting there for the Tab's two frames.
    struct Way {
        std::string step, click, inventory;  // click ends with "state"
    };
    const Way kFocusKeys{"tap TAB\n", "tap ENTER\nframes 2\nstate\n", "tap I\nframes 1\n"};

    void plan(const std::string& start, std::string& keys, std::string& mouse) {
        plan(start, kFocusKeys, keys, mouse);
    }
    void plan(const std::string& start, const Way& way, std::string& keys, std::string& mouse) {
        keys = start;
        mouse = start;
        int clicks = 0;
        for (const std::string& target : kRoute) {
            if (target == "*") {
                keys += way.inventory;
                mouse += "tap MOUSE RIGHT\nframes 1\n";
                continue;
            }
            std::string probe = keys + "state\n";
            for (int k = 0; k < 8; ++k) probe += way.step + "state\n";
            auto probed = runHeadless(game, probe + "close\n");
            auto blocks = blocksOf(probed);
            // The blocks after those of the clicks so far: where the view starts, then
            // one per Tab.
            const size_t first = static_cast<size_t>(clicks) + 1;
            int found = -1;
            for (size_t k = first; k < blocks.size() && found < 0; ++k)
                if (valueIn(blocks[k], "focus") == target) found = static_cast<int>(k - first + 1);
            ASSERT_GE(found, 0) << "the focus never reached " << target << "\n" << probed.all();
            // Each Tab as a mouse move onto the point it focused, for as many frames.
            for (int k = 0; k < found; ++k) {
                const Block& after = blocks[first + static_cast<size_t>(k)];
                const Point p = pointOf(after, valueIn(after, "focus"));
                keys += way.step;
                mouse += "move " + std::to_string(p.x) + " " + std::to_string(p.y) + "\nframes 2\n";
            }
            ++clicks;
            keys += way.click;
            mouse += "tap MOUSE LEFT\nframes 2\nstate\n";
        }
    }

    headless_test::GameFolder game;
    fs::path config;
};

TEST_F(DemoByKeys, TabEnterAndTheInventoryKeyReachTheEnding) {
    std::string keys, mouse;
    plan("frames 2\ntap V\n", keys, mouse);
    if (HasFatalFailure()) return;
    ASSERT_EQ(keys.find("move"), std::string::npos);
    auto run = runHeadless(game, keys + "tap ENTER\nframes 1\n");
    EXPECT_EQ(run.status, 0) << run.all();
    EXPECT_EQ(run.state("mode"), "2");
    EXPECT_EQ(run.state("view"), "tower.scn");
    EXPECT_EQ(run.state("var=placed"), "1");
    std::vector<std::string> spoken;
    for (const std::string& line : run.lines)
        if (line.rfind("T ", 0) == 0) spoken.push_back(line.substr(2));
    // What a listener hears at the turns of the walk, in this order.
    const std::vector<std::string> expected = {
        "speech on",
        "the courtyard. the garden arch, turn left",
        "the garden. the fountain, use",
        "the brass horse, take",
        "the garden. the fountain, use",
        "the brass horse",
        "the empty pedestal, put",
        "the hall. the portrait, use",
        "the library door, turn left",
        "the library. the red book, use",
        "the library. the hidden stair, go forward",
        "the tower. the horizon, go forward",
        "the end",
    };
    size_t at = 0;
    for (const std::string& line : spoken)
        if (at < expected.size() && line == expected[at]) ++at;
    EXPECT_EQ(at, expected.size())
        << "missing: " << (at < expected.size() ? expected[at] : "") << "\n"
        << run.all();
}

// One switch: the focus moves by itself every 1.5 s; a short press clicks and a long one
// cycles the inventory.
TEST_F(DemoByKeys, ScanModeWithOneKeyReachesTheEnding) {
    std::ofstream(config / "vorlen" / "settings.txt") << "scan = on\nscan interval = 1500\n";
    const Way scan{"frames 150\n", "tap SPACE\nframes 2\nstate\n",
                   "down SPACE\nframes 90\nup SPACE\nframes 1\n"};
    std::string keys, mouse;
    plan("frames 2\n", scan, keys, mouse);
    if (HasFatalFailure()) return;
    for (const char* other : {"TAB", "ENTER", "move", " I\n"})
        EXPECT_EQ(keys.find(other), std::string::npos) << other;
    auto run = runHeadless(game, keys + "state\nclose\n");
    EXPECT_EQ(run.state("mode"), "2") << run.all();
    EXPECT_EQ(run.state("view"), "tower.scn");
    EXPECT_EQ(run.state("var=placed"), "1");
}

TEST_F(DemoByKeys, ScriptsSeeTheSameGameAsWithTheMouse) {
    std::string keys, mouse;
    plan("frames 2\n", keys, mouse);
    if (HasFatalFailure()) return;
    auto byKeys = blocksOf(runHeadless(game, keys + "close\n"));
    auto byMouse = blocksOf(runHeadless(game, mouse + "close\n"));
    ASSERT_EQ(byKeys.size(), kRoute.size() - 1);
    ASSERT_EQ(byMouse.size(), byKeys.size());
    for (size_t i = 0; i < byKeys.size(); ++i) {
        // Only the focus line tells the two apart.
        Block keysBlock, mouseBlock;
        for (const std::string& l : byKeys[i])
            if (l.rfind("S focus=", 0) != 0) keysBlock.push_back(l);
        for (const std::string& l : byMouse[i])
            if (l.rfind("S focus=", 0) != 0) mouseBlock.push_back(l);
        EXPECT_EQ(keysBlock, mouseBlock) << "after click " << i + 1;
    }
    EXPECT_EQ(valueIn(byKeys.back(), "mode"), "2");
}

}  // namespace
