// The logic-only engine against engine-headless: random plays, each action made once by
// the solver's engine and once by real moves and clicks; the game's state lines must be
// equal after every action, also when the solver's engine puts its state back through a
// snapshot before each action.
#include <gtest/gtest.h>

#include <random>

#include "engine/logic_engine.h"
#include "game/inventory.h"
#include "solver_test_game.h"
#include "support/headless_run.h"
#include "tools/solver/charts.h"
#include "view/clickable_points.h"
#include "view/view.h"

namespace {

// The lines that describe the game rather than its pictures, sounds or pointer: those
// the logic-only engine leaves alone.
bool gameLine(const std::string& line) {
    for (const char* key : {"S pointer=", "S target=", "S images=", "S anims=", "S movies=",
                            "S slots=", "S voices=", "S music=", "S base="})
        if (line.rfind(key, 0) == 0) return false;
    return line.rfind("S ", 0) == 0;
}

std::vector<std::string> gameLines(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines)
        if (gameLine(l)) out.push_back(l);
    return out;
}

// Plays `actions` random actions; returns the input for engine-headless and the state
// lines after each action.
std::string randomPlay(const std::string& folder, unsigned seed, int actions, bool viaSnapshot,
                       std::vector<std::vector<std::string>>& states) {
    LogicEngine engine(folder);
    EXPECT_TRUE(engine.start());
    std::mt19937 random(seed);
    ClickablePoints points;
    std::string input;
    for (int i = 0; i < actions && engine.mode() == 1 && engine.view(); ++i) {
        const std::vector<ClickablePoint> reachable = points.of(*engine.view());
        if (reachable.empty()) break;
        const ClickablePoint& p = reachable[random() % reachable.size()];
        const size_t entries = engine.inventory().items.size();
        const bool take = engine.view()->hotspot(static_cast<size_t>(p.index)).cursor() == 7;
        const int32_t held = take ? static_cast<int32_t>(random() % (entries + 1)) - 1 : -1;
        const Action action{p.index, held, p.point.x, p.point.y};
        input += actionInput(engine.inventory().selection, entries, action) + "state\n";
        if (viaSnapshot) {
            GameSnapshot back;
            EXPECT_TRUE(decodeSnapshot(encodeSnapshot(engine.capture()), back));
            engine.restore(back);
        }
        engine.click(action.x, action.y, action.selection);
        states.push_back(gameLines(engine.stateLines()));
    }
    return input;
}

std::vector<std::vector<std::string>> headlessStates(const headless_test::RunResult& run) {
    std::vector<std::vector<std::string>> out;
    std::vector<std::string> block;
    for (const std::string& line : run.lines) {
        if (!gameLine(line)) continue;
        block.push_back(line);
        if (line == "S end") {
            out.push_back(block);
            block.clear();
        }
    }
    return out;
}

std::vector<ViewPlan> generatedGame() {
    auto spot = [](const std::string& name, int cursor, int x, int y, const std::string& cond,
                   std::vector<std::string> click) {
        return HotspotPlan{name, cursor, x, y, x + 120, y + 100, cond, std::move(click)};
    };
    ViewPlan a{"init.scn", "a", {"let visits=visits+1"}, {}};
    a.hotspots = {spot("take", 6, 0, 0, "(have==0)", {"addinv inv_horse", "let have=1"}),
                  spot("give", 7, 150, 0, "()", {"delinv inv_horse", "let given=cursorinv"}),
                  spot("toggle", 2, 300, 0, "()",
                       {"if flag==0", "let flag=1", "disablehs give", "else", "let flag=0",
                        "enablehs give", "endif"}),
                  spot("door", 4, 0, 200, "(visits<4)", {"trans alpha 60", "load b.scn"}),
                  spot("late", 2, 60, 250, "(flag==1)", {"let late=late+1"}),
                  spot("end", 2, 400, 300, "(given==1)", {"quit"})};
    ViewPlan b{"b.scn", "b", {"let inb=1"}, {}};
    b.hotspots = {spot("back", 5, 0, 0, "()", {"trans black 10", "load init.scn"}),
                  spot("add", 7, 200, 0, "()", {"addinv inv_horse"}),
                  spot("hidden", 2, 200, 0, "()", {"let hidden=1"})};
    return {a, b};
}

// Every media command on the demo's files: the logic-only engine plays none of them, and
// the game must go on as in the real engine.
ViewPlan mediaView() {
    ViewPlan v{"init.scn", "media", {"playmusic garden.ogg"}, {}};
    v.hotspots = {
        {"all",
         2,
         0,
         0,
         100,
         100,
         "()",
         {"playmovie dooropen.mpg", "playoverlaymovie dooropen.mpg 0 0 10 10",
          "addoverlayimage o horse.bmp 0 0", "addoverlayanim an horse.bmp 0 0 10 10 4 100",
          "addoverlaymovie mv dooropen.mpg 0 0", "playsound door.wav 1", "soundlist", "stopmusic",
          "setvol 100", "beep", "debug", "lisths", "deloverlayimage o", "let n=n+1", "if n==4",
          "quit", "endif"}},
        {"more",
         7,
         100,
         0,
         200,
         100,
         "(n>1)",
         {"addinv inv_horse", "trans alpha 50", "load init.scn"}}};
    return v;
}

TEST(SolverAgreement, LogicEngineMatchesHeadlessClicks) {
    TestGame generated(generatedGame());
    headless_test::GameFolder demo, media;
    demo.copyFrom(headless_test::buildDir() / "demo-game");
    media.copyFrom(headless_test::buildDir() / "demo-game");
    media.write("init.scn", viewText(mediaView()));
    const std::vector<std::string> folders = {generated.path(), demo.path().string(),
                                              media.path().string()};
    for (const std::string& folder : folders) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            for (bool viaSnapshot : {false, true}) {
                SCOPED_TRACE(folder + " seed " + std::to_string(seed) +
                             (viaSnapshot ? " via snapshots" : ""));
                std::vector<std::vector<std::string>> logic;
                const std::string input = randomPlay(folder, seed, 25, viaSnapshot, logic);
                const auto real = headlessStates(headless_test::runHeadless(folder, input));
                ASSERT_GE(logic.size(), 3u);
                ASSERT_EQ(real.size(), logic.size());
                for (size_t i = 0; i < logic.size(); ++i)
                    ASSERT_EQ(logic[i], real[i]) << "after action " << i + 1;
            }
        }
    }
}

}  // namespace
