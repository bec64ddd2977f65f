// The game checker on the demo and on a generated game of 500 views with 20 hotspots
// each, every view with a 640x480 JPEG base image of its own. The peer is decoding those
// pictures alone, the share of the check that the picture decoders take.
//     build/bench/vorlen-bench --benchmark_filter=Check
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/image/picture.h"
#include "platform/jpeg/jpeg_format.h"
#include "tools/checker/game_check.h"

namespace fs = std::filesystem;

namespace {

constexpr int kViews = 500, kHotspots = 20;

fs::path buildDir() {
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec).parent_path().parent_path();
}

std::string viewName(int i) {
    return i == 0 ? "init.scn" : "view" + std::to_string(i) + ".scn";
}

// Made once per run: the views load each other in a ring and back, each hotspot has a
// condition, and its script a block, an assignment and a view change.
const std::string& bigGame() {
    static std::string root;
    if (!root.empty()) return root;
    root = "/tmp/vorlen-check-bench-" + std::to_string(getpid());
    fs::create_directories(root);
    const PictureFormats formats = pictureFormatsWithJpeg();
    Picture picture;
    picture.width = 640;
    picture.height = 480;
    picture.bitsPerPixel = 24;
    picture.stride = 640 * 3;
    picture.pixels.resize(picture.stride * 480);
    for (int i = 0; i < kViews; ++i) {
        // A picture with some detail, different for every view.
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                uint8_t* p = &picture.pixels[static_cast<size_t>(y) * picture.stride + x * 3];
                p[0] = static_cast<uint8_t>((x * 3 + i * 7) ^ y);
                p[1] = static_cast<uint8_t>((y * 5 + i) + (x >> 3));
                p[2] = static_cast<uint8_t>((x + y + i * 13) >> 1);
            }
        formats.writeFile(5, root + "/room" + std::to_string(i) + ".jpg", picture, 85);
        std::ofstream out(root + "/" + viewName(i), std::ios::binary);
        out << "VIEW room" << i << "\r\nBASEIMAGE room" << i
            << ".jpg\r\nONLOADSTART\r\nlet visits=visits+1\r\nif visits>3\r\ntrans alpha 20\r\n"
               "endif\r\nONLOADEND\r\n";
        for (int h = 0; h < kHotspots; ++h) {
            const int x = (h % 5) * 120 + 10, y = (h / 5) * 110 + 10;
            out << "HOTSPOTSTART spot" << h << "\r\nCURSOR " << (h % 7 + 1) << "\r\nCOORD (" << x
                << "," << y << "),(" << x + 100 << "," << y << "),(" << x + 100 << "," << y + 90
                << "),(" << x << "," << y + 90 << ")\r\nONCONDITION (visits>=" << h % 3
                << ")\r\nONCLICKSTART\r\nif spot" << h << "==0\r\nlet spot" << h
                << "=1\r\necho spot" << h << "+visits\r\nendif\r\ntrans black 0\r\nload "
                << viewName((i + 1 + h) % kViews) << "\r\nONCLICKEND\r\nHOTSPOTEND \r\n";
        }
    }
    return root;
}

void runCheck(benchmark::State& state, const std::string& root) {
    const PictureFormats pictures = pictureFormatsWithJpeg();
    MediaReaders readers;
    readers.pictures = &pictures;
    const GameFolder folder(root);
    size_t problems = 0, views = 0;
    for (auto _ : state) {
        GameCheck check(folder, readers);
        std::string error;
        check.checkGame(error);
        problems = check.diagnostics().size();
        views = check.views().size();
    }
    state.counters["views"] = static_cast<double>(views);
    state.counters["problems"] = static_cast<double>(problems);
}

void BM_CheckDemo(benchmark::State& state) {
    runCheck(state, (buildDir() / "demo-game").string());
}
BENCHMARK(BM_CheckDemo)->Unit(benchmark::kMillisecond);

void BM_Check500Views(benchmark::State& state) {
    runCheck(state, bigGame());
}
BENCHMARK(BM_Check500Views)->Unit(benchmark::kMillisecond)->Iterations(3);

// The peer: only decoding the 500 base images, as the check does once each.
void BM_Check500ViewsPicturesOnly(benchmark::State& state) {
    const std::string root = bigGame();
    const PictureFormats pictures = pictureFormatsWithJpeg();
    for (auto _ : state) {
        for (int i = 0; i < kViews; ++i) {
            Picture picture;
            pictures.readFile(root + "/room" + std::to_string(i) + ".jpg", picture);
            benchmark::DoNotOptimize(picture.pixels.data());
        }
    }
}
BENCHMARK(BM_Check500ViewsPicturesOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
