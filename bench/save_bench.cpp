// Saving a game (thumbnail, JPEG, state file, renames) and building the save/load page
// (without its fades), beside a 640x480x16 frame memcpy measured in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <vector>

#include "bench_game.h"
#include "frame_timing.h"

namespace {

using frame_timing::memcpyNanos;
using frame_timing::threadNanos;

// Wall time matters for a save (it waits for the disk), CPU time for the page.
void BM_SaveGame(benchmark::State& state) {
    bench_game::Session session;
    session.g().variables["score"] = 42;
    double copy = memcpyNanos();
    int slot = 0;
    auto t0 = std::chrono::steady_clock::now();
    for (auto _ : state) session.engine->saveGame(1 + slot++ % 30);
    double perSave =
        std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - t0).count() /
        static_cast<double>(state.iterations());
    state.counters["ms"] = perSave / 1e6;
    state.counters["x_memcpy"] = perSave / copy;
}

void BM_BuildSaveLoadPage(benchmark::State& state) {
    bench_game::Session session;
    for (int slot = 1; slot <= 6; ++slot) session.engine->saveGame(slot);
    session.g().mode = LoadScreen;
    double copy = memcpyNanos();
    double t0 = threadNanos();
    for (auto _ : state) session.engine->buildSaveLoadPage();
    double perBuild = (threadNanos() - t0) / static_cast<double>(state.iterations());
    state.counters["ms"] = perBuild / 1e6;
    state.counters["x_memcpy"] = perBuild / copy;
}

}  // namespace

BENCHMARK(BM_SaveGame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildSaveLoadPage)->Unit(benchmark::kMillisecond);
