// Presenting a frame at 1x, 2x and 3x the picture's size on SDL's dummy video driver
// (every step of ours, none of the X server's), as ratios to a 640x480x16 memcpy measured
// in the same run: frames that changed whole, frames where only the pointer moved,
// unchanged frames, and the whole frame (the engine's composition plus the present). The
// peers: SDL's renderer scaling the 16-bit texture as the display used to, and writing
// the scaled frame's bytes once (the floor for any CPU scaler), in the same run.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "bench_game.h"
#include "frame_timing.h"
#include "platform/clock.h"
#include "platform/sdl/sdl_display.h"

namespace {

using frame_timing::memcpyNanos;
using frame_timing::threadNanos;

constexpr int kWidth = 640, kHeight = 480;

// The time of one write of `bytes`, as a scaled frame costs at the least.
double writeNanos(size_t bytes) {
    std::vector<uint8_t> out(bytes);
    const int runs = 50;
    double t0 = threadNanos();
    for (int i = 0; i < runs; ++i) {
        std::memset(out.data(), i, bytes);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    return (threadNanos() - t0) / runs;
}

void useDummyVideo() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
}

// Two frames of noise-like pictures to alternate, so that every row changes.
void paint(Surface& s, uint32_t seed) {
    auto* p = reinterpret_cast<uint16_t*>(s.pixels());
    for (int i = 0; i < kWidth * kHeight; ++i) p[i] = static_cast<uint16_t>((i * seed) >> 5);
}

void report(benchmark::State& state, double perFrame, double copy, int scale) {
    state.counters["x_memcpy"] = perFrame / copy;
    state.counters["memcpy_us"] = copy / 1000.0;
    state.counters["us"] = perFrame / 1000.0;
    // The scaled frame's bytes written once, against the same memcpy.
    state.counters["floor_x_memcpy"] =
        writeNanos(static_cast<size_t>(kWidth) * kHeight * scale * scale * 4) / copy;
}

// The display's window at `scale` times the picture.
struct ScaledDisplay {
    VirtualClock clock;
    SdlDisplay* display = nullptr;
    std::unique_ptr<Screen> screen;

    explicit ScaledDisplay(int scale) {
        useDummyVideo();
        auto owned = std::make_unique<SdlDisplay>();
        display = owned.get();
        screen = std::make_unique<Screen>(std::move(owned), clock);
        screen->createWindowed(kWidth, kHeight);
        SDL_SetWindowSize(display->window(), kWidth * scale, kHeight * scale);
    }
};

enum class Change { Whole, Pointer, Nothing };

void BM_Present(benchmark::State& state, Change change) {
    const int scale = static_cast<int>(state.range(0));
    ScaledDisplay d(scale);
    Surface frames[2];
    for (int i = 0; i < 2; ++i) {
        frames[i].create(PixelFormat::ofType(16), kWidth, kHeight);
        paint(frames[i], 2654435761u + i * 40503u);
    }
    Surface pointer;
    pointer.create(PixelFormat::ofType(16), 32, 32);
    pointer.fill(0xFFFF);
    Surface& back = d.screen->back();
    frames[0].draw(back, 0, 0);
    d.display->show(back, false, true);
    const double copy = memcpyNanos();
    int n = 0;
    double t0 = threadNanos();
    for (auto _ : state) {
        ++n;
        if (change == Change::Whole) {
            frames[n & 1].draw(back, 0, 0);
        } else if (change == Change::Pointer) {
            // The pointer one pixel further along: its rows and the ones it left.
            frames[0].draw(back, 0, 0, nullptr);
            pointer.draw(back, 300 + (n & 7), 200 + (n & 7));
        }
        d.display->show(back, false, true);
    }
    const double perFrame = (threadNanos() - t0) / static_cast<double>(state.iterations());
    report(state, perFrame, copy, scale);
}

// The display as it was: a 16-bit streaming texture scaled and converted by SDL's software
// renderer into the window.
void BM_SdlRendererPresent(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    useDummyVideo();
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    SDL_Window* window = SDL_CreateWindow("peer", 0, 0, kWidth * scale, kHeight * scale, 0);
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB565,
                                             SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight);
    SDL_RenderSetLogicalSize(renderer, kWidth, kHeight);
    Surface frame;
    frame.create(PixelFormat::ofType(16), kWidth, kHeight);
    paint(frame, 2654435761u);
    const double copy = memcpyNanos();
    double t0 = threadNanos();
    for (auto _ : state) {
        SDL_UpdateTexture(texture, nullptr, frame.pixels(), frame.pitch());
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
    }
    const double perFrame = (threadNanos() - t0) / static_cast<double>(state.iterations());
    report(state, perFrame, copy, scale);
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

// A whole Play frame: the engine composes its back buffer (backdrop, hotspot test,
// pointer) with the pointer moving, and the display presents it at `scale`.
void BM_WholeFrame(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    bench_game::Session session;
    ScaledDisplay d(scale);
    Surface& composed = session.g().screen->back();
    const double copy = memcpyNanos();
    int code = 0, n = 0;
    double t0 = threadNanos();
    for (auto _ : state) {
        ++n;
        session.g().realMouseX = static_cast<uint16_t>(600 + (n & 7));
        session.engine->runLoopPass(code);
        d.display->show(composed, false, true);
    }
    const double perFrame = (threadNanos() - t0) / static_cast<double>(state.iterations());
    report(state, perFrame, copy, scale);
}

}  // namespace

BENCHMARK_CAPTURE(BM_Present, WholeChanged, Change::Whole)
    ->DenseRange(1, 3)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Present, PointerMoved, Change::Pointer)
    ->DenseRange(1, 3)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Present, Unchanged, Change::Nothing)
    ->DenseRange(1, 3)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SdlRendererPresent)->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WholeFrame)->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);
