#pragma once
// A small game for the benchmarks: a backdrop, every pointer picture and sheet, the
// console panel and a view of 20 rectangular hotspots, in a folder of its own, and an
// engine started in it as the headless runner starts it.
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/main/standard_services.h"
#include "platform/headless/headless_host.h"
#include "platform/image/bmp_writer.h"
#include "support/engine_test_access.h"

namespace bench_game {

namespace fs = std::filesystem;

inline void writePicture(const fs::path& path, int width, int height, uint32_t seed) {
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
inline fs::path makeGame() {
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
    StandardServices standard;
    HeadlessHost host{standard.services()};
    fs::path dir = makeGame();
    std::unique_ptr<Engine> engine = std::make_unique<Engine>(host, GameFolder(dir.string()));
    double startMillis = 0;

    GameState& g() { return EngineTestAccess::state(*engine); }
    Scene& scene() { return EngineTestAccess::scene(*engine); }

    Session() {
        auto t0 = std::chrono::steady_clock::now();
        int code = 0;
        engine->start(code);
        engine->runLoopPass(code);
        startMillis =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count();
        // The pointer sits over empty space so its idle arrow and animations run.
        g().realMouseX = 615;
        g().realMouseY = 460;
    }
    ~Session() {
        engine.reset();
        fs::remove_all(dir);
    }
};

}  // namespace bench_game
