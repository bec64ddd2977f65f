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

#include "engine/console.h"
#include "engine/game_state.h"
#include "engine/headless_host.h"
#include "engine/main_loop.h"
#include "engine/startup.h"
#include "platform/event_source.h"
#include "platform/image/bmp_writer.h"
#include "platform/jpeg/jpeg_format.h"
#include "platform/sdl/sdl_text_renderer.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t kFrameBytes = 640 * 480 * 2;

void writePicture(const fs::path& path, int width, int height, uint32_t seed) {
    Picture p;
    p.width = width;
    p.height = height;
    p.bitsPerPixel = 24;
    p.stride = static_cast<size_t>(width) * 3;
    p.pixels.resize(p.stride * height);
    for (size_t i = 0; i < p.pixels.size(); ++i) p.pixels[i] = static_cast<uint8_t>(i * seed >> 3);
    for (int i = 0; i < 3; ++i) p.pixels[i] = i == 1 ? 0 : 255;  // a magenta key pixel
    writeBmp24(path.string(), p);
}

// A small game: a backdrop, every pointer picture and sheet, the console panel, and a
// view of 20 rectangular hotspots.
fs::path makeGame() {
    fs::path dir = fs::temp_directory_path() / ("vorlen-frame-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    writePicture(dir / "back.bmp", 640, 480, 7);
    writePicture(dir / "console.bmp", 640, 151, 3);
    for (const char* name : {"pointidle.bmp", "pointforward.bmp", "pointbackward.bmp",
                             "pointleft.bmp", "pointright.bmp"}) {
        writePicture(dir / name, 32, 32, 5);
    }
    for (const char* name : {"interact.bmp", "take.bmp", "idle2forward.bmp", "idle2backward.bmp",
                             "idle2left.bmp", "idle2right.bmp", "idle2take.bmp"}) {
        writePicture(dir / name, 384, 64, 11);
    }
    std::string view = "VIEW bench\r\nBASEIMAGE back.bmp\r\nONLOADSTART\r\nONLOADEND\r\n";
    for (int i = 0; i < 20; ++i) {
        int x = (i % 5) * 120 + 10, y = (i / 5) * 110 + 10;
        auto pt = [](int a, int b) {
            return "(" + std::to_string(a) + "," + std::to_string(b) + ")";
        };
        view += "HOTSPOTSTART h" + std::to_string(i) + "\r\nCURSOR 6\r\nCOORD " + pt(x, y) + "," +
                pt(x + 100, y) + "," + pt(x + 100, y + 90) + "," + pt(x, y + 90) +
                "\r\nONCONDITION ()\r\nONCLICKSTART\r\nONCLICKEND\r\nHOTSPOTEND\r\n";
    }
    std::ofstream(dir / "init.scn", std::ios::binary) << view;
    return dir;
}

// The engine started in the game folder as the headless runner starts it.
struct Session {
    SdlTextRenderer text;
    PictureFormats pictures = pictureFormatsWithJpeg();
    HeadlessHost host{&text, &pictures};
    fs::path previous = fs::current_path();
    fs::path dir = makeGame();
    double startMillis = 0;

    Session() {
        fs::current_path(dir);
        installClock(&host.clock());
        resetGame();
        game().events = std::make_unique<QueuedEventSource>();
        auto t0 = std::chrono::steady_clock::now();
        int code = 0;
        startEngine(host, code);
        runLoopPass(code);
        startMillis =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count();
        // The pointer sits over empty space so its idle arrow and animations run.
        game().realMouseX = 615;
        game().realMouseY = 460;
    }
    ~Session() {
        resetGame();
        installClock(nullptr);
        fs::current_path(previous);
        fs::remove_all(dir);
    }
};

// CPU time of this thread: the frames never wait (the display shows nothing), so it is
// their cost even on a machine busy with other work.
double threadNanos() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e9 + t.tv_nsec;
}

double memcpyNanos() {
    std::vector<uint8_t> a(kFrameBytes, 1), b(kFrameBytes, 2);
    const int runs = 2000;
    double t0 = threadNanos();
    for (int i = 0; i < runs; ++i) {
        std::memcpy(b.data(), a.data(), kFrameBytes);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
    return (threadNanos() - t0) / runs;
}

void runFrames(benchmark::State& state, bool consoleAndDebug) {
    Session session;
    if (consoleAndDebug) {
        for (int i = 0; i < 30; ++i) {
            consolePrint("a log line of ordinary length, number " + std::to_string(i),
                         i % 3 ? kWhite : kRed);
        }
        game().consoleVisible = true;
        game().debugMode = true;
        game().realMouseX = 70;  // over a hotspot: the interact animation
        game().realMouseY = 60;
    }
    double copy = memcpyNanos();
    int code = 0;
    double t0 = threadNanos();
    for (auto _ : state) runLoopPass(code);
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
