// Whole Play frames as the headless build runs them, beside a 640x480x16 frame memcpy
// measured in the same run, and the time from start-up to the first presented frame.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

#include "bench_game.h"
#include "frame_timing.h"

namespace {

using frame_timing::memcpyNanos;
using frame_timing::threadNanos;

using bench_game::Session;

// CPU time of this thread: the frames never wait (the display shows nothing), so it is
// their cost even on a machine busy with other work.

void runFrames(benchmark::State& state, bool consoleAndDebug) {
    Session session;
    if (consoleAndDebug) {
        for (int i = 0; i < 30; ++i) {
            session.g().console.print("a log line of ordinary length, number " + std::to_string(i),
                                      i % 3 ? kWhite : kRed);
        }
        session.g().console.visible = true;
        session.g().debugMode = true;
        session.g().realMouseX = 70;  // over a hotspot: the interact animation
        session.g().realMouseY = 60;
    }
    double copy = memcpyNanos();
    int code = 0;
    double t0 = threadNanos();
    for (auto _ : state) session.engine->runLoopPass(code);
    double perFrame = (threadNanos() - t0) / static_cast<double>(state.iterations());
    state.counters["fps"] = 1e9 / perFrame;
    state.counters["x_memcpy"] = perFrame / copy;
    state.counters["memcpy_us"] = copy / 1000.0;
}

void BM_PlayFrame_BackdropAndPointer(benchmark::State& state) {
    runFrames(state, false);
}
void BM_PlayFrame_ConsoleAndDebug(benchmark::State& state) {
    runFrames(state, true);
}

// Wall time from start-up to the first presented frame of a small game without a title
// movie (the game folder is made outside the timing).
void BM_StartUpToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        Session session;
        state.SetIterationTime(session.startMillis / 1000.0);
    }
}

}  // namespace

BENCHMARK(BM_PlayFrame_BackdropAndPointer)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlayFrame_ConsoleAndDebug)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StartUpToFirstFrame)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
