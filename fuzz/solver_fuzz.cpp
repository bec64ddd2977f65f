// Generated games from random bytes, explored by the solver with small bounds: every
// search must end, every stored state must read back, a found way must end in an
// ending, and the report, walkthrough and chart must be made without fault.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/solver/analysis.h"
#include "tools/solver/charts.h"
#include "tools/solver/game_writer.h"
#include "tools/solver/solve_report.h"
#include "tools/solver/unread_variables.h"

namespace {

const std::string& folder() {
    static std::string path;
    if (path.empty()) {
        path = "/tmp/vorlen-solver-fuzz-" + std::to_string(getpid());
        if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) std::abort();
    }
    return path;
}

// Script lines the bytes choose from: every kind of step that changes a state.
const char* const kLines[] = {
    "let a=a+1",
    "let b=1",
    "let a=0",
    "if a==2",
    "endif",
    "else",
    "goto x",
    "lab x",
    "ret",
    "addinv inv_horse",
    "delinv inv_horse",
    "load v0.scn",
    "load v1.scn",
    "load init.scn",
    "enablehs",
    "disablehs h1",
    "quit",
    "trans alpha 30",
    "if cursorinv==1",
    "let c=cursorinv",
    "evalhs",
    "echo a",
    "trans black 5",
    "if b==1",
};
const char* const kConditions[] = {"()", "(a==1)", "(b==0)", "(a<3)", "(c==1)"};
const char* const kFiles[] = {"init.scn", "v0.scn", "v1.scn"};

struct Bytes {
    const uint8_t* data;
    size_t size, at = 0;
    unsigned next() { return at < size ? data[at++] : 0; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes in{data, size};
    std::vector<ViewPlan> views;
    for (const char* file : kFiles) {
        ViewPlan view{file, file, {}, {}};
        for (unsigned n = in.next() % 3; n > 0; --n)
            view.onLoad.push_back(kLines[in.next() % (sizeof kLines / sizeof *kLines)]);
        for (unsigned h = in.next() % 5; h > 0; --h) {
            const int x = static_cast<int>(in.next() % 6) * 100,
                      y = static_cast<int>(in.next() % 4) * 100;
            HotspotPlan spot{"h" + std::to_string(h),
                             static_cast<int>(in.next() % 7) + 1,
                             x,
                             y,
                             x + 50 + static_cast<int>(in.next() % 150),
                             y + 50 + static_cast<int>(in.next() % 150),
                             kConditions[in.next() % (sizeof kConditions / sizeof *kConditions)],
                             {}};
            for (unsigned n = in.next() % 6; n > 0; --n)
                spot.click.push_back(kLines[in.next() % (sizeof kLines / sizeof *kLines)]);
            view.hotspots.push_back(spot);
        }
        views.push_back(view);
    }
    if (!writeGame(folder(), views)) return 0;
    SolveOptions options;
    options.folder = folder();
    options.maxStates = 300;
    options.maxDepth = 20;
    findUnreadVariables(options);
    Exploration e;
    if (!explore(options, e)) return 0;
    for (uint32_t s = 0; s < e.size(); ++s) {
        GameSnapshot back;
        if (!decodeSnapshot(e.states[s], back) || stateKey(back, options.unread) != e.states[s])
            std::abort();
    }
    const Analysis a = analyse(e, folder());
    if (a.endingReachable &&
        !(a.shortestWay.empty() ? e.ending[0] : e.ending[e.transitions[a.shortestWay.back()].to]))
        std::abort();
    const ReportFigures figures{};
    if (reportText(e, a, figures).empty() || reportJson(e, a, figures).empty()) std::abort();
    walkthroughInput(e, a.shortestWay);
    dotChart(e);
    return 0;
}
