// vorlen-solve as a program: its exit statuses, and the demo's walkthrough replayed by
// engine-headless reaching the ending.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "solver_test_game.h"
#include "support/headless_run.h"

namespace {

int runSolver(const std::string& arguments, std::string* out = nullptr) {
    const std::string command =
        (headless_test::buildDir() / "vorlen-solve").string() + " " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    std::string text;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    const int status = pclose(pipe);
    if (out) *out = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SolverProgram, ExitStatusSaysWhatWasProven) {
    TestGame counter({{"init.scn",
                       "mill",
                       {},
                       {{"wheel", 6, 0, 0, 100, 100, "()", {"let turns=turns+1"}},
                        {"door", 2, 100, 0, 200, 100, "(turns<0)", {"quit"}}}}});
    TestGame empty({});
    const std::string demo = (headless_test::buildDir() / "demo-game").string();
    struct Row {
        std::string arguments;
        int status;
        const char* printed;
    };
    const std::vector<Row> rows = {
        {demo, 0, "Dead ends: none."},
        {"--json " + demo, 0, "\"ending_reachable\":true"},
        {counter.path() + " --max-states 30", 3, "still growing: turns"},
        {counter.path() + " --max-depth 4", 3, "INCOMPLETE: the depth bound"},
        {"/nonexistent/folder", 2, ""},
        {empty.path(), 2, ""},
        {"--max-states 0 " + demo, 2, ""},
        {"--max-states 1 " + demo, 3, ""},
        {"-j 257 " + demo, 2, ""},
        {"--frobnicate", 2, ""},
        {"--version", 0, "vorlen-solve"},
    };
    for (const Row& r : rows) {
        std::string out;
        EXPECT_EQ(runSolver(r.arguments, &out), r.status) << r.arguments;
        EXPECT_NE(out.find(r.printed), std::string::npos) << r.arguments << "\n" << out;
    }
}

TEST(SolverProgram, DemoWalkthroughReachesTheEndingInTheRealEngine) {
    headless_test::GameFolder demo;
    demo.copyFrom(headless_test::buildDir() / "demo-game");
    const std::string file = (demo.path() / "walkthrough.txt").string();
    ASSERT_EQ(runSolver("--walkthrough " + file + " " + demo.path().string()), 0);
    std::ifstream in(file);
    std::stringstream input;
    input << in.rdbuf();
    const headless_test::RunResult run = headless_test::runHeadless(demo, input.str());
    EXPECT_EQ(run.state("mode"), "2") << run.all();
}

}  // namespace
