// The game state as a value: a snapshot put back and played on gives the same states as
// the original run, and its compact encoding reads back exactly.
#include <gtest/gtest.h>

#include "engine/logic_engine.h"
#include "solver_test_game.h"

namespace {

// A game touching every part of the snapshot: variables, hotspot switches and
// conditions, the inventory and its selection, a pending transition, two views.
std::vector<ViewPlan> snapshotGame() {
    ViewPlan hall{"init.scn", "hall", {"let visits=visits+1"}, {}};
    hall.hotspots = {
        {"counter", 2, 0, 0, 100, 100, "()", {"let n=n+1", "if n==2", "disablehs lamp", "endif"}},
        {"lamp", 2, 100, 0, 200, 100, "()", {"addinv inv_horse", "enablehs counter"}},
        {"door", 2, 200, 0, 300, 100, "(n>0)", {"trans black 10", "load room.scn"}},
        {"altar", 7, 300, 0, 400, 100, "()", {"delinv inv_horse", "let offered=cursorinv"}},
    };
    ViewPlan room{"room.scn", "room", {"let inroom=1", "trans alpha 20"}, {}};
    room.hotspots = {{"back", 2, 0, 0, 640, 480, "()", {"load init.scn"}}};
    return {hall, room};
}

struct Click {
    int x, y, selection;
};

std::vector<std::string> playAndReport(LogicEngine& engine, const std::vector<Click>& clicks) {
    std::vector<std::string> lines;
    for (const Click& c : clicks) {
        engine.click(c.x, c.y, c.selection);
        for (const std::string& line : engine.stateLines()) lines.push_back(line);
    }
    return lines;
}

TEST(GameSnapshot, RestoredGamePlaysOnAsTheOriginal) {
    TestGame game(snapshotGame());
    const std::vector<Click> clicks = {{50, 50, -1},  {150, 50, -1}, {50, 50, -1}, {350, 50, 0},
                                       {150, 50, -1}, {250, 50, -1}, {10, 10, -1}, {350, 50, 0},
                                       {150, 50, -1}, {150, 50, 0},  {250, 50, 0}, {20, 20, -1}};
    // The snapshot taken after each number of clicks, 0 to all of them.
    for (size_t split = 0; split <= clicks.size(); ++split) {
        LogicEngine engine(game.path());
        ASSERT_TRUE(engine.start());
        std::vector<Click> before(clicks.begin(), clicks.begin() + split);
        std::vector<Click> after(clicks.begin() + split, clicks.end());
        playAndReport(engine, before);
        const GameSnapshot snapshot = engine.capture();
        const std::vector<std::string> atCapture = engine.stateLines();
        const std::vector<std::string> original = playAndReport(engine, after);
        ASSERT_TRUE(engine.restore(snapshot));
        EXPECT_EQ(engine.stateLines(), atCapture) << "split " << split;
        EXPECT_EQ(engine.capture(), snapshot);
        EXPECT_EQ(playAndReport(engine, after), original) << "split " << split;
    }
}

TEST(GameSnapshot, EncodingReadsBackAndRejectsCutBytes) {
    TestGame game(snapshotGame());
    LogicEngine engine(game.path());
    ASSERT_TRUE(engine.start());
    engine.click(150, 50, -1);
    engine.click(50, 50, -1);
    engine.click(350, 50, 0);
    const GameSnapshot snapshot = engine.capture();
    const std::string bytes = encodeSnapshot(snapshot);
    GameSnapshot back;
    ASSERT_TRUE(decodeSnapshot(bytes, back));
    EXPECT_EQ(back, snapshot);
    EXPECT_EQ(encodeSnapshot(back), bytes);
    // Every shorter prefix and one extra byte are refused.
    for (size_t n = 0; n < bytes.size(); ++n)
        EXPECT_FALSE(decodeSnapshot(bytes.substr(0, n), back)) << n;
    EXPECT_FALSE(decodeSnapshot(bytes + '\0', back));
}

}  // namespace
