// Composing a Play frame's picture with overlays: the backdrop, one looping overlay movie
// (320x240, a new picture every 40 ms on a clock stepped 10 ms a frame), three overlay
// images and two overlay animations, beside a 640x480x16 frame memcpy measured in the same
// run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <vector>

#include "bench_game.h"
#include "frame_timing.h"
#include "movie/movie_fixtures.h"

namespace {

using frame_timing::memcpyNanos;
using frame_timing::threadNanos;

using bench_game::Session;

void BM_ComposeOverlays(benchmark::State& state) {
    Session session;
    TestMovie movie;
    movie.busy = true;  // textured, moving pictures: a fair decoding load
    movie.frames = 100;
    std::string error = writeTestMovie((session.dir / "loop.mpg").string(), movie);
    if (!error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    bench_game::writePicture(session.dir / "image.bmp", 160, 120, 13);
    for (const char* line :
         {"addoverlayimage a image.bmp 20 20 1", "addoverlayimage b image.bmp 200 160 2",
          "addoverlayimage c image.bmp 420 300 3",
          "addoverlayanim x interact.bmp 100 300 64 64 0 25 1 LOOP",
          "addoverlayanim y take.bmp 500 60 64 64 0 50 2 LOOP",
          "addoverlaymovie m loop.mpg 160 120 320 240"})
        session.engine->runConsoleLine(line);
    GameState& g = session.g();
    Scene& scene = session.scene();
    Surface& back = g.screen->back();
    double copy = memcpyNanos();
    double t0 = threadNanos();
    for (auto _ : state) {
        session.host.advanceClock(10);
        scene.backdrop()->draw(back, 0, 0);
        scene.overlays().updateMovies(back);
        scene.drawOverlays(back);
        benchmark::ClobberMemory();
    }
    double perFrame = (threadNanos() - t0) / static_cast<double>(state.iterations());
    state.counters["x_memcpy"] = perFrame / copy;
    state.counters["memcpy_us"] = copy / 1000.0;
    state.counters["frame_us"] = perFrame / 1000.0;
}

}  // namespace

BENCHMARK(BM_ComposeOverlays)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
