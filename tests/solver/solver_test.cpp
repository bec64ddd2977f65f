// The search on small generated games whose answers are known, with one thread and two.
#include <gtest/gtest.h>

#include <algorithm>

#include "solver_test_game.h"
#include "tools/solver/analysis.h"
#include "tools/solver/solve_report.h"
#include "tools/solver/unread_variables.h"

namespace {

HotspotPlan spot(const std::string& name, int cursor, int x, const std::string& condition,
                 std::vector<std::string> click) {
    return {name, cursor, x, 0, x + 100, 100, condition, std::move(click)};
}

struct Solved {
    Exploration e;
    Analysis a;
    SolveStatus status = kUnreadable;
};

Solved solve(const std::string& folder, size_t maxStates, int threads) {
    Solved s;
    SolveOptions options;
    options.folder = folder;
    options.maxStates = maxStates;
    options.threads = threads;
    findUnreadVariables(options);
    if (!explore(options, s.e)) return s;
    s.a = analyse(s.e, folder);
    s.status = solveStatus(s.e, s.a);
    return s;
}

// The report without its figures of time and memory.
std::string stableReport(const Solved& s) {
    std::string text = reportText(s.e, s.a, ReportFigures{1});
    return text.substr(0, text.rfind("time:"));
}

struct Case {
    const char* what;
    std::vector<ViewPlan> game;
    size_t maxStates;
    SolveStatus status;
    int shortest;              // actions to the ending; -1 none
    const char* mistake;       // the first dead end's last step ("" none)
    const char* neverClicked;  // one entry of the never-clickable list ("" none)
    const char* growing;       // a variable named as still growing ("" none)
};

const char* const kTake = "addinv inv_horse";

// Games with a way to their ending.
std::vector<Case> finishableGames() {
    return {
        {"a cycle of two views",
         {{"init.scn", "east", {}, {spot("west", 4, 0, "()", {"load west.scn"})}},
          {"west.scn",
           "west",
           {},
           {spot("east", 5, 0, "()", {"load init.scn"}), spot("exit", 2, 100, "()", {"quit"})}}},
         1000,
         kFinishable,
         2,
         "",
         "",
         ""},
        {"a goto and if maze in one click script",
         {{"init.scn",
           "maze",
           {},
           {spot("lever", 6, 0, "()",
                 {"let i=0", "lab top", "let i=i+1", "if i<5", "goto top", "endif", "if i==5",
                  "goto done", "endif", "let i=99", "lab done", "if i==5", "quit", "endif"})}}},
         1000,
         kFinishable,
         1,
         "",
         "",
         ""},
        {"an on-load script that loads another view",
         {{"init.scn", "porch", {"load inside.scn"}, {spot("stay", 2, 0, "()", {})}},
          {"inside.scn", "inside", {}, {spot("bed", 2, 0, "()", {"quit"})}}},
         1000,
         kFinishable,
         1,
         "",
         "",
         ""},
        {"two dials of three positions and a door", dialsGame(2, 3), 1000, kFinishable, 5, "", "",
         ""},
        {"the right item held",
         {{"init.scn",
           "shrine",
           {},
           {spot("horse", 6, 0, "(have==0)", {kTake, "let have=1"}),
            spot("statue", 7, 100, "()", {"if cursorinv==1", "quit", "endif"})}}},
         1000,
         kFinishable,
         2,
         "",
         "",
         ""},
    };
}

// Games with a dead end, no ending or no bound.
std::vector<Case> flawedGames() {
    return {
        {"an item given away too early",
         {{"init.scn",
           "yard",
           {},
           {spot("horse", 6, 0, "(have==0)", {kTake, "let have=1"}),
            spot("beggar", 7, 100, "()", {"if cursorinv==1", "delinv inv_horse", "endif"}),
            spot("gate", 7, 200, "()", {"if cursorinv==1", "quit", "endif"})}}},
         1000,
         kDeadEndsOrNoEnding,
         2,
         "yard: click 'beggar' holding inv_horse",
         "",
         ""},
        {"a locked door whose key is out of reach",
         {{"init.scn",
           "hall",
           {"disablehs key"},
           {spot("door", 2, 0, "(key==1)", {"quit"}), spot("key", 6, 100, "()", {"let key=1"})}}},
         1000,
         kDeadEndsOrNoEnding,
         -1,
         "",
         "init.scn: 'key'",
         ""},
        {"an unbounded counter",
         {{"init.scn",
           "mill",
           {},
           {spot("wheel", 6, 0, "()", {"let turns=turns+1"}),
            spot("door", 2, 100, "(turns<0)", {"quit"})}}},
         50,
         kIncomplete,
         -1,
         "",
         "",
         "turns"},
        {"a hotspot covered by a later one",
         {{"init.scn",
           "room",
           {},
           {spot("hidden", 2, 0, "()", {"quit"}), spot("cover", 2, 0, "()", {"let seen=1"})}}},
         1000,
         kDeadEndsOrNoEnding,
         -1,
         "",
         "init.scn: 'hidden'",
         ""},
        {"a counter read only by a view file not named .scn",
         {{"init.scn",
           "well",
           {},
           {spot("bucket", 6, 0, "()", {"let w=w+1"}),
            spot("door", 2, 100, "()", {"load room.txt"})}},
          {"room.txt", "room", {}, {spot("exit", 2, 0, "(w>=3)", {"quit"})}}},
         200,
         kDeadEndsOrNoEnding,
         5,
         "well: click 'door'",
         "",
         "w"},
        {"an item that only a take hotspot accepts",
         {{"init.scn",
           "shrine",
           {},
           {spot("horse", 6, 0, "(have==0)", {kTake, "let have=1"}),
            spot("statue", 2, 100, "()", {"if cursorinv==1", "quit", "endif"})}}},
         1000,
         kDeadEndsOrNoEnding,
         -1,
         "",
         "",
         ""},
    };
}

std::vector<Case> cases() {
    std::vector<Case> all = finishableGames();
    for (Case& c : flawedGames()) all.push_back(std::move(c));
    return all;
}

TEST(Solver, GeneratedGamesHaveTheirKnownAnswers) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        TestGame game(c.game);
        const Solved one = solve(game.path(), c.maxStates, 1);
        ASSERT_TRUE(one.e.started);
        EXPECT_EQ(one.status, c.status);
        EXPECT_EQ(one.a.endingReachable ? static_cast<int>(one.a.shortestWay.size()) : -1,
                  c.shortest);
        if (*c.mistake) {
            ASSERT_FALSE(one.a.deadEnds.empty());
            EXPECT_EQ(describe(one.e, one.e.transitions[one.a.deadEnds[0].steps.back()]),
                      c.mistake);
        }
        const auto& never = one.a.neverClickable;
        if (*c.neverClicked) {
            EXPECT_NE(std::find(never.begin(), never.end(), c.neverClicked), never.end());
        }
        if (*c.growing) {
            const auto& g = one.a.growing;
            EXPECT_NE(std::find(g.begin(), g.end(), c.growing), g.end());
        }
        // Two threads find the same states in the same order.
        const Solved two = solve(game.path(), c.maxStates, 2);
        EXPECT_EQ(stableReport(two), stableReport(one));
        EXPECT_EQ(two.e.states, one.e.states);
    }
}

TEST(Solver, StateBoundStopsAtItsLimitAndNotBefore) {
    TestGame game({{"init.scn",
                    "stairs",
                    {},
                    {spot("up", 4, 0, "(step<6)", {"let step=step+1"}),
                     spot("top", 2, 100, "(step==6)", {"quit"})}}});
    const Solved all = solve(game.path(), 1000, 1);
    ASSERT_EQ(all.status, kFinishable);
    const size_t n = all.e.size();
    EXPECT_EQ(solve(game.path(), n, 1).status, kFinishable);
    const Solved short1 = solve(game.path(), n - 1, 1);
    EXPECT_EQ(short1.status, kIncomplete);
    EXPECT_EQ(short1.e.size(), n - 1);
}

TEST(Solver, UnreadVariablesAreOnlyThoseNoLineReads) {
    struct Row {
        std::vector<std::string> lines;
        std::set<std::string> unread;
    };
    const std::vector<Row> rows = {
        {{"let wishes=wishes+1", "echo wishes"}, {"wishes"}},
        {{"let wishes=wishes+1", "if wishes>3", "endif"}, {}},
        {{"let a=b+1", "let b=b+1"}, {"a"}},
        {{"let n=1", "ONCONDITION (n==1)"}, {}},
        {{"// let x=1", "let y=2"}, {"y"}},
        {{"let cursor=1"}, {}},
        {{"let t=1", "load t.scn"}, {}},
    };
    for (const Row& r : rows) EXPECT_EQ(unreadVariables(r.lines), r.unread) << r.lines[0];
}

}  // namespace
