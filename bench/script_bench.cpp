// View loading, hit testing and script running at the sizes a large game reaches.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/game_folder.h"
#include "script/interpreter.h"
#include "view/view.h"

namespace {

// 1,000 octagons spread over the picture, half with a condition.
const std::string& bigViewFile() {
    static std::string path;
    if (!path.empty()) return path;
    path = "/tmp/vorlen-bench-" + std::to_string(getpid()) + ".scn";
    std::ofstream out(path, std::ios::binary);
    out << "VIEW big\r\nBASEIMAGE big.jpg\r\nONLOADSTART\r\nlet a=1\r\nONLOADEND\r\n";
    for (int i = 0; i < 1000; ++i) {
        int cx = 20 + (i * 37) % 600, cy = 20 + (i * 53) % 440;
        out << "HOTSPOTSTART spot" << i << "\r\nCURSOR " << (i % 7 + 1) << "\r\nCOORD ";
        const int dx[8] = {-8, 0, 8, 12, 8, 0, -8, -12};
        const int dy[8] = {-12, -14, -12, 0, 12, 14, 12, 0};
        for (int v = 0; v < 8; ++v)
            out << (v ? "," : "") << "(" << cx + dx[v] << "," << cy + dy[v] << ")";
        out << "\r\nONCONDITION " << (i % 2 ? "(a==1)" : "()") << "\r\nONCLICKSTART\r\nload room"
            << i << ".scn\r\nONCLICKEND\r\nHOTSPOTEND \r\n";
    }
    return path;
}

void BM_ViewLoad1000Hotspots(benchmark::State& state) {
    Variables variables;
    SilentSink output;
    const std::string& path = bigViewFile();
    for (auto _ : state) {
        View view(variables, output);
        std::string error;
        view.load(path, GameFolder(), error);
        benchmark::DoNotOptimize(view.hotspotCount());
    }
}
BENCHMARK(BM_ViewLoad1000Hotspots)->Unit(benchmark::kMillisecond);

void BM_HotspotAt1000Octagons(benchmark::State& state) {
    Variables variables;
    SilentSink output;
    View view(variables, output);
    std::string error;
    view.load(bigViewFile(), GameFolder(), error);
    int x = 0, y = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(view.hotspotAt(x, y));
        x = (x + 97) % 640;
        y = (y + 61) % 480;
    }
}
BENCHMARK(BM_HotspotAt1000Octagons)->Unit(benchmark::kMicrosecond);

// The yardstick: copying one 640x480 16-bit frame.
void BM_FrameMemcpy640x480(benchmark::State& state) {
    std::vector<uint8_t> from(640 * 480 * 2, 1), to(640 * 480 * 2);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FrameMemcpy640x480)->Unit(benchmark::kMicrosecond);

void BM_Script10000LetIf(benchmark::State& state) {
    Variables variables;
    SilentSink output;
    Interpreter interpreter(variables, output);
    interpreter.setEchoLines(false);
    Script script;
    for (int i = 0; i < 5000; ++i) {
        script.push_back("let v" + std::to_string(i % 50) + "=v" + std::to_string(i % 50) + "+" +
                         std::to_string(i % 7));
        script.push_back("if v" + std::to_string(i % 50) + ">100");
    }
    for (auto _ : state) interpreter.runScript(script, 0, false);
}
BENCHMARK(BM_Script10000LetIf)->Unit(benchmark::kMillisecond);

}  // namespace
