// What the walkthrough, the chart and the JSON report say about small games.
#include "tools/solver/charts.h"

#include <gtest/gtest.h>

#include "solver_test_game.h"
#include "tools/solver/analysis.h"
#include "tools/solver/solve_report.h"

namespace {

TEST(SolverCharts, WalkthroughChartAndJsonNameTheGamesSteps) {
    // Two views; the horse is taken in the first, held at the door of the second.
    const std::vector<ViewPlan> game = {
        {"init.scn",
         "stable",
         {},
         {{"horse", 6, 0, 0, 100, 100, "(have==0)", {"addinv inv_horse", "let have=1"}},
          {"lane", 4, 200, 0, 300, 100, "()", {"load gate.scn"}}}},
        {"gate.scn",
         "gate",
         {},
         {{"door", 7, 0, 0, 100, 100, "()", {"if cursorinv==1", "quit", "endif"}},
          {"back", 5, 200, 0, 300, 100, "()", {"load init.scn"}}}}};
    TestGame folder(game);
    SolveOptions options;
    options.folder = folder.path();
    Exploration e;
    ASSERT_TRUE(explore(options, e));
    const Analysis a = analyse(e, folder.path());
    struct Row {
        std::string text;
        std::vector<std::string> has;
    };
    const std::vector<Row> rows = {
        {walkthroughInput(e, a.shortestWay),
         // The horse, the lane, then the door with the horse: one right tap.
         {"move 50 50\nframes 1\ntap MOUSE LEFT\n",
          "# gate: click 'door' holding inv_horse\n"
          "tap MOUSE RIGHT\nmove 50 50\n",
          "frames 1\nstate\n"}},
        {dotChart(e),
         {"\"init.scn\" [label=\"stable\\ninit.scn\"]",
          "\"init.scn\" -> \"gate.scn\" [label=\"click 'lane'\"]",
          "click 'horse': +inv_horse, have=1", "\"gate.scn\" -> \"(ending)\""}},
        {reportJson(e, a, ReportFigures{}),
         {"\"ending_reachable\":true", "\"shortest_way\":[\"stable: click 'horse'\"",
          "\"dead_ends\":[]", "\"variables\":{\"have\":[0,1]}", "\"complete\":true"}},
    };
    for (const Row& r : rows)
        for (const std::string& part : r.has)
            EXPECT_NE(r.text.find(part), std::string::npos) << part << "\nin\n" << r.text;
}

}  // namespace
