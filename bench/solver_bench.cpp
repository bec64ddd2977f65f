// The solver's search: transitions explored per second on the demo (views of a real
// game's size) with one and two threads, and a generated game of 100,000 states.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "engine/logic_engine.h"
#include "tools/solver/explorer.h"
#include "tools/solver/game_writer.h"
#include "tools/solver/unread_variables.h"

namespace {

std::filesystem::path solverBuildDir() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().parent_path();
}

void solveFolder(benchmark::State& state, const std::string& folder, int threads) {
    size_t transitions = 0, states = 0, bytes = 0;
    for (auto _ : state) {
        SolveOptions options;
        options.folder = folder;
        options.threads = threads;
        findUnreadVariables(options);
        Exploration e;
        if (!explore(options, e)) state.SkipWithError("the game did not start");
        transitions += e.transitions.size();
        states = e.size();
        bytes = e.stateBytes;
    }
    state.counters["transitions/s"] =
        benchmark::Counter(static_cast<double>(transitions), benchmark::Counter::kIsRate);
    state.counters["states"] = static_cast<double>(states);
    state.counters["key bytes/state"] = static_cast<double>(bytes) / static_cast<double>(states);
}

void BM_SolveDemo(benchmark::State& state) {
    solveFolder(state, (solverBuildDir() / "demo-game").string(), static_cast<int>(state.range(0)));
}
BENCHMARK(BM_SolveDemo)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SolveDials(benchmark::State& state) {
    char pattern[] = "/tmp/vorlen-dials-XXXXXX";
    const std::string folder = mkdtemp(pattern);
    writeGame(folder, dialsGame(static_cast<int>(state.range(0)), 10));
    solveFolder(state, folder, static_cast<int>(state.range(1)));
    std::filesystem::remove_all(folder);
}
// 10^3 states, and 10^5 as a whole game.
BENCHMARK(BM_SolveDials)
    ->Args({3, 1})
    ->Args({3, 2})
    ->Args({5, 1})
    ->Args({5, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// The game state as a value: one capture and one restore in the demo's courtyard, and the
// same with the compact encoding and its reading back.
void BM_SnapshotRoundTrip(benchmark::State& state) {
    LogicEngine engine((solverBuildDir() / "demo-game").string());
    if (!engine.start()) state.SkipWithError("the demo did not start");
    engine.click(320, 257, -1);  // through the gate
    const bool encoded = state.range(0) != 0;
    for (auto _ : state) {
        GameSnapshot s = engine.capture();
        if (encoded) {
            const std::string bytes = encodeSnapshot(s);
            decodeSnapshot(bytes, s);
        }
        engine.restore(s);
    }
}
BENCHMARK(BM_SnapshotRoundTrip)->Arg(0)->Arg(1);

}  // namespace
