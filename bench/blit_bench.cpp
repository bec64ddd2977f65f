// The surface kernels on whole 640x480 16-bit frames, beside their peers in the same
// run: memcpy of a frame and SDL's blitter on the same RGB565 pixels.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "platform/blit_kernels.h"
#include "platform/surface.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr uint32_t kKey = 0xF81F;

// Noise with about 30 % key pixels scattered over it.
void fillNoise(Surface& s, uint32_t seed) {
    std::mt19937 rng(seed);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            uint32_t v = rng() & 0xFFFF;
            s.putPixel(x, y, rng() % 10 < 3 ? kKey : (v == kKey ? v ^ 1 : v));
        }
    s.setColourKey(kKey);
}

struct Frames {
    Surface src, dst;
    Frames() {
        src.create(PixelFormat::ofType(16), kWidth, kHeight);
        dst.create(PixelFormat::ofType(16), kWidth, kHeight);
        fillNoise(src, 1);
        fillNoise(dst, 2);
    }
};

Frames& frames() {
    static Frames f;
    return f;
}

void setBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kWidth * kHeight * 2);
}

void BM_Memcpy(benchmark::State& state) {
    std::vector<uint8_t> a(kWidth * kHeight * 2, 1), b(kWidth * kHeight * 2, 2);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size());
        benchmark::ClobberMemory();
    }
    setBytes(state);
}
BENCHMARK(BM_Memcpy);

template <class Op>
void runSurface(benchmark::State& state, Op op) {
    Frames& f = frames();
    for (auto _ : state) {
        op(f.src, f.dst);
        benchmark::ClobberMemory();
    }
    setBytes(state);
}

void BM_Draw(benchmark::State& s) {
    runSurface(s, [](Surface& a, Surface& b) { a.draw(b, 0, 0); });
}
void BM_DrawKeyed(benchmark::State& s) {
    runSurface(s, [](Surface& a, Surface& b) { a.drawKeyed(b, 0, 0); });
}
void BM_DrawHalf(benchmark::State& s) {
    runSurface(s, [](Surface& a, Surface& b) { a.drawHalf(b, 0, 0); });
}
void BM_DrawAlpha(benchmark::State& s) {
    runSurface(s, [](Surface& a, Surface& b) { a.drawAlpha(b, 0, 0, nullptr, 128); });
}
void BM_DrawKeyedAlpha(benchmark::State& s) {
    runSurface(s, [](Surface& a, Surface& b) { a.drawKeyedAlpha(b, 0, 0, nullptr, 25); });
}
void BM_DrawFaded(benchmark::State& s) {
    runSurface(s, [](Surface& a, Surface& b) { a.drawFaded(b, 0, 0, nullptr, 128); });
}
void BM_DrawScaled(benchmark::State& s) {
    runSurface(s, [](Surface& a, Surface& b) { a.drawScaled(b, 0, 0, nullptr, 0.25f); });
}
void BM_Fill(benchmark::State& s) {
    runSurface(s, [](Surface&, Surface& b) { b.fill(0x1234); });
}
BENCHMARK(BM_Draw);
BENCHMARK(BM_DrawKeyed);
BENCHMARK(BM_DrawHalf);
BENCHMARK(BM_DrawAlpha);
BENCHMARK(BM_DrawKeyedAlpha);
BENCHMARK(BM_DrawFaded);
BENCHMARK(BM_DrawScaled);
BENCHMARK(BM_Fill);

// The baseline kernels (what a processor without AVX2 runs), row by row as Surface does.
void BM_BaselineAlpha(benchmark::State& state) {
    const BlitKernels* k = kernelsIn(KernelSet::Baseline, 16, 2);
    Frames& f = frames();
    for (auto _ : state) {
        for (int y = 0; y < kHeight; ++y)
            k->alpha(f.dst.pixels() + y * f.dst.pitch(), f.src.pixels() + y * f.src.pitch(), kWidth,
                     128);
        benchmark::ClobberMemory();
    }
    setBytes(state);
}
void BM_BaselineKeyedAlpha(benchmark::State& state) {
    const BlitKernels* k = kernelsIn(KernelSet::Baseline, 16, 2);
    Frames& f = frames();
    for (auto _ : state) {
        for (int y = 0; y < kHeight; ++y)
            k->keyedAlpha(f.dst.pixels() + y * f.dst.pitch(), f.src.pixels() + y * f.src.pitch(),
                          kWidth, 25, kKey);
        benchmark::ClobberMemory();
    }
    setBytes(state);
}
BENCHMARK(BM_BaselineAlpha);
BENCHMARK(BM_BaselineKeyedAlpha);

// SDL surfaces over copies of the same pixels.
struct SdlFrames {
    std::vector<uint8_t> srcPixels, dstPixels;
    SDL_Surface* src = nullptr;
    SDL_Surface* dst = nullptr;
    SdlFrames() {
        Frames& f = frames();
        srcPixels.assign(f.src.pixels(), f.src.pixels() + f.src.pitch() * kHeight);
        dstPixels.assign(f.dst.pixels(), f.dst.pixels() + f.dst.pitch() * kHeight);
        src = SDL_CreateRGBSurfaceWithFormatFrom(srcPixels.data(), kWidth, kHeight, 16,
                                                 f.src.pitch(), SDL_PIXELFORMAT_RGB565);
        dst = SDL_CreateRGBSurfaceWithFormatFrom(dstPixels.data(), kWidth, kHeight, 16,
                                                 f.dst.pitch(), SDL_PIXELFORMAT_RGB565);
    }
    ~SdlFrames() {
        SDL_FreeSurface(src);
        SDL_FreeSurface(dst);
    }
};

template <class Setup>
void runSdl(benchmark::State& state, Setup setup) {
    SdlFrames f;
    if (!f.src || !f.dst) {
        state.SkipWithError("SDL surfaces could not be made");
        return;
    }
    setup(f.src);
    for (auto _ : state) {
        SDL_BlitSurface(f.src, nullptr, f.dst, nullptr);
        benchmark::ClobberMemory();
    }
    setBytes(state);
}

void BM_SdlBlit(benchmark::State& s) {
    runSdl(s, [](SDL_Surface* src) { SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_NONE); });
}
void BM_SdlBlitKeyed(benchmark::State& s) {
    runSdl(s, [](SDL_Surface* src) {
        SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_NONE);
        SDL_SetColorKey(src, SDL_TRUE, kKey);
    });
}
void BM_SdlBlitAlpha(benchmark::State& s) {
    runSdl(s, [](SDL_Surface* src) {
        SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_BLEND);
        SDL_SetSurfaceAlphaMod(src, 128);
    });
}
BENCHMARK(BM_SdlBlit);
BENCHMARK(BM_SdlBlitKeyed);
BENCHMARK(BM_SdlBlitAlpha);

}  // namespace
